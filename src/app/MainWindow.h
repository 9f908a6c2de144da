#pragma once

#include "app/FilterPanel.h"
#include "app/NumberGrid.h"
#include "core/Game.h"
#include "core/SharedSettings.h"
#include "platform/BusyState.h"
#include "platform/JobDriver.h"
#include "settings/SettingsFile.h"
#include "wheel/GameWheel.h"
#include "wheel/WheelJob.h"
#include "wheel/WheelStart.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace orvane {

class BacktestWindow;
class BonusPick;
class GameMenu;
class AbbreviatedWheelWindow;
class HistoryCheckWindow;
class OddsWindow;
class CalculatorWindow;
class DrawRecordingWindow;
class ManualViewer;
class Platform;
class PoolWindow;
class TipWindow;
class ReportWindow;
class WinCheckerWindow;
class PrintDocument;

// frmOrvaneMain: the number list, the filter tabs, the output options, the
// wheel run's controls and results, and the menu bar; all of them for the game
// played (shared.game), which the Game menu changes.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Platform& platform, SharedSettings& shared, QWidget* parent = nullptr);
    ~MainWindow() override;

    bool wheelRunning() const { return job_ != nullptr || gameJob_ != nullptr; }
    const Game& game() const { return shared_.game; }
    // Plays `game` from now on: settings changed since they were saved are
    // offered for saving first (Cancel keeps the game), the windows opened from
    // this one close, and the number list, the bonus slip and the filter tabs
    // are made anew for the game, with its settings file restored. Nothing
    // changes while a long operation runs.
    void switchGame(const Game& game);
    // Shows a history (.HIT) or a wheel output file (.TB) in the report window's
    // viewer, as a double click on one asks; the settings of the start are
    // restored first, so that they do not replace its path afterwards.
    void openFile(const QString& path);
    // The tip of the day, when the user wants one at start.
    void showStartupTip();
    // The long operations running and the commands they keep disabled; the
    // windows opened from this one add their operations and commands to it.
    BusyState& busy() { return busy_; }

    // The busy state's name for a wheel run.
    static inline const QString kWheelRun = kWheelRunOperation;
    // The busy state's condition while a game other than 6/49 is played: the
    // tools that serve 6/49 alone so far are off.
    static inline const QString kOtherGame = QStringLiteral("another game");

signals:
    // The run has ended and the window is restored.
    void wheelRunEnded();

protected:
    // A close of any kind first offers to save settings changed since they were last saved or loaded.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Event handlers, named after the controls that raise them.
    void lstNumbers_Click();
    void cmdChooseRandom_Click();
    void cmdClear_Click();
    void cmdExit_Click();
    void cmdWheel_Click();
    void cmdStopWheeling_Click();
    void Timer1_Timer();
    void Timer3_Timer();
    void mnuHistoryFile_Click();
    void mnuImportDraws_Click();
    void mnuSaveAs_Click();
    void mnuSaveGRAs_Click();
    void mnuSaveSettings_Click();
    void mnuRestoreSettings_Click();
    void mnuRecordNumbers_Click();
    void mnuExit_Click();
    void optnOutputDestination_Click();
    void mnuDeleteOuput_Click();
    void mnuDelGathraTxt_Click();
    void mnuSelectAll_Click();
    void mnuDeselectAll_Click();
    void mnuRandom_Click();
    void mnuOdds_Click();
    void mnuTallor_Click();
    void mnuCheckHistory_Click();
    void mnuOddsCoverage_Click();
    void showGameOdds();
    void mnuUpdateHistory_Click();
    void windowPutAway();
    void mnuManual_Click();
    void mnuShowTips_Click();
    void mnuAbout_Click();
    void mnuCalculator_Click();
    void mnuAbbreviatedWheel_Click();
    void mnuBacktest_Click();
    void mnuGathra_Click();
    void mnuLoadGRPool_Click();
    void mnuPrintSelected_Click();
    void mnuUnInstallPrep_Click();
    void Timer2_Timer();

