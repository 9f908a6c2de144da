// The game switch of frmOrvaneMain: the window made anew for the game chosen
// in the Game menu, and what the window shows of the game played.
#include "app/MainWindow.h"

#include "accessories/ManualViewer.h"
#include "app/BonusPick.h"
#include "app/FilterPanel.h"
#include "app/GameMenu.h"
#include "app/LockedBoxLook.h"
#include "app/Startup.h"
#include "app/UserLevels.h"
#include "backtest/BacktestWindow.h"
#include "core/Version.h"
#include "cover/AbbreviatedWheelWindow.h"
#include "tally/HistoryCheckWindow.h"
#include "tally/OddsWindow.h"
#include "history/DrawRecordingWindow.h"
#include "platform/FixedFont.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "pool/PoolWindow.h"
#include "reports/ReportWindow.h"
#include "tally/WinCheckerWindow.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

#include <algorithm>

namespace orvane {

namespace {
const QString kServesLotto649 =
    QStringLiteral("This serves 6/49 so far: choose Lotto 6/49 in the Game menu to use it.");
} // namespace

void MainWindow::switchGame(const Game& game) {
    // The menu is off while a long operation runs; a switch asked for meanwhile does nothing.
    if (game == shared_.game || !busy_.idle()) {
        mnuGame->setCurrent(shared_.game);
        return;
    }
    // The settings first: Cancel there leaves everything as it was, the tool windows open too.
    if (!settingsMayGo(QStringLiteral("Save the settings before changing the game to %1?").arg(qt(game.title()))) ||
        !closeGameWindows()) {
        mnuGame->setCurrent(shared_.game);
        return;
    }
    shared_.useGame(game);
    requestSavedSettings(shared_, platform_);
    rebuildForGame();
    // The window as it starts for the game: its defaults, then its settings file when it has one.
    settingsInFile_ = settingsText(currentSettings());
    settingsFileInUse_ = shared_.settingsPath;
    if (shared_.restoreRequest) {
        shared_.restoreRequest = false;
        restoreSettings();
    }
    keepGame(platform_, game);
    mnuGame->setCurrent(game);
}

bool MainWindow::closeGameWindows() {
    if (!closeEditingWindows()) return false;
    // The tool windows read the game's files when they begin: none stays open on another game's.
    for (QWidget* window : {winChecker_.data(), static_cast<QWidget*>(drawRecording_.data()),
                            static_cast<QWidget*>(backtest_.data()), static_cast<QWidget*>(abbreviatedWheel_.data()),
                            static_cast<QWidget*>(oddsWindow_.data()), static_cast<QWidget*>(historyCheck_.data())})
        if (window) window->close();
    poolWindow_->hide();
    return true;
}

void MainWindow::rebuildForGame() {
    const Game& game = shared_.game;
    listBusy_ = selectAllRequest_ = deselectAllRequest_ = loadPicksRequest_ = false;
    randomCount_ = 0;
    lstNumbers->showNumbers(game.highest());
    lblPoolSize->setText(QStringLiteral("0"));
    bonusPick_->showFor(game);
    poolWindow_->showFor(game);

    const int shownTab = tabs_->currentIndex();
    filters_.reset();
    for (int tab = 0; tab < 3; ++tab) {
        QWidget* page = tabs_->widget(1);
        tabs_->removeTab(1);
        delete page;
    }
    buildFilterTabs();
    for (int tab = 1; tab <= 3; ++tab) showLockedBoxesAsLocked(tabs_->widget(tab));
    tabs_->setCurrentIndex(shownTab);
    applyUserLevel(*this, userLevelOf(*this));
    filters_->loadPositionalAnalysis(
        platform_.setting(QStringLiteral("Enable Positional Analysis"), QStringLiteral("0")) == QStringLiteral("1"));

    // The results of a run of the game before mean nothing for this one.
    for (QLineEdit* box : {txtOutput, txtGenerated, txtSetsPassing, txtPassing}) box->clear();
    clockSeconds_ = clockMinutes_ = clockHours_ = 0;
    lblTimer->setText(QStringLiteral("0:00:00"));
    showGame();
    // The layouts keep the sizes of the game before until their events come:
    // they take the new controls' sizes now, innermost first, so that the
    // smallest size is the new game's.
    QList<QWidget*> widgets = findChildren<QWidget*>();
    std::reverse(widgets.begin(), widgets.end());
    for (QWidget* widget : widgets)
        if (widget->layout() && widget->window() == this) widget->layout()->activate();
    layout()->activate();
    setMinimumSize(minimumSizeHint());
    // A larger game's window grows to the size it asks for, as far as the screen allows.
    QSize wanted = size().expandedTo(sizeHint());
    if (const QScreen* shown = screen()) wanted = wanted.boundedTo(shown->availableSize());
    resize(wanted.expandedTo(minimumSize()));
}

void MainWindow::showGame() {
    const Game& game = shared_.game;
    // 6/49 keeps the title it always had; another game is named.
    if (game.isLotto649())
        setWindowTitle(QStringLiteral("Orvane - Version %1.%2 Beta, Build %3")
                           .arg(kVersionMajor)
                           .arg(kVersionMinor, 2, 10, QLatin1Char('0'))
                           .arg(kVersionRevision));
    else
        setWindowTitle(QStringLiteral("Orvane - ") + qt(game.title()));
    if (game.isLotto649())
        busy_.end(kOtherGame);
    else
        busy_.begin(kOtherGame);
    // A tool that is off says why.
    for (QAction* action : findChildren<QAction*>())
        if (busy_.lists(kOtherGame, action->objectName()))
            action->setToolTip(game.isLotto649() ? QString() : kServesLotto649);
    fitLastSetBox();
}

void MainWindow::fitLastSetBox() {
    // Room for the k numbers of a set.
    const QString widest = QStringLiteral("00 ").repeated(shared_.game.perTicket()).trimmed();
    txtOutput->setMinimumWidth(QFontMetrics(txtOutput->font()).horizontalAdvance(widest) + 16);
}

} // namespace orvane
