#include "app/Startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orvane;

class StartupTest : public QObject {
    Q_OBJECT
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

    void aSavedSettingsFileIsRestoredAtStart() {
        QTemporaryDir root;
        SharedSettings shared(dataPathsIn(root.path().toStdString()));
        requestSavedSettings(shared);
        QVERIFY(!shared.restoreRequest); // none saved yet
        QFile file(QString::fromStdString(shared.settingsPath));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        requestSavedSettings(shared);
        QVERIFY(shared.restoreRequest);
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