private:
    // Layout (MainWindowLayout.cpp).
    void buildWindow();
    void buildFilterTabs(); // the three filter tabs for the game played, after the control panel
    void buildMenus();      // MainWindowMenus.cpp, with the menus' commands
    // Asks first, naming the file; `command` is the menu item's caption.
    void deleteOutputFile(const std::string& path, const QString& command);
    QWidget* buildControlPanel();
    QGroupBox* buildNumberFrame();
    QGroupBox* buildMasterControls();
    QGroupBox* buildResultsFrame();
    QGroupBox* buildOutputFrames(QGroupBox*& frameB);

    // Main window load.
    void load();
    // The title, the tools the game can use and the room for its sets.
    void showGame();
    void fitLastSetBox();
    // The game switch (MainWindowGame.cpp): the windows that serve one game go
    // away first; false when the user keeps one open.
    bool closeGameWindows();
    void rebuildForGame();
    void addNumberListCommands();
    int poolSize() const;
    // The numbers selected in lstNumbers, ascending.
    std::vector<int> selectedNumbers() const;
    void showClock();

    // Opens the report window (one at a time) with `caption`, the report its
    // Begin runs; `disableMain` keeps this window disabled until it closes.
    void openReport(const QString& caption, bool disableMain);
    void setMainEnabled(bool enabled);
    // Opens the manual viewer (one at a time), this window disabled meanwhile.
    void openManual(bool gathra);

    // File-choice commands.
    // The dialog starts at `current`, the path of the file chosen until now.
    QString chooseFile(const QString& filter, const QString& extension, const std::string& current, bool save,
                       bool confirmOverwrite = true);
    void statusMessage(const QString& text);
    void chooseSettingsFile(bool save);

    // The settings file (MainWindowSettings.cpp).
    SettingsFile currentSettings() const;
    bool saveSettings();
    void restoreSettings();
    void applySettings(const SettingsFile& file);
    // The settings file at `path` now holds the settings as they stand: it is
    // the one the next start restores, and closing asks nothing until they change.
    void settingsKeptIn(const std::string& path);
    // Before the window closes: Yes saves changed settings, No drops them, Cancel (false) stays.
    // Closes the report window and the manual viewer first, each asking about
    // edits of its own; false when the user keeps one open.
    bool closeEditingWindows();
    bool mayClose();
    // Before settings changed since they were last saved or loaded are left:
    // `question` with Yes (save), No (drop) and Cancel (false, stay).
    bool settingsMayGo(const QString& question);

    // The wheel run (MainWindowWheel.cpp).
    // Before a printed run of up to `mostLines` lines: true to go on.
    bool confirmLargePrintout(std::uint64_t mostLines);
    void lockForRun();
    // A run of another game than 6/49, through its own engine.
    void startGameRun();
    // Shows what the start did to the pick and the filters; false when it refused the run.
    template <typename Start> bool showStart(Start& start);
    void startClock();
    std::unique_ptr<WheelOutput> openOutput(int poolSize, Notice& failure);
    std::unique_ptr<WheelOutput> openGameOutput(int poolSize, std::uint64_t mostBytes, Notice& failure);
    std::unique_ptr<WheelOutput> openPrintedOutput(int poolSize, Notice& failure);
    bool wheelSlice();
    void showRunProgress();
    void showGameRunProgress(const GameWheel& job);
    void endRun();

    Platform& platform_;
    SharedSettings& shared_;

    QTabWidget* tabs_ = nullptr;
    NumberGrid* lstNumbers = nullptr;
    BonusPick* bonusPick_ = nullptr;
    GameMenu* mnuGame = nullptr;
    QLabel* lblPoolSize = nullptr;
    QPushButton* cmdWheel = nullptr;
    QPushButton* cmdStopWheeling = nullptr;
    QPushButton* cmdChooseRandom = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
    QLineEdit* txtOutput = nullptr;
    QLineEdit* txtGenerated = nullptr;
    QLineEdit* txtSetsPassing = nullptr;
    QLineEdit* txtPassing = nullptr;
    QLabel* lblTimer = nullptr;
    QRadioButton* optnOutToFile = nullptr;
    QRadioButton* optnOutToPrinter = nullptr;
    QRadioButton* optnOutToNothing = nullptr;
    QRadioButton* optnOverwrite = nullptr;
    QRadioButton* optnAppend = nullptr;
    QCheckBox* chkEnableRavelin = nullptr;
    std::unique_ptr<FilterPanel> filters_;

    QMenu* mnuFile = nullptr;
    QMenu* mnuUserLevel = nullptr;
    QMenu* mnuNumberSelect = nullptr;
    QMenu* mnuAnalysis = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuRecordNumbers = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr; // serves the settings requests
    QString lastImport_;      // the draw file imported last, where the next import's dialog opens
    // The settings file's text as last saved or loaded (or as the window started).
    std::string settingsInFile_;
    // The settings file last saved or loaded: where the settings go back to when
    // a file chosen to load is refused for being another game's.
    std::string settingsFileInUse_;

    // Number selection state: the bulk changes of the list wait for Timer2.
    bool listBusy_ = false;
    bool selectAllRequest_ = false;
    bool deselectAllRequest_ = false;
    bool loadPicksRequest_ = false;
    int randomCount_ = 0; // numbers to choose at random, 0 when none is asked for
    QTimer* Timer2 = nullptr;

    // Elapsed-time clock of the run.
    bool running_ = false;
    int clockSeconds_ = 0;
    int clockMinutes_ = 0;
    int clockHours_ = 0;

    BusyState busy_;

    // The tool windows opened from the menu, while they are open.
    QPointer<QWidget> winChecker_; // 6/49's or another game's win checker
    QPointer<OddsWindow> oddsWindow_;
    QPointer<HistoryCheckWindow> historyCheck_;
    QPointer<DrawRecordingWindow> drawRecording_;
    QPointer<ReportWindow> reportWindow_;
    // Made hidden at start and only ever hidden again, so its choices last.
    QPointer<PoolWindow> poolWindow_;
    QPointer<TipWindow> tipWindow_;
    QPointer<ManualViewer> manualViewer_;
    QPointer<CalculatorWindow> calculator_;
    QPointer<AbbreviatedWheelWindow> abbreviatedWheel_;
    QPointer<BacktestWindow> backtest_;

    // The run in progress, if any.
    JobDriver driver_;
    std::unique_ptr<WheelJob> job_;
    std::unique_ptr<GameWheel> gameJob_;           // a run of another game than 6/49
    std::shared_ptr<PrintDocument> printDocument_; // a printed run's document, ended with the run
    bool wheelStop_ = false;
};

} // namespace orvane
