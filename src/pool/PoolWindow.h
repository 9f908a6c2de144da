#pragma once

#include "core/SharedSettings.h"
#include "platform/BusyState.h"
#include "platform/JobDriver.h"
#include "pool/PoolGeneration.h"
#include "settings/SettingsFile.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace orvane {

class Platform;
class PoolBatchJob;
class PoolJob;

// frmGathraMain, "VN-Gathra": proposes a pool of the numbers that came most
// often right after the stretches of the history most like its latest draws.
// Begin runs the generation as a sliced job showing each step, then shows the
// pool in the Minimum or Verbose style and saves or prints it when asked; the
// Optimization menu runs the same generation as a batch over one to five
// following draws. The window is made once, hidden, and only ever hidden again
// (by Exit or its title bar), so its choices last until the program ends.
// In a game with a bonus pool it proposes bonus numbers too, ranked the same way.
class PoolWindow : public QMainWindow {
    Q_OBJECT
public:
    // The busy state's name for a pool run or batch.
    static inline const QString kPoolRun = QStringLiteral("pool run");

    PoolWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent = nullptr);
    ~PoolWindow() override;

    bool running() const { return job_ != nullptr || batch_ != nullptr; }

    // Makes the window serve `game`: its pool sizes run to the game's highest
    // number, and a game with a bonus pool has the bonus pool's size beside
    // them. The window shows the whole ranking of each until a size is chosen.
    void showFor(const Game& game);

    // The window's lines of the settings file, and applying them as the user would.
    PoolWindowSettings settings() const;
    void applySettings(const PoolWindowSettings& settings);

    // The pool file's dialog, shared with the main window's "Save Gathra's Output As...":
    // it keeps the name of its previous use.
    void choosePoolFile();
    // Ends a running generation or batch at once; nothing is saved or printed.
    void stopRun();

signals:
    // A run or batch has ended, however it ended, and the window is idle again.
    void runEnded();
    // The window was put away by Exit or its title bar.
    void putAway();
    // Help > Gathra Manual Viewer: the manual viewer, opened on the pool generator's manual.
    void manualRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout (PoolWindowLayout.cpp).
    void buildWindow();
    void buildMenus();
    QWidget* buildParameters();

    void cmdBegin_Click();
    void cmdClear_Click();
    void cmdExit_Click();
    void cmdStop_Click();
    void mnuOptimize_Click();
    bool runSlice();
    void showProgress();
    void endRun();
    void showPool(const PoolOutcome& outcome, bool verbose);
    void saveAndPrint();
    void setRunning(bool running, bool batch);
    int selectedDraws() const;
    void selectDraws(int draws);

    Platform& platform_;
    SharedSettings& shared_;
    // The busy state belongs to the main window, which may be gone first.
    QPointer<BusyState> busy_;
    JobDriver driver_;
    std::unique_ptr<PoolJob> job_;
    std::unique_ptr<PoolBatchJob> batch_;
    // What the run in progress was started with: it keeps them whatever the
    // boxes and shared paths do meanwhile.
    PoolParameters parameters_;
    Game game_ = Game::lotto649(); // the game served, and the game of the run in progress
    QString trendText_;
    QString groupsText_;
    bool verbose_ = true;
    bool save_ = false;
    bool print_ = false;
    std::string poolPath_;
    std::string historyPath_;
    bool finished_ = false;
    bool outputCleared_ = false;
    QString dialogFileName_;

    std::array<QRadioButton*, 5> drawOptions_{}; // optn1Draw .. optn5Draws
    QComboBox* cboTrendLength = nullptr;
    QComboBox* cboBestGroups = nullptr;
    QComboBox* cboPoolSize = nullptr;
    QComboBox* cboBonusPoolSize = nullptr; // shown in a game with a bonus pool
    QWidget* bonusSizeLabel_ = nullptr;
    QRadioButton* optnVerbose = nullptr;
    QRadioButton* optnMinimum = nullptr;
    QCheckBox* chkSaveToDisk = nullptr;
    QCheckBox* chkSendToPrinter = nullptr;
    QPushButton* cmdBegin = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
    QPlainTextEdit* txtOutput = nullptr;
    QPlainTextEdit* txtStatus = nullptr; // two lines while it locates the groups
    QLineEdit* txtAction = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnoOpt = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuOptimize = nullptr;
};

} // namespace orvane
