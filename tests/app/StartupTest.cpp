#include "app/Startup.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvane;

class StartupTest : public QObject {
    Q_OBJECT

    static void touch(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void createsTheFolderAndPlacesTheSampleHistory() {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("Varnel"));
        const QString history = folder + QStringLiteral("/FL6-49.HIT");
        QCOMPARE(prepareDataFolder(folder, history), QString());
        QFile file(history);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        QCOMPARE(contents.count('\n'), 599);
        QVERIFY(contents.startsWith("050788  15 17 30 42 44 49\r\n"));
        QVERIFY(QFileInfo(history).isWritable());
        QCOMPARE(QDir::current().canonicalPath(), QDir(folder).canonicalPath());
    }

    // The file kept in the per-user store, or VNTB.INI in the data folder.
    void theSettingsFileLastKeptIsRestoredAtStart() {
        QTemporaryDir root;
        FakePlatform platform;
        auto start = [&] {
            auto shared = std::make_unique<SharedSettings>(dataPathsIn(root.path().toStdString()));
            requestSavedSettings(*shared, platform);
            return shared;
        };
        const std::string fallback = start()->settingsPath;
        QVERIFY(!start()->restoreRequest); // none saved yet
        touch(QString::fromStdString(fallback));
        QVERIFY(start()->restoreRequest);

        const QString mine = root.filePath(QStringLiteral("mine.INI"));
        touch(mine);
        rememberSettingsFile(platform, Game::lotto649(), mine.toStdString());
        QCOMPARE(platform.settings.value(QStringLiteral("Settings File")), mine);
        QCOMPARE(start()->settingsPath, mine.toStdString());
        QVERIFY(start()->restoreRequest);

        // Gone since: the default file, without a word.
        QVERIFY(QFile::remove(mine));
        QCOMPARE(start()->settingsPath, fallback);
        QVERIFY(start()->restoreRequest);
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(QFile::remove(QString::fromStdString(fallback)));
        QVERIFY(!start()->restoreRequest);
    }

    // A double click on a history or wheel output file starts the program with
    // that one file; anything else is a command.
    void aHistoryOrOutputFileGivenAloneIsOpenedAndAnythingElseIsACommand() {
        QTemporaryDir root;
        for (const char* name : {"draws.HIT", "old.hit", "Wheeled.TB", "notes.txt"})
            touch(root.filePath(QLatin1String(name)));
        const auto argument = [&](const char* name) { return root.filePath(QLatin1String(name)).toStdString(); };
        QCOMPARE(fileToOpen({argument("draws.HIT")}), root.filePath(QStringLiteral("draws.HIT")));
        QCOMPARE(fileToOpen({argument("old.hit")}), root.filePath(QStringLiteral("old.hit")));
        QCOMPARE(fileToOpen({argument("Wheeled.TB")}), root.filePath(QStringLiteral("Wheeled.TB")));
        QVERIFY(fileToOpen({argument("notes.txt")}).isEmpty());
        QVERIFY(fileToOpen({argument("gone.HIT")}).isEmpty());
        QVERIFY(fileToOpen({"wheel", argument("draws.HIT")}).isEmpty());
        QVERIFY(fileToOpen({}).isEmpty());
        // A relative path comes back whole, as the program then works in the data folder.
        QVERIFY(QDir::setCurrent(root.path()));
        QCOMPARE(fileToOpen({"draws.HIT"}), QDir(root.path()).absoluteFilePath(QStringLiteral("draws.HIT")));
    }

    void neverOverwritesAnExistingHistory() {
        QTemporaryDir root;
        const QString history = root.filePath(QStringLiteral("FL6-49.HIT"));
        QFile file(history);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("010199  01 02 03 04 05 06\r\n");
        file.close();
        QCOMPARE(prepareDataFolder(root.path(), history), QString());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("010199  01 02 03 04 05 06\r\n"));
    }

    void reportsAFolderThatCannotBeMade() {
        QTemporaryDir root;
        QFile blocker(root.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString folder = root.filePath(QStringLiteral("file/Varnel"));
        QVERIFY(prepareDataFolder(folder, folder + QStringLiteral("/FL6-49.HIT")).contains(folder));
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
