#include "app/GameMenu.h"
#include "backtest/BacktestReport.h"
#include "backtest/BacktestWindow.h"
#include "app/Startup.h"
#include "core/Binomial.h"
#include "core/GameCatalogue.h"
#include "core/NumberText.h"
#include "core/OwnGamesFile.h"
#include "history/GameHistory.h"
#include "pool/PoolGeneration.h"
#include "pool/PoolReport.h"
#include "pool/PoolWindow.h"
#include "reports/ReportWindow.h"
#include "support/WindowFixture.h"
#include "tally/WinCheckerWindow.h"
#include "wheel/GameWheelStart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <fstream>

using namespace orvane;

// The game switch of the main window: the number list, the bonus slip, the
// filter tabs and the tools follow the game; a run gives the engine's counts;
// the game and its settings come back at the next start; 6/49 comes back as
// it has always been.
class GameSwitchTest : public QObject {
    Q_OBJECT

    WindowFixture f;

    static Game catalogueGame(const char* name) {
        const std::optional<Game> game = findGame(name, catalogueGames());
        if (!game) qFatal("no game %s", name);
        return *game;
    }
    QListWidget* numbers() const { return f.find<QListWidget>(QStringLiteral("lstNumbers")); }
    QListWidget* bonusNumbers() const { return f.find<QListWidget>(QStringLiteral("lstBonusNumbers")); }
    // A start as the program makes it: the game kept, then its settings requested.
    void restart() {
        f.window.reset();
        f.shared = std::make_unique<SharedSettings>(dataPathsIn(f.folder.path().toStdString()));
        f.shared->useGame(restoredGame(*f.platform, f.shared->dataPaths));
        requestSavedSettings(*f.shared, *f.platform);
        f.window = std::make_unique<MainWindow>(*f.platform, *f.shared);
        f.tick(QStringLiteral("Timer3"));
    }
    // What a user sees of every control: its kind, name, caption or text,
    // whether it is shown and usable, and where it stands.
    QStringList look() const {
        QStringList lines;
        for (QWidget* widget : f.window->findChildren<QWidget*>()) {
            if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")) ||
                widget->window() != f.window.get())
                continue;
            QString text;
            if (auto* box = qobject_cast<QLineEdit*>(widget))
                text = box->text();
            else if (auto* label = qobject_cast<QLabel*>(widget))
                text = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text() + QString::number(button->isChecked());
            else if (auto* frame = qobject_cast<QGroupBox*>(widget))
                text = frame->title();
            else if (auto* list = qobject_cast<QListWidget*>(widget))
                text = QString::number(list->count());
            // Where a hidden control stands is nothing the user sees.
            const QRect place = widget->isVisibleTo(f.window.get())
                                    ? QRect(widget->mapTo(f.window.get(), QPoint(0, 0)), widget->size())
                                    : QRect();
            lines << QStringLiteral("%1 %2 '%3' %4%5 %6,%7 %8x%9")
                         .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(), text)
                         .arg(widget->isVisibleTo(f.window.get()))
                         .arg(widget->isEnabled())
                         .arg(place.x())
                         .arg(place.y())
                         .arg(place.width())
                         .arg(place.height());
        }
        for (QAction* action : f.window->findChildren<QAction*>())
            if (!action->objectName().isEmpty())
                lines << QStringLiteral("action %1 '%2' %3 %4 '%5'")
                             .arg(action->objectName(), action->text())
                             .arg(action->isEnabled())
                             .arg(action->isChecked())
                             .arg(action->toolTip());
        lines.sort();
        return lines;
    }
    static void settle() {
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }
    // Every tab shown once, so that each is laid out, then the first again.
    void showEveryTab() const {
        auto* tabs = f.find<QTabWidget>(QStringLiteral("tabMain"));
        for (int tab = tabs->count() - 1; tab >= 0; --tab) {
            tabs->setCurrentIndex(tab);
            settle();
        }
    }

