#include "app/GameDefinitionDialog.h"
#include "core/GameCatalogue.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvane;

// Define a Game as the user works it: typing into the boxes and pressing OK
// or Enter; a refusal names the box and puts the cursor there, a good game
// lands in the user's games file, an edit replaces its line.
class GameDefinitionDialogTest : public QObject {
    Q_OBJECT

    static QLineEdit* box(const QDialog& dialog, const char* name) {
        auto* found = dialog.findChild<QLineEdit*>(QLatin1String(name));
        if (!found) qFatal("no box named %s", name);
        return found;
    }
    static void type(const QDialog& dialog, const char* name, const QString& text) {
        QLineEdit* target = box(dialog, name);
        target->clear();
        QTest::keyClicks(target, text);
    }

private slots:
    void aBadDefinitionIsRefusedAtItsBox() {
        QTemporaryDir folder;
        FakePlatform platform;
        GameDefinitionDialog dialog(platform, dataPathsIn(folder.path().toStdString()), std::nullopt);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Define a Game"));
        type(dialog, "txtGameName", QStringLiteral("Tiny"));
        type(dialog, "txtHighest", QStringLiteral("5"));
        type(dialog, "txtPerTicket", QStringLiteral("6"));
        QTest::keyClick(box(dialog, "txtPerTicket"), Qt::Key_Return); // Enter presses OK
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.last().text, QStringLiteral("Enter the highest number of the drum, from 7 to 90."));
        QCOMPARE(platform.messages.last().title, QStringLiteral("Define a Game"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtHighest"));

        type(dialog, "txtHighest", QStringLiteral("39"));
        type(dialog, "txtTiers", QStringLiteral("7, 6"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QCOMPARE(platform.messages.size(), 2);
        QCOMPARE(platform.messages.last().text,
                 QStringLiteral("The prize tier \"7\": a ticket matches 0 to 6 main numbers."));
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtTiers"));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("MYGAMES.TXT"))));

        // A catalogue game's name is taken.
        type(dialog, "txtTiers", QString());
        type(dialog, "txtGameName", QStringLiteral("Fantasy 5"));
        QTest::keyClick(box(dialog, "txtTiers"), Qt::Key_Return);
        QCOMPARE(platform.messages.last().text,
                 QStringLiteral("A game named \"Fantasy 5\" is already in the list: choose another name."));
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtGameName"));
    }

    void aGoodGameIsWrittenAndAnEditReplacesIt() {
        QTemporaryDir folder;
        FakePlatform platform;
        const DataPaths paths = dataPathsIn(folder.path().toStdString());
        {
            GameDefinitionDialog dialog(platform, paths, std::nullopt);
            type(dialog, "txtGameName", QStringLiteral("Two Drums"));
            type(dialog, "txtHighest", QStringLiteral("45"));
            type(dialog, "txtPerTicket", QStringLiteral("5"));
            type(dialog, "txtBonusPool", QStringLiteral("20"));
            type(dialog, "txtBonusDrawn", QStringLiteral("1"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
            QVERIFY(platform.messages.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(dialog.game());
            QCOMPARE(QString::fromStdString(dialog.game()->title()), QStringLiteral("Two Drums (5/45 + 1/20)"));
        }
        GameList own = readOwnGames(paths);
        QCOMPARE(own.games.size(), std::size_t{1});
        const Game twoDrums = own.games.front();

        // Edit: the boxes hold the game; the same name is no clash with itself.
        GameDefinitionDialog edit(platform, paths, twoDrums);
        QCOMPARE(edit.windowTitle(), QStringLiteral("Edit Game"));
        QCOMPARE(box(edit, "txtBonusPool")->text(), QStringLiteral("20"));
        QCOMPARE(box(edit, "txtTiers")->text(), QString::fromStdString(tiersText(twoDrums.tiers())));
        type(edit, "txtHighest", QStringLiteral("50"));
        edit.findChild<QCheckBox*>(QStringLiteral("chkExtraBall"))->setChecked(false);
        QTest::mouseClick(edit.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(platform.messages.isEmpty());
        own = readOwnGames(paths);
        QCOMPARE(own.games.size(), std::size_t{1});
        QCOMPARE(own.games.front().highest(), 50);

        // Cancel writes nothing.
        GameDefinitionDialog cancelled(platform, paths, std::nullopt);
        type(cancelled, "txtGameName", QStringLiteral("Never"));
        QTest::mouseClick(cancelled.findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        QCOMPARE(readOwnGames(paths).games.size(), std::size_t{1});
    }
};

QTEST_MAIN(GameDefinitionDialogTest)
#include "GameDefinitionDialogTest.moc"
