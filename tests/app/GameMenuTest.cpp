#include "app/GameMenu.h"
#include "core/GameCatalogue.h"
#include "core/OwnGamesFile.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvane;

// The Game menu: every game by name and matrix with the current one checked,
// the user's own after them, Edit and Remove only for those; the choice kept
// in the per-user store and found again at the next start.
class GameMenuTest : public QObject {
    Q_OBJECT

    static QAction* item(const GameMenu& menu, const char* name) {
        auto* found = menu.findChild<QAction*>(QLatin1String(name));
        if (!found) qFatal("no item named %s", name);
        return found;
    }
    // A caption as shown, without its access key's mark.
    static QString shown(QString caption) {
        return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
            .remove(QLatin1Char('&'))
            .replace(QLatin1Char('\x01'), QLatin1Char('&'));
    }
    static QStringList checkedCaptions(const GameMenu& menu) {
        QStringList captions;
        for (const QAction* action : menu.actions())
            if (action->isChecked()) captions << shown(action->text());
        return captions;
    }

private slots:
    void listsEveryGameAndChecksTheCurrentOne() {
        QTemporaryDir folder;
        FakePlatform platform;
        const DataPaths paths = dataPathsIn(folder.path().toStdString());
        QVERIFY(!saveOwnGame(paths, *Game::make("Pick & Mix", 35, 5, false, 0, 0, {})));
        GameMenu menu(platform, paths);
        QCOMPARE(menu.title(), QStringLiteral("&Game"));
        QCOMPARE(item(menu, "mnuGame0")->text(), QStringLiteral("&Lotto 6/49 (6/49)"));
        QCOMPARE(shown(item(menu, "mnuOwnGame0")->text()), QStringLiteral("Pick & Mix (5/35)"));
        const auto catalogue = catalogueGames();
        const auto powerball =
            std::find_if(catalogue.begin(), catalogue.end(), [](const Game& g) { return g.name() == "Powerball"; });
        QVERIFY(powerball != catalogue.end());
        const QString powerballItem = QStringLiteral("mnuGame%1").arg(powerball - catalogue.begin());
        QCOMPARE(shown(menu.findChild<QAction*>(powerballItem)->text()), QStringLiteral("Powerball (5/69 + 1/26)"));
        QCOMPARE(checkedCaptions(menu), QStringList{QStringLiteral("Lotto 6/49 (6/49)")});
        QVERIFY(!item(menu, "mnuEditGame")->isEnabled());
        QVERIFY(!item(menu, "mnuRemoveGame")->isEnabled());

        // Choosing asks the window; the check follows only when it changes the game.
        std::vector<Game> chosen;
        connect(&menu, &GameMenu::gameChosen, this, [&](const Game& game) { chosen.push_back(game); });
        menu.findChild<QAction*>(powerballItem)->trigger();
        QCOMPARE(chosen.size(), std::size_t{1});
        QCOMPARE(chosen.front().name(), std::string("Powerball"));
        chosen.clear();
        QCOMPARE(checkedCaptions(menu), QStringList{QStringLiteral("Lotto 6/49 (6/49)")});
        menu.setCurrent(*powerball);
        QCOMPARE(checkedCaptions(menu), QStringList{QStringLiteral("Powerball (5/69 + 1/26)")});

        // One of the user's own can be edited and removed; removing it goes back to 6/49.
        const Game own = readOwnGames(paths).games.front();
        menu.setCurrent(own);
        QVERIFY(item(menu, "mnuEditGame")->isEnabled());
        QVERIFY(item(menu, "mnuRemoveGame")->isEnabled());
        platform.replies.enqueue(Platform::Reply::No);
        item(menu, "mnuRemoveGame")->trigger();
        QCOMPARE(readOwnGames(paths).games.size(), std::size_t{1});
        QVERIFY(chosen.empty());
        platform.replies.enqueue(Platform::Reply::Yes);
        item(menu, "mnuRemoveGame")->trigger();
        QVERIFY(readOwnGames(paths).games.empty());
        QCOMPARE(chosen.size(), std::size_t{1});
        QVERIFY(chosen.front().isLotto649());
        emit menu.aboutToShow(); // opened again: the removed game is gone
        QVERIFY(!menu.findChild<QAction*>(QStringLiteral("mnuOwnGame0")));
    }

    void theChoiceComesBackAtTheNextStart() {
        QTemporaryDir folder;
        FakePlatform platform;
        const DataPaths paths = dataPathsIn(folder.path().toStdString());
        QVERIFY(restoredGame(platform, paths).isLotto649()); // nothing chosen yet
        const Game fantasy = *findGame("Fantasy 5", catalogueGames());
        keepGame(platform, fantasy);
        QCOMPARE(restoredGame(platform, paths), fantasy);

        const Game own = *Game::make("Home Draw", 40, 6, false, 0, 0, {});
        QVERIFY(!saveOwnGame(paths, own));
        keepGame(platform, own);
        QCOMPARE(restoredGame(platform, paths), own);
        // The game taken out of the file since: 6/49 again.
        QVERIFY(!removeOwnGame(paths, "Home Draw"));
        QVERIFY(restoredGame(platform, paths).isLotto649());
        // A game known by its matrix alone.
        keepGame(platform, *gameFromMatrix("7/35"));
        QCOMPARE(restoredGame(platform, paths).matrix(), std::string("7/35"));
    }
};

QTEST_MAIN(GameMenuTest)
#include "GameMenuTest.moc"