private slots:
    void init() { f.open(); }
    void cleanup() {
        f.close();
        // Each test starts from an empty data folder.
        QDir(f.folder.path()).removeRecursively();
        QDir().mkpath(f.folder.path());
    }

    void theWindowFollowsTheGame() {
        const Game fantasy = catalogueGame("Fantasy 5");
        f.window->switchGame(fantasy);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Orvane - Fantasy 5 (5/39)"));
        QCOMPARE(numbers()->count(), 39);
        QVERIFY(!f.find<QGroupBox>(QStringLiteral("frameBonusNumbers"))->isVisibleTo(f.window.get()));
        QVERIFY(f.window->findChild<QLineEdit*>(QStringLiteral("txtEMin")));
        QVERIFY(!f.window->findChild<QLineEdit*>(QStringLiteral("txtFMin")));
        QCOMPARE(f.text(QStringLiteral("txtMaxSum")), QStringLiteral("185"));
        QCOMPARE(f.find<QListWidget>(QStringLiteral("lstSums"))->item(0)->text(), QStringLiteral("15"));
        QCOMPARE(f.shared->historyPath, f.folder.filePath(QStringLiteral("FANTASY-5.HIT")).toStdString());
        QCOMPARE(f.platform->settings.value(QStringLiteral("Game")), QStringLiteral("Fantasy 5"));
        // The tools that serve 6/49 alone are off and say why; the rest stay.
        QVERIFY(!f.find<QAction>(QStringLiteral("mnuUpdateHistory"))->isEnabled());
        QVERIFY(f.find<QAction>(QStringLiteral("mnuUpdateHistory"))->toolTip().contains(QLatin1String("6/49")));
        QVERIFY(f.find<QAction>(QStringLiteral("mnuBacktest"))->isEnabled());
        QVERIFY(f.find<QAction>(QStringLiteral("mnuGathra"))->isEnabled());
        QVERIFY(f.find<QAction>(QStringLiteral("mnuTallor"))->isEnabled());
        QVERIFY(f.find<QAction>(QStringLiteral("mnuViewOutput"))->isEnabled());
        QVERIFY(f.find<QAction>(QStringLiteral("mnuRandom"))->isEnabled());

        // The number commands count to the game's numbers.
        f.trigger(QStringLiteral("mnuSelectAll"));
        f.tick(QStringLiteral("Timer2"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("39"));
        f.platform->inputAnswers.enqueue(QStringLiteral("40"));
        f.platform->inputAnswers.enqueue(QStringLiteral("6"));
        f.trigger(QStringLiteral("mnuRandom"));
        QVERIFY(f.platform->inputPrompts.last().contains(QLatin1String("from 6 to 39")));
        QCOMPARE(f.platform->messages.last().text, QStringLiteral("You must enter an integer value from 6 to 39."));
        f.tick(QStringLiteral("Timer2"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("6"));
        for (int pick = 0; pick < 40; ++pick) f.click(QStringLiteral("cmdChooseRandom"));
        QCOMPARE(f.platform->messages.last().text, QStringLiteral("All possible numbers have been selected."));
    }

    void theOddsToolsServeTheGamePlayedAndCloseWithIt() {
        f.window->switchGame(catalogueGame("Powerball"));
        QVERIFY(f.find<QAction>(QStringLiteral("mnuOdds"))->isEnabled());
        f.trigger(QStringLiteral("mnuOdds"));
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Your Odds According to Drossick"));
        const QStringList lines = f.platform->messages.last().text.split(QStringLiteral("\n\n"));
        QCOMPARE(lines.value(0),
                 QStringLiteral("Your odds of winning a prize in Powerball (5/69 + 1/26) are as follows:"));
        QCOMPARE(lines.value(1), QStringLiteral("5 + bonus: 1 in 292,201,338"));
        QCOMPARE(lines.value(9), QStringLiteral("0 + bonus: 1 in 38.32"));
        QCOMPARE(lines.value(10), QStringLiteral("Overall Odds:    1 in 24.87"));

        for (const char* item : {"mnuOddsCoverage", "mnuCheckHistory", "mnuTallor"}) {
            QVERIFY(f.find<QAction>(QLatin1String(item))->isEnabled());
            f.trigger(QLatin1String(item));
        }
        QPointer<QWidget> odds = f.window->findChild<QWidget*>(QStringLiteral("frmOdds"));
        QPointer<QWidget> history = f.window->findChild<QWidget*>(QStringLiteral("frmHistoryCheck"));
        QPointer<QWidget> checker = f.window->findChild<QWidget*>(QStringLiteral("frmGameWinCheck"));
        QVERIFY(odds && odds->isVisible() && history && history->isVisible() && checker && checker->isVisible());
        QVERIFY(odds->windowTitle().endsWith(QLatin1String("Powerball (5/69 + 1/26)")));
        QVERIFY(checker->findChild<QWidget*>(QStringLiteral("txtBonus1")));
        // They read the game's files: a switch closes them, and 6/49 has its own checker.
        f.window->switchGame(Game::lotto649());
        QTRY_VERIFY(odds.isNull() && history.isNull() && checker.isNull());
        f.trigger(QStringLiteral("mnuTallor"));
        QVERIFY(f.window->findChild<QWidget*>(QStringLiteral("frmVNTallorMain")));
    }

    // The pool generator ranks the game's numbers and its bonus pool's; the
    // pool file it saves is the game's own, and loading it picks both.
    void thePoolServesTheGame() {
        f.window->switchGame(catalogueGame("Powerball"));
        std::string history;
        for (int d = 0; d < 40; ++d)
            history += gameHistoryLine(GameDraw{2026,
                                                1 + d / 28,
                                                1 + d % 28,
                                                {1 + d % 9, 12 + d % 13, 30 + d % 7, 40 + d % 11, 55 + d % 15},
                                                {1 + (d * 7) % 26}});
        std::ofstream(f.shared->historyPath, std::ios::binary) << history;
        QVERIFY(f.shared->poolPath.ends_with("POWERBALL.GR"));
        f.trigger(QStringLiteral("mnuGathra"));
        auto* pool = f.window->findChild<PoolWindow*>(QStringLiteral("frmGathraMain"));
        QVERIFY(pool && pool->isVisible());
        QCOMPARE(pool->windowTitle(), QStringLiteral("VN-Gathra - Powerball (5/69 + 1/26)"));
        auto* size = pool->findChild<QComboBox*>(QStringLiteral("cboPoolSize"));
        auto* bonusSize = pool->findChild<QComboBox*>(QStringLiteral("cboBonusPoolSize"));
        QCOMPARE(size->currentText(), QStringLiteral("69"));
        QCOMPARE(size->itemText(0), QStringLiteral("6"));
        QVERIFY(bonusSize->isVisible());
        QCOMPARE(bonusSize->count(), 26);
        size->setCurrentText(QStringLiteral("10"));
        bonusSize->setCurrentText(QStringLiteral("3"));
        pool->findChild<QRadioButton*>(QStringLiteral("optnMinimum"))->setChecked(true);
        pool->findChild<QCheckBox*>(QStringLiteral("chkSaveToDisk"))->setChecked(true);
        QSignalSpy ended(pool, &PoolWindow::runEnded);
        QTest::mouseClick(pool->findChild<QPushButton*>(QStringLiteral("cmdBegin")), Qt::LeftButton);
        QVERIFY(ended.count() == 1 || ended.wait(20000));

        const PoolOutcome expected = generatePool(readGameReportHistory(f.shared->game, f.shared->historyPath).draws,
                                                  PoolParameters{5, 10, 10, 1, 3});
        QCOMPARE(pool->findChild<QPlainTextEdit*>(QStringLiteral("txtOutput"))->toPlainText(),
                 QString::fromStdString(minimumPoolText(expected.pool, expected.bonusPool))
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(expected.bonusPool.size(), 3u);
        f.trigger(QStringLiteral("mnuLoadGRPool"));
        f.tick(QStringLiteral("Timer2"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("10"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblBonusCount"))->text(), QStringLiteral("Bonus numbers picked: 3"));
        QVERIFY(bonusNumbers()->item(expected.bonusPool[0] - 1)->isSelected());
        // De-Select All empties the bonus slip with the main one.
        f.trigger(QStringLiteral("mnuDeselectAll"));
        f.tick(QStringLiteral("Timer2"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblBonusCount"))->text(), QStringLiteral("Bonus numbers picked: 0"));

        // Back in 6/49 the window is as it always was.
        f.window->switchGame(Game::lotto649());
        QVERIFY(!pool->isVisible());
        QCOMPARE(pool->windowTitle(), QStringLiteral("VN-Gathra"));
        QCOMPARE(size->currentText(), QStringLiteral("49"));
        QCOMPARE(size->itemText(0), QStringLiteral("7"));
        QVERIFY(bonusSize->isHidden());
    }

    // The backtest judges the game's own draws by the filters as set, and
    // shows what the engine works out for them.
    void theBacktestServesTheGame() {
        const Game fantasy = catalogueGame("Fantasy 5");
        f.window->switchGame(fantasy);
        std::string history;
        std::vector<GameDraw> draws;
        for (int d = 0; d < 40; ++d) {
            draws.push_back(GameDraw{
                2026, 1 + d / 28, 1 + d % 28, {1 + d % 7, 9 + d % 5, 15 + d % 9, 25 + d % 3, 30 + d % 10}, {}});
            history += gameHistoryLine(draws.back());
        }
        std::ofstream(f.shared->historyPath, std::ios::binary) << history;
        f.box(QStringLiteral("txtMaxSum"))->setText(QStringLiteral("100"));
        f.box(QStringLiteral("txtLastDrawNumMax"))->setText(QStringLiteral("1"));
        f.trigger(QStringLiteral("mnuBacktest"));
        auto* backtest = f.window->findChild<BacktestWindow*>(QStringLiteral("frmBacktest"));
        QVERIFY(backtest && backtest->isVisible());
        QCOMPARE(backtest->windowTitle(), QStringLiteral("Backtest Current Filters - Fantasy 5 (5/39)"));
        QSignalSpy ended(backtest, &BacktestWindow::runEnded);
        QTest::mouseClick(backtest->findChild<QPushButton*>(QStringLiteral("cmdBegin")), Qt::LeftButton);
        QVERIFY(ended.count() == 1 || ended.wait(60000));

        BacktestRequest request;
        request.game = fantasy;
        request.controls = FilterControls(fantasy);
        request.controls.maxSum = "100";
        request.controls.lastDrawNumMax = "1";
        request.gameDraws = draws;
        const BacktestResult engine = runBacktest(request);
        QCOMPARE(engine.filters.size(), std::size_t{2});
        auto* table = backtest->findChild<QTableWidget*>(QStringLiteral("tblFilters"));
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Last draw"));
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("Sum limits"));
        QCOMPARE(table->item(0, 6)->text(), QString::fromStdString(chanceText(engine.filters[0].chance)));
        QVERIFY(table->item(0, 6)->text().contains(QLatin1String("+/-")));
        QCOMPARE(table->item(1, 6)->text(), QString::fromStdString(chanceText(engine.filters[1].chance)));
        QCOMPARE(table->item(2, 8)->text(), QString::fromStdString(readingText(engine, engine.joint, true)));
        QTRY_VERIFY(backtest->findChild<QPlainTextEdit*>(QStringLiteral("txtDraws"))
                        ->toPlainText()
                        .startsWith(QStringLiteral("     1  2026-01-01  01 09 15 25 30  ")));
        backtest->close();
    }

    void theReportsReadTheGamesHistory() {
        f.window->switchGame(catalogueGame("Powerball"));
        std::ofstream(f.shared->historyPath, std::ios::binary)
            << "2026-01-03  01 02 03 04 05 + 07\r\n2026-01-06  05 10 20 30 69 + 26\r\n";
        for (const char* item : {"mnuNumCount", "mnuMidpoint", "mnuSetSpan", "mnuSumHits", "mnuSumCalc",
                                 "mnuEvensCalculator", "mnuNumberLines", "mnuSkipHit", "mnuViewHistory"})
            QVERIFY2(f.find<QAction>(QLatin1String(item))->isEnabled(), item);
        f.trigger(QStringLiteral("mnuNumCount"));
        auto* report = f.window->findChild<ReportWindow*>(QStringLiteral("frmAnalysis"));
        QVERIFY(report);
        QSignalSpy ended(report, &ReportWindow::runEnded);
        QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("cmdBegin")), Qt::LeftButton);
        QVERIFY(ended.count() == 1 || ended.wait(20000));
        const QStringList lines =
            report->findChild<QPlainTextEdit*>(QStringLiteral("txtAnalysis"))->toPlainText().split(QLatin1Char('\n'));
        // 69 numbers, a blank line, then the 26 of the bonus pool.
        QCOMPARE(lines.value(0), QStringLiteral("There are currently 2 draws recorded in the history file."));
        QCOMPARE(lines.value(6), QStringLiteral("05 has been drawn 002 times."));
        QCOMPARE(lines.value(70), QStringLiteral("69 has been drawn 001 times."));
        QCOMPARE(lines.value(71), QString());
        QCOMPARE(lines.value(78), QStringLiteral("Bonus number 07 has been drawn 001 times."));
        QCOMPARE(lines.value(97), QStringLiteral("Bonus number 26 has been drawn 001 times."));
    }

    void picksPrintingAndUserLevelsServeTheGame() {
        f.window->switchGame(catalogueGame("Fantasy 5"));
        // A number beyond the game's is named, and those before it are selected.
        f.shared->poolPath = f.folder.filePath(QStringLiteral("picks.GR")).toStdString();
        QVERIFY(WindowFixture::writeFile(QString::fromStdString(f.shared->poolPath), "3\r\n12\r\n40\r\n"));
        f.trigger(QStringLiteral("mnuLoadGRPool"));
        f.tick(QStringLiteral("Timer2"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("2"));
        QVERIFY(f.platform->messages.last().text.contains(QStringLiteral("\"40\" is not a number from 1 to 39.")));
        f.trigger(QStringLiteral("mnuPrintSelected"));
        QCOMPARE(f.platform->messages.last().text,
                 QStringLiteral("There are not enough numbers selected for this operation.  Select 6 or more numbers, "
                                "and then try again."));
        f.selectRange(30, 38);
        f.trigger(QStringLiteral("mnuPrintSelected"));
        QCOMPARE(f.platform->printJobs.size(), 1);
        QVERIFY(f.platform->printJobs[0].lines.contains(QStringLiteral("39")));
        QVERIFY(f.platform->printJobs[0].lines.contains(QStringLiteral("11 numbers selected in total.")));

        // A level chosen before the switch holds for the new tabs, the eighth position's row too.
        f.trigger(QStringLiteral("mnuBeginner"));
        const Game eight = *gameFromMatrix("8/70");
        f.window->switchGame(eight);
        for (const char* hidden : {"txtAMin", "txtHMax", "lblPosH", "frameTensPlace", "frameLocks"})
            QVERIFY2(f.window->findChild<QWidget*>(QLatin1String(hidden))->isHidden(), hidden);
        f.trigger(QStringLiteral("mnuAdvanced"));
        for (const char* shown : {"txtAMin", "txtHMax", "lblPosH", "frameTensPlace", "frameLocks"})
            QVERIFY2(!f.window->findChild<QWidget*>(QLatin1String(shown))->isHidden(), shown);
    }

    void aRunOfABonusGameGivesTheEnginesCountsAndWritesItsLines() {
        const Game powerball = catalogueGame("Powerball");
        f.window->switchGame(powerball);
        QVERIFY(f.find<QGroupBox>(QStringLiteral("frameBonusNumbers"))->isVisibleTo(f.window.get()));
        QCOMPARE(bonusNumbers()->count(), 26);
        f.selectRange(0, 7);
        bonusNumbers()->item(0)->setSelected(true);
        bonusNumbers()->item(25)->setSelected(true);
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblBonusCount"))->text(), QStringLiteral("Bonus numbers picked: 2"));
        f.box(QStringLiteral("txtMinSum"))->setText(QStringLiteral("20"));
        QVERIFY(f.wheelToEnd());

        // The engine's own run of the same pick and filters.
        GameWheelRequest request;
        request.game = powerball;
        request.controls = FilterControls(powerball);
        request.controls.minSum = "20";
        request.pick = {1, 2, 3, 4, 5, 6, 7, 8};
        request.pickedBonus = {1, 26};
        request.historyPath = f.shared->historyPath;
        GameWheelStart start = startGameWheel(std::move(request));
        QVERIFY(start.job);
        start.job->runToEnd();
        QCOMPARE(start.job->generated(), std::uint64_t{binomial(8, 5) * 2});
        QCOMPARE(f.text(QStringLiteral("txtGenerated")), QString::fromStdString(formatCount(start.job->generated())));
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QString::fromStdString(formatCount(start.job->passing())));
        const QStringList lines =
            QString::fromLatin1(f.outputContents()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(std::uint64_t(lines.size()), start.job->passing());
        QVERIFY(start.job->passing() < start.job->generated());
        QCOMPARE(lines.first(), QStringLiteral("1 2 3 6 8 + 1")); // the first whose sum reaches 20
        QCOMPARE(lines.last(), QStringLiteral("4 5 6 7 8 + 26"));
        QCOMPARE(f.text(QStringLiteral("txtOutput")), QStringLiteral("04 05 06 07 08"));

        // Printed, the lines show their bonus numbers too.
        f.find<QRadioButton>(QStringLiteral("optnOutToPrinter"))->click();
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->printJobs.size(), 1);
        QVERIFY(f.platform->printJobs[0].lines.contains(QStringLiteral("01 02 03 06 08 + 01")));
        QVERIFY(f.platform->printJobs[0].lines.contains(QStringLiteral("8 numbers selected for wheeling.")));
    }

    void theGameIsKeptFromRunAndMenuDuringAnyLongOperation() {
        f.selectRange(0, 48);
        f.click(QStringLiteral("cmdWheel"));
        QVERIFY(f.window->wheelRunning());
        QVERIFY(!f.find<QMenu>(QStringLiteral("mnuGame"))->menuAction()->isEnabled());
        f.window->switchGame(catalogueGame("Fantasy 5"));
        QCOMPARE(numbers()->count(), 49);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click(QStringLiteral("cmdStopWheeling"));
        QVERIFY(ended.count() == 1 || ended.wait(20000));
        QVERIFY(f.find<QMenu>(QStringLiteral("mnuGame"))->menuAction()->isEnabled());
    }

    void changedSettingsAreOfferedForSavingAsClosingDoes() {
        f.box(QStringLiteral("txtMaxSum"))->setText(QStringLiteral("200"));
        f.trigger(QStringLiteral("mnuTallor"));
        QPointer<QWidget> checker = f.window->findChild<WinCheckerWindow*>();
        QVERIFY(checker && checker->isVisible());
        f.platform->replies.enqueue(Platform::Reply::Cancel);
        f.window->switchGame(catalogueGame("Fantasy 5"));
        QVERIFY(checker && checker->isVisible()); // Cancel leaves everything as it was
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Settings Changed"));
        QVERIFY(f.platform->messages.last().text.startsWith(
            QLatin1String("Save the settings before changing the game to Fantasy 5 (5/39)?")));
        QCOMPARE(numbers()->count(), 49);
        QCOMPARE(f.text(QStringLiteral("txtMaxSum")), QStringLiteral("200"));

        // Yes saves them to 6/49's file, and they come back with 6/49.
        f.platform->replies.enqueue(Platform::Reply::Yes);
        f.window->switchGame(catalogueGame("Fantasy 5"));
        QCOMPARE(numbers()->count(), 39);
        QVERIFY(!checker || !checker->isVisible()); // the 6/49 checker went away with 6/49
        f.window->switchGame(Game::lotto649());
        QCOMPARE(f.text(QStringLiteral("txtMaxSum")), QStringLiteral("200"));
    }

    void theGameAndItsSettingsComeBackAtTheNextStart() {
        const DataPaths paths = dataPathsIn(f.folder.path().toStdString());
        const Game own = *Game::make("Pick Six", 45, 6, false, 0, 0, {});
        QVERIFY(!saveOwnGame(paths, own));
        f.window->switchGame(own);
        QCOMPARE(numbers()->count(), 45);
        f.box(QStringLiteral("txtMaxSum"))->setText(QStringLiteral("222"));
        f.shared->saveRequest = true;
        f.tick(QStringLiteral("Timer3"));
        QVERIFY(QFile::exists(f.folder.filePath(QStringLiteral("PICK-SIX.INI"))));

        restart();
        QCOMPARE(f.window->game(), own);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Orvane - Pick Six (6/45)"));
        QCOMPARE(numbers()->count(), 45);
        QCOMPARE(f.text(QStringLiteral("txtMaxSum")), QStringLiteral("222"));
        // The own game is in the menu, checked.
        bool checked = false;
        for (QAction* item : f.find<QMenu>(QStringLiteral("mnuGame"))->actions())
            if (item->objectName() == QLatin1String("mnuOwnGame0")) checked = item->isChecked();
        QVERIFY(checked);
    }

    void aGameDefinedInTheMenuIsPlayedAndComesBackAtTheNextStart() {
        QTimer::singleShot(0, this, [] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("txtGameName"))->setText(QStringLiteral("Daily Four"));
            dialog->findChild<QLineEdit*>(QStringLiteral("txtPerTicket"))->setText(QStringLiteral("4"));
            dialog->findChild<QLineEdit*>(QStringLiteral("txtHighest"))->setText(QStringLiteral("30"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        f.trigger(QStringLiteral("mnuDefineGame"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Orvane - Daily Four (4/30)"));
        QCOMPARE(numbers()->count(), 30);
        restart();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Orvane - Daily Four (4/30)"));
        emit f.find<QMenu>(QStringLiteral("mnuGame"))->aboutToShow();
        QVERIFY(f.find<QAction>(QStringLiteral("mnuOwnGame0"))->isChecked());
    }

    void aSettingsFileOfAnotherGameIsNotLoadedNorWrittenOver() {
        f.window->switchGame(catalogueGame("Fantasy 5"));
        f.shared->saveRequest = true;
        f.tick(QStringLiteral("Timer3"));
        const QString fantasyFile = f.folder.filePath(QStringLiteral("FANTASY-5.INI"));
        const QByteArray saved = WindowFixture::fileBytes(fantasyFile);
        QVERIFY(saved.startsWith("Game | Fantasy 5 | 5/39"));

        f.window->switchGame(Game::lotto649());
        f.shared->settingsPath = fantasyFile.toStdString();
        f.shared->restoreRequest = true;
        f.tick(QStringLiteral("Timer3"));
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Settings Not Loaded"));
        QVERIFY(f.platform->messages.last().text.contains(QLatin1String("Choose Fantasy 5 (5/39) in the Game menu")));
        QCOMPARE(numbers()->count(), 49);
        f.shared->settingsPath = fantasyFile.toStdString();
        f.shared->saveRequest = true;
        f.tick(QStringLiteral("Timer3"));
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Settings Not Saved"));
        QCOMPARE(WindowFixture::fileBytes(fantasyFile), saved);
    }

    void switchingBackTo649RestoresTodaysWindow() {
        f.window->show();
        settle();
        const QSize opened = f.window->size();
        const QSize smallest = f.window->minimumSize();
        showEveryTab();
        const QStringList before = look();
        for (const char* name : {"Powerball", "Lotto Max", "SuperEnalotto"}) {
            f.window->switchGame(catalogueGame(name));
            settle();
        }
        f.window->switchGame(Game::lotto649());
        f.window->resize(opened);
        settle();
        QCOMPARE(f.window->minimumSize(), smallest);
        showEveryTab();
        const QStringList after = look();
        for (qsizetype line = 0; line < std::min(before.size(), after.size()); ++line)
            QCOMPARE(after[line], before[line]);
        QCOMPARE(after.size(), before.size());
    }
};

QTEST_MAIN(GameSwitchTest)
#include "GameSwitchTest.moc"
