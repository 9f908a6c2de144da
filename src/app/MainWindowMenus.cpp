// The menu bar of frmOrvaneMain and the small commands behind it: the odds,
// printing the pick, deleting the output files, the uninstall preparation and
// the number list's bulk selections.
#include "app/MainWindow.h"

#include "accessories/AboutBox.h"
#include "accessories/CalculatorWindow.h"
#include "accessories/ManualViewer.h"
#include "accessories/TipWindow.h"
#include "app/GameMenu.h"
#include "app/UserLevels.h"
#include "backtest/BacktestWindow.h"
#include "core/FileRemoval.h"
#include "core/GameCatalogue.h"
#include "core/NumberText.h"
#include "cover/AbbreviatedWheelWindow.h"
#include "tally/HistoryCheckWindow.h"
#include "tally/OddsReport.h"
#include "tally/OddsWindow.h"
#include "history/DrawRecordingWindow.h"
#include "platform/FixedFont.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "pool/PoolFile.h"
#include "pool/PoolWindow.h"
#include "reports/ReportWindow.h"
#include "tally/GameWinCheckerWindow.h"
#include "tally/WinCheckerWindow.h"
#include "wheel/GameWheelStart.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

namespace orvane {

namespace {
const QString kReportNotYet = QStringLiteral("This report is not available yet.");
} // namespace

// Every menu and item has an access key ("&" before its letter, "&&" for an
// ampersand), unique within its menu; the common commands have shortcuts too,
// none of them the number list's Ctrl+A or Ctrl+Shift+A.
void MainWindow::buildMenus() {
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption, void (MainWindow::*handler)(),
                          const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        // Qt passes a shortcut by while the busy state has its menu off.
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // An item whose window or report comes later: in its place, off, saying so.
    auto addLater = [](QMenu* menu, const char* name, const QString& caption, const QString& why) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(false);
        action->setToolTip(why);
        return action;
    };
    auto addMenu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->setToolTipsVisible(true);
        return menu;
    };

    mnuFile = addMenu("mnuFile", QStringLiteral("&File"));
    addItem(mnuFile, "mnuSaveAs", QStringLiteral("Save &Tambril's Output As..."), &MainWindow::mnuSaveAs_Click);
    addItem(mnuFile, "mnuSaveGRAs", QStringLiteral("Save &Gathra's Output As..."), &MainWindow::mnuSaveGRAs_Click);
    mnuFile->addSeparator();
    addItem(mnuFile, "mnuSaveSettings", QStringLiteral("&Save Current Settings"), &MainWindow::mnuSaveSettings_Click,
            QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(mnuFile, "mnuRestoreSettings", QStringLiteral("&Load Settings"), &MainWindow::mnuRestoreSettings_Click,
            QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFile->addSeparator();
    addItem(mnuFile, "mnuHistoryFile", QStringLiteral("&History File..."), &MainWindow::mnuHistoryFile_Click);
    addItem(mnuFile, "mnuImportDraws", QStringLiteral("&Import Draws..."), &MainWindow::mnuImportDraws_Click);
    mnuFile->addSeparator();
    mnuRecordNumbers = addItem(mnuFile, "mnuRecordNumbers", QStringLiteral("&Record Set Numbers"),
                               &MainWindow::mnuRecordNumbers_Click);
    mnuRecordNumbers->setCheckable(true);
    addItem(mnuFile, "mnuDeleteOuput", QStringLiteral("&Delete Orvane's Output File"),
            &MainWindow::mnuDeleteOuput_Click);
    addItem(mnuFile, "mnuDelGathraTxt", QStringLiteral("Delete G&athra's Output File"),
            &MainWindow::mnuDelGathraTxt_Click);
    mnuFile->addSeparator();
    // Exit closes the window, which first offers to save changed settings.
    addItem(mnuFile, "mnuExit", QStringLiteral("E&xit"), &MainWindow::mnuExit_Click,
            QKeySequence(Qt::CTRL | Qt::Key_Q));

    // The game played: choosing one asks this window to switch, which it may refuse.
    mnuGame = new GameMenu(platform_, shared_.dataPaths, this);
    mnuGame->setCurrent(shared_.game);
    menuBar()->addMenu(mnuGame);
    connect(mnuGame, &GameMenu::gameChosen, this, &MainWindow::switchGame);

    mnuUserLevel = addMenu("mnuUserLevel", QStringLiteral("&User Level"));
    auto* levels = new QActionGroup(this);
    struct LevelItem {
        const char* name;
        const char* caption;
        UserLevel level;
    };
    const LevelItem levelItems[] = {{"mnuBeginner", "&Beginner", UserLevel::Beginner},
                                    {"mnuIntermediate", "&Intermediate", UserLevel::Intermediate},
                                    {"mnuAdvanced", "&Advanced", UserLevel::Advanced}};
    for (const LevelItem& entry : levelItems) {
        QAction* item = mnuUserLevel->addAction(QLatin1String(entry.caption));
        item->setObjectName(QLatin1String(entry.name));
        item->setCheckable(true);
        item->setChecked(entry.level == UserLevel::Advanced);
        levels->addAction(item);
        connect(item, &QAction::triggered, this, [this, level = entry.level] { applyUserLevel(*this, level); });
    }

    mnuNumberSelect = addMenu("mnuNumberSelect", QStringLiteral("&Number Selection"));
    addItem(mnuNumberSelect, "mnuSelectAll", QStringLiteral("Select &All Numbers"), &MainWindow::mnuSelectAll_Click);
    addItem(mnuNumberSelect, "mnuDeselectAll", QStringLiteral("&De-Select All Numbers"),
            &MainWindow::mnuDeselectAll_Click);
    addItem(mnuNumberSelect, "mnuRandom", QStringLiteral("Select Multiple &Random Numbers"),
            &MainWindow::mnuRandom_Click);
    mnuNumberSelect->addSeparator();
    addItem(mnuNumberSelect, "mnuGathra", QStringLiteral("Select Numbers With &Gathra"), &MainWindow::mnuGathra_Click);
    addItem(mnuNumberSelect, "mnuLoadGRPool", QStringLiteral("&Load Gathra's Picks"), &MainWindow::mnuLoadGRPool_Click);

    // A report command opens the report window captioned with the report Begin runs there.
    auto addReport = [this](QMenu* menu, const char* name, const QString& caption, const QString& reportCaption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        // The evens signature report keeps this window disabled while its window is open.
        const bool disableMain = reportCaption == QStringLiteral("Evens Signature Calculator");
        connect(action, &QAction::triggered, this,
                [this, reportCaption, disableMain] { openReport(reportCaption, disableMain); });
        return action;
    };
    mnuAnalysis = addMenu("mnuAnalysis", QStringLiteral("&Analysis"));
    struct Report {
        const char* name;
        const char* caption;
        const char* reportCaption; // none: no report behind it yet
    };
    const Report reports[] = {{"mnuSumCalc", "&Sum of Sets Calculator", "Sum of Sets Calculator"},
                              {"mnuEvensCalculator", "&Evens Signature Calculator", "Evens Signature Calculator"},
                              {"mnuSumHits", "Sum &Hits Report", "Sum Hits Counter"},
                              {"mnuSetSpan", "A-F S&pan of Set Report", "Span of Set Calculator"},
                              {"mnuMidpoint", "&Midpoint Analysis Report", "Midpoint Analysis Report"},
                              {"mnuNumCount", "&General Historic Number Count", "Historic Number Count"},
                              {"mnuABCount", "P&osition Specific Historic Number Count", nullptr},
                              {"mnuNumberLines", "Number &Lines Report", "Number Lines Calculator"},
                              {"mnuSkipHit", "S&kip/Hit Report", "Skip/Hit Report"},
                              {"mnuShadowing", "Number Sha&dowing Report", nullptr},
                              {"mnuHotNCold", "Hot && &Cold Numbers Calculator", nullptr},
                              {"mnuOnesFreq", "O&nes-Place Value Frequency Report", nullptr},
                              {"mnuTensFreq", "&Tens-Place Value Frequency Report", nullptr},
                              {"mnuVPosDif", "&Vertical Positional Difference Report", nullptr},
                              {"mnuHPosDif", "Ho&rizontal Positional Difference Report", nullptr}};
    for (const Report& report : reports) {
        if (report.reportCaption)
            addReport(mnuAnalysis, report.name, QLatin1String(report.caption), QLatin1String(report.reportCaption));
        else
            addLater(mnuAnalysis, report.name, QLatin1String(report.caption), kReportNotYet);
    }
    mnuAnalysis->addSeparator();
    addItem(mnuAnalysis, "mnuBacktest", QStringLiteral("&Backtest Current Filters"), &MainWindow::mnuBacktest_Click);
    addItem(mnuAnalysis, "mnuOddsCoverage", QStringLiteral("Odds &and Coverage"), &MainWindow::mnuOddsCoverage_Click);

    mnuTools = addMenu("mnuTools", QStringLiteral("&Tools"));
    addItem(mnuTools, "mnuOdds", QStringLiteral("&Odds"), &MainWindow::mnuOdds_Click);
    mnuTools->addSeparator();
    addItem(mnuTools, "mnuTallor", QStringLiteral("&Check For Winning Bets"), &MainWindow::mnuTallor_Click);
    addItem(mnuTools, "mnuCheckHistory", QStringLiteral("Check &Tickets Against History"),
            &MainWindow::mnuCheckHistory_Click);
    addItem(mnuTools, "mnuUpdateHistory", QStringLiteral("&Update Game History File"),
            &MainWindow::mnuUpdateHistory_Click);
    mnuTools->addSeparator();
    addReport(mnuTools, "mnuViewHistory", QStringLiteral("View && Manipulate &History"),
              QStringLiteral("View & Manipulate History"));
    addReport(mnuTools, "mnuViewOutput", QStringLiteral("View && Manipulate Output &File"),
              QStringLiteral("View & Manipulate Output File"));
    mnuTools->addSeparator();
    addItem(mnuTools, "mnuCalculator", QStringLiteral("C&alculator"), &MainWindow::mnuCalculator_Click);
    addItem(mnuTools, "mnuAbbreviatedWheel", QStringLiteral("A&bbreviated Wheel..."),
            &MainWindow::mnuAbbreviatedWheel_Click);
    mnuTools->addSeparator();
    addItem(mnuTools, "mnuPrintSelected", QStringLiteral("&Print Selected Number Pool"),
            &MainWindow::mnuPrintSelected_Click, QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuTools->addSeparator();
    addItem(mnuTools, "mnuUnInstallPrep", QStringLiteral("U&nInstall Prep"), &MainWindow::mnuUnInstallPrep_Click);

    mnuHelp = addMenu("mnuHelp", QStringLiteral("&Help"));
    addItem(mnuHelp, "mnuManual", QStringLiteral("View Orvane &Manual"), &MainWindow::mnuManual_Click,
            QKeySequence(Qt::Key_F1));
    addItem(mnuHelp, "mnuShowTips", QStringLiteral("Show &Tip of the Day"), &MainWindow::mnuShowTips_Click);
    mnuHelp->addSeparator();
    addItem(mnuHelp, "mnuAbout", QStringLiteral("&About Orvane..."), &MainWindow::mnuAbout_Click);
}

void MainWindow::mnuExit_Click() { close(); }

void MainWindow::mnuOdds_Click() {
    if (!shared_.game.isLotto649()) {
        showGameOdds();
        return;
    }
    const QStringList lines = {
        QStringLiteral("Your odds of winning a prize are as follws:"),
        QStringLiteral("6 of 6 Numbers: 1 in 13,983,816"),
        QStringLiteral("5 of 6 Numbers: 1 in 54,200.84"),
        QStringLiteral("4 of 6 Numbers: 1 in 1,032.4"),
        QStringLiteral("3 of 6 Numbers: 1 in 56.66"),
        QStringLiteral("Overall Odds:    1 in 53.66"),
        QStringLiteral("If you find yourself frequently catching one or more of these prizes in your results, and "
                       "there are fewer sets of numbers than indicated by the odds for that prize, then you are "
                       "'beating the odds'.")};
    platform_.message(lines.join(QStringLiteral("\n\n")), QStringLiteral("Your Odds According to Drossick"),
                      NoticeIcon::Information);
}

// The odds of another game's tiers, in the form of 6/49's table.
void MainWindow::showGameOdds() {
    const std::vector<OddsRow> rows = tierOddsRows(shared_.game);
    QStringList lines = {
        QStringLiteral("Your odds of winning a prize in %1 are as follows:").arg(qt(shared_.game.title()))};
    for (std::size_t r = 0; r + 1 < rows.size(); ++r)
        lines << qt(rows[r].tier) + QStringLiteral(": ") + qt(rows[r].oneIn);
    lines << QStringLiteral("Overall Odds:    ") + qt(rows.back().oneIn);
    lines << QStringLiteral("Analysis > Odds and Coverage counts how much of every draw a ticket file covers.");
    platform_.message(lines.join(QStringLiteral("\n\n")), QStringLiteral("Your Odds According to Drossick"),
                      NoticeIcon::Information);
}

namespace {

// One window of a tool at a time: made on first use, brought forward after.
// The main window takes the focus back once it goes.
template <typename Window>
void showToolWindow(QPointer<Window>& window, QWidget* owner, Platform& platform, SharedSettings& shared) {
    if (!window) {
        window = new Window(platform, shared, owner);
        QObject::connect(window, &QObject::destroyed, owner, &QWidget::activateWindow);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void MainWindow::mnuOddsCoverage_Click() { showToolWindow(oddsWindow_, this, platform_, shared_); }

void MainWindow::mnuCheckHistory_Click() { showToolWindow(historyCheck_, this, platform_, shared_); }

void MainWindow::mnuPrintSelected_Click() {
    const int fewest = minimumPoolSize(shared_.game);
    if (poolSize() < fewest) {
        platform_.message(QStringLiteral("There are not enough numbers selected for this operation.  Select %1 or more "
                                         "numbers, and then try again.")
                              .arg(fewest),
                          QStringLiteral("Unable to Complete Operation"), NoticeIcon::Exclamation);
        return;
    }
    std::unique_ptr<PrintDocument> document =
        platform_.beginPrint({QStringLiteral("Orvane Selected Number Pool"), fixedPitchFont(12), {}});
    if (!document) {
        platform_.message(QStringLiteral("The printer could not be opened, so the pool was not printed."),
                          QStringLiteral("Printing"), NoticeIcon::Exclamation);
        return;
    }
    const QDateTime when = platform_.now();
    document->printLine(QStringLiteral("Orvane Selected Number Printing Utility"));
    document->printLine(QStringLiteral("Report generated ") + dateText(when) + QStringLiteral(" at ") + timeText(when));
    document->printLine(QString());
    document->printLine(QStringLiteral("The numbers selected are as follows:"));
    document->printLine(QString());
    int count = 0;
    for (int index = 0; index < lstNumbers->count(); ++index) {
        if (!lstNumbers->item(index)->isSelected()) continue;
        document->printLine(QString::number(index + 1));
        ++count;
    }
    document->printLine(QString());
    document->printLine(QString::number(count) + QStringLiteral(" numbers selected in total."));
    document->end();
    platform_.message(QStringLiteral("Printing pool."), QStringLiteral("Command Status"), NoticeIcon::Information);
}

void MainWindow::deleteOutputFile(const std::string& path, const QString& command) {
    // Nothing is erased unasked; No, the default button, keeps the file. A file
    // that is not there needs no question.
    if (QFileInfo::exists(qt(path)) &&
        platform_.message(QStringLiteral("Erase ") + qt(path) +
                              QStringLiteral("?  What it holds cannot be brought back."),
                          command, NoticeIcon::Question, Platform::Buttons::YesNoDefaultNo) != Platform::Reply::Yes)
        return;
    std::string why;
    switch (removeFile(path, &why)) {
    case Removal::Deleted:
        platform_.message(QStringLiteral("Output file ") + qt(path) + QStringLiteral(" has been erased."),
                          QStringLiteral("Command Completed"), NoticeIcon::Information);
        return;
    case Removal::Missing:
        platform_.message(qt(path) + QStringLiteral(" could not be found.  There is nothing to delete."),
                          QStringLiteral("Nothing To Do"), NoticeIcon::Information);
        return;
    case Removal::Failed:
        // The file is there: saying it was not found would send the user looking for it.
        platform_.message(qt(path) + QStringLiteral(" could not be deleted (") + qt(why) + QStringLiteral(")."),
                          QStringLiteral("Command Failed"), NoticeIcon::Exclamation);
        return;
    }
}

void MainWindow::mnuDeleteOuput_Click() {
    deleteOutputFile(shared_.wheelOutputPath, QStringLiteral("Delete Orvane's Output File"));
}

void MainWindow::mnuDelGathraTxt_Click() {
    deleteOutputFile(shared_.poolPath, QStringLiteral("Delete Gathra's Output File"));
}

void MainWindow::mnuUnInstallPrep_Click() {
    const Platform::Reply answer = platform_.message(
        QStringLiteral("These routines will prepare Orvane for uninstallation by removing all files that this program "
                       "may have created since being installed.  If these files are not removed before "
                       "uninstallation, it will be impossible for the uninstall wizard to complete it's job.  Do you "
                       "wish to continue with the uninstallation prep?"),
        QStringLiteral("Uninstall Prep Verification"), NoticeIcon::Question, Platform::Buttons::YesNo);
    if (answer != Platform::Reply::Yes) return;
    shared_.poolStop = true;
    std::vector<std::string> files = uninstallFilesIn(QDir::currentPath().toStdString());
    files.push_back(shared_.wheelOutputPath);
    files.push_back(shared_.poolPath);
    // The settings files of the other games are the program's too; their histories are the user's.
    for (const Game& game : knownGames(shared_.dataPaths))
        if (!game.isLotto649()) files.push_back(gamePaths(shared_.dataPaths, game).settings);
    // Only files that exist are deleted, and never the history: it holds the user's own draws.
    const std::vector<std::string> failed = removeExisting(files, shared_.historyPath);
    if (!failed.empty()) {
        QStringList names;
        for (const std::string& path : failed) names << qt(path);
        platform_.message(
            QStringLiteral("These files could not be deleted, so uninstallation prep is not complete:\n") +
                names.join(QLatin1Char('\n')),
            QStringLiteral("Uninstallation Prep Status"), NoticeIcon::Exclamation);
        return;
    }
    platform_.message(
        QStringLiteral("Extraneous files erased.  Uninstallation prep has been completed successfully.  You may now "
                       "proceed with uninstallation.\n\nTo uninstall Orvane, click Start; highlight Settings; Click "
                       "Control Panel; Double-click Add/Remove Programs.  Select Orvane from the list by clicking on "
                       "it.  Then click the button labelled Add/Remove."),
        QStringLiteral("Uninstallation Prep Status"), NoticeIcon::Information);
}

void MainWindow::mnuSelectAll_Click() {
    selectAllRequest_ = true;
    listBusy_ = true;
}

void MainWindow::mnuDeselectAll_Click() {
    deselectAllRequest_ = true;
    listBusy_ = true;
}

void MainWindow::mnuRandom_Click() {
    const int fewest = minimumPoolSize(shared_.game);
    const int highest = shared_.game.highest();
    for (;;) {
        const QString answer =
            platform_.inputBox(QStringLiteral("Please specify how many random numbers you wish chosen.  Valid input is "
                                              "an integer from %1 to %2.")
                                   .arg(fewest)
                                   .arg(highest),
                               QStringLiteral("Gathering Information..."));
        if (answer.isEmpty()) return;
        if (const std::optional<int> count = wholeNumberFrom(answer.toStdString(), fewest, highest)) {
            randomCount_ = *count;
            return;
        }
        platform_.message(QStringLiteral("You must enter an integer value from %1 to %2.").arg(fewest).arg(highest),
                          QStringLiteral("Data Input Error"), NoticeIcon::Information);
    }
}

void MainWindow::Timer2_Timer() {
    // The pool's numbers (of a Minimum list or a Verbose report) join the pick
    // one by one through the list's own recount; a failure keeps those
    // selected before it. A number already in the pick is passed over, so a
    // long file repeating its numbers costs at most N selections in this tick.
    // The file is read for the game played: a number beyond its own is named.
    const int highest = shared_.game.highest();
    if (loadPicksRequest_) {
        loadPicksRequest_ = false;
        const PoolFileRead read = readPoolFile(shared_.poolPath, shared_.game);
        for (int number : read.numbers) {
            if (number < 1 || number > highest) continue;
            QListWidgetItem* item = lstNumbers->item(number - 1);
            if (!item->isSelected()) item->setSelected(true);
        }
        bonusPick_->pick(read.bonus);
        // Said when the file was a report rather than a list, and when it failed.
        if (const std::optional<Notice> notice = poolLoadNotice(read, shared_.poolPath, shared_.game))
            platform_.notify(*notice);
    }
    // Bulk changes of the list are made here, with its recount held back until
    // the end, so the count shows once and the clock does not count meanwhile.
    if (randomCount_ > 0) {
        listBusy_ = true;
        for (int index = 0; index < highest; ++index) lstNumbers->item(index)->setSelected(false);
        int chosen = 0;
        while (chosen < randomCount_) {
            const int index = qBound(0, static_cast<int>(platform_.randomFraction() * highest), highest - 1);
            if (lstNumbers->item(index)->isSelected()) continue;
            lstNumbers->item(index)->setSelected(true);
            ++chosen;
        }
        randomCount_ = 0;
        listBusy_ = false;
        lblPoolSize->setText(QString::number(chosen));
    }
    if (selectAllRequest_) {
        listBusy_ = true;
        lstNumbers->selectAll();
        listBusy_ = false;
        lblPoolSize->setText(QString::number(lstNumbers->selectedItems().size()));
        if (poolSize() == highest) selectAllRequest_ = false;
    }
    if (deselectAllRequest_) {
        listBusy_ = true;
        lstNumbers->clearSelection();
        // The bonus slip is a part of the pick: it empties with the main one.
        bonusPick_->clearPick();
        listBusy_ = false;
        lblPoolSize->setText(QString::number(lstNumbers->selectedItems().size()));
        if (poolSize() == 0) deselectAllRequest_ = false;
    }
}

// The pool window is made at start, hidden; the menu item shows it.
void MainWindow::mnuGathra_Click() {
    poolWindow_->show();
    poolWindow_->raise();
    poolWindow_->activateWindow();
}

void MainWindow::mnuLoadGRPool_Click() { loadPicksRequest_ = true; }

void MainWindow::mnuManual_Click() { openManual(false); }

void MainWindow::openManual(bool gathra) {
    if (!manualViewer_) {
        manualViewer_ = new ManualViewer(platform_, gathra, this);
        connect(manualViewer_, &ManualViewer::closed, this, &MainWindow::windowPutAway);
    }
    setMainEnabled(false);
    manualViewer_->show();
    manualViewer_->raise();
    manualViewer_->activateWindow();
}

// The tip window is made on first use and then only hidden, keeping its tips.
void MainWindow::mnuShowTips_Click() {
    if (!tipWindow_) {
        tipWindow_ = new TipWindow(platform_, this);
        connect(tipWindow_, &TipWindow::putAway, this, &MainWindow::windowPutAway);
    }
    tipWindow_->showTip();
}

void MainWindow::showStartupTip() {
    if (TipWindow::wantedAtStartup(platform_)) mnuShowTips_Click();
}

void MainWindow::mnuAbout_Click() { showAboutBox(AboutBox::Kind::Orvane, this); }

// One backtest window at a time. Its Begin takes the filters and the pick as
// they stand then: a pick too small to wheel stands for every number of the game.
void MainWindow::mnuBacktest_Click() {
    if (!backtest_) {
        backtest_ = new BacktestWindow(
            platform_, shared_,
            [this] {
                BacktestWindow::Start start{filters_->read(), {}};
                if (poolSize() > shared_.game.perTicket()) start.pick = selectedNumbers();
                return start;
            },
            this);
        connect(backtest_, &QObject::destroyed, this, &QWidget::activateWindow);
    }
    backtest_->show();
    backtest_->raise();
    backtest_->activateWindow();
}

// One abbreviated-wheel window at a time. Its Begin takes the selected
// numbers and the output options as they stand then.
void MainWindow::mnuAbbreviatedWheel_Click() {
    if (!abbreviatedWheel_) {
        abbreviatedWheel_ = new AbbreviatedWheelWindow(
            platform_, shared_, &busy_,
            [this] {
                AbbreviatedWheelWindow::Start start;
                start.pool = selectedNumbers();
                if (!shared_.game.isLotto649() && bonusPick_) start.bonus = bonusPick_->picked();
                start.numbered = mnuRecordNumbers->isChecked();
                start.append = optnAppend->isChecked();
                return start;
            },
            this);
        connect(abbreviatedWheel_, &QObject::destroyed, this, &QWidget::activateWindow);
    }
    abbreviatedWheel_->show();
    abbreviatedWheel_->raise();
    abbreviatedWheel_->activateWindow();
}

// One calculator at a time; its File > Exit ends the program as this window's Exit does.
void MainWindow::mnuCalculator_Click() {
    if (!calculator_) {
        calculator_ = new CalculatorWindow(this);
        connect(calculator_, &CalculatorWindow::aboutRequested, calculator_,
                [calculator = calculator_.data()] { showAboutBox(AboutBox::Kind::Orvane, calculator); });
        connect(calculator_, &CalculatorWindow::exitProgramRequested, this, &QWidget::close);
    }
    calculator_->show();
    calculator_->raise();
    calculator_->activateWindow();
}

// One checker and one recording window at a time: the menu item brings the open one forward.
void MainWindow::mnuTallor_Click() {
    if (!winChecker_) {
        if (shared_.game.isLotto649())
            winChecker_ = new WinCheckerWindow(platform_, shared_, busy_, this);
        else
            winChecker_ = new GameWinCheckerWindow(platform_, shared_, busy_, this);
        connect(winChecker_, &QObject::destroyed, this, &QWidget::activateWindow);
    }
    winChecker_->show();
    winChecker_->raise();
    winChecker_->activateWindow();
}

void MainWindow::mnuUpdateHistory_Click() {
    if (!drawRecording_) {
        drawRecording_ = new DrawRecordingWindow(platform_, shared_, this);
        drawRecording_->setAttribute(Qt::WA_DeleteOnClose);
        // Done gives the focus back to the main window.
        connect(drawRecording_, &QDialog::finished, this, &QWidget::activateWindow);
    }
    drawRecording_->show();
    drawRecording_->raise();
    drawRecording_->activateWindow();
}

// One report window at a time: a report command re-captions the open one and
// brings it forward. While it runs the report commands are disabled.
void MainWindow::openReport(const QString& caption, bool disableMain) {
    if (!reportWindow_) {
        reportWindow_ = new ReportWindow(platform_, shared_, busy_, this);
        connect(reportWindow_, &ReportWindow::closed, this, &MainWindow::windowPutAway);
    }
    if (disableMain) setMainEnabled(false);
    if (!reportWindow_->running()) reportWindow_->setWindowTitle(caption);
    reportWindow_->show();
    reportWindow_->raise();
    reportWindow_->activateWindow();
}

void MainWindow::openFile(const QString& path) {
    if (shared_.restoreRequest) {
        shared_.restoreRequest = false;
        restoreSettings();
    }
    const bool history = path.endsWith(QStringLiteral(".HIT"), Qt::CaseInsensitive);
    (history ? shared_.historyPath : shared_.wheelOutputPath) = path.toStdString();
    openReport(history ? QStringLiteral("View & Manipulate History") : QStringLiteral("View & Manipulate Output File"),
               false);
    reportWindow_->begin();
}

// However a window opened from here went away, this window is usable again and has the focus.
void MainWindow::windowPutAway() {
    setMainEnabled(true);
    activateWindow();
}

// The window's own controls and menus; the windows opened from it stay usable.
void MainWindow::setMainEnabled(bool enabled) {
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
}

bool MainWindow::closeEditingWindows() {
    const QList<QWidget*> windows{static_cast<QWidget*>(reportWindow_.data()),
                                  static_cast<QWidget*>(manualViewer_.data())};
    for (QWidget* window : windows)
        if (window && window->isVisible() && !window->close()) return false;
    return true;
}

} // namespace orvane
