#pragma once

#include "core/Combination.h"
#include "core/SharedSettings.h"
#include "cover/Guarantee.h"
#include "platform/JobDriver.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace orvane {

class BusyState;
class CoverJob;
class Platform;

// frmAbbreviatedWheel: a short list of tickets of the game played (six
// numbers for 6/49) from the numbers selected on the main window that keeps a
// guarantee "t if m", searched for as a sliced
// job within a time budget and proved before it is shown. Write to Output File
// writes the list to the wheel output file with the main window's output
// options, so the win checker and the output viewer read it; a search never
// writes by itself. Print prints it. Stop keeps the best list proved so far;
// Done, Escape and the title bar stop a search first.
class AbbreviatedWheelWindow : public QWidget {
    Q_OBJECT
public:
    // What Begin starts from: the selected numbers and how the output file is written.
    struct Start {
        std::vector<int> pool;
        std::vector<int> bonus; // the bonus numbers picked, for a game with a bonus pool
        bool numbered = false;
        bool append = false;
    };
    using StartSource = std::function<Start()>;

    AbbreviatedWheelWindow(Platform& platform, SharedSettings& shared, BusyState* busy, StartSource source,
                           QWidget* parent = nullptr);
    ~AbbreviatedWheelWindow() override;

    bool running() const { return job_ != nullptr; }

signals:
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void showPool();
    int fewestPool() const;
    void cmdBegin_Click();
    void cmdStop_Click();
    void cmdWrite_Click();
    void cmdPrint_Click();
    void showProgress();
    void endRun();
    void setRunning(bool running);
    bool writeTickets();

    Platform& platform_;
    SharedSettings& shared_;
    BusyState* busy_;
    StartSource source_;
    JobDriver driver_;
    std::unique_ptr<CoverJob> job_;
    Start start_;
    Guarantee guarantee_;
    std::vector<std::vector<int>> tickets_;

    QLabel* lblPool = nullptr;
    QSpinBox* spnMatch = nullptr;
    QSpinBox* spnDrawn = nullptr;
    QSpinBox* spnSeconds = nullptr;
    QSpinBox* spnSeed = nullptr;
    QPushButton* cmdBegin = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdWrite = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdDone = nullptr;
    QProgressBar* prgTime = nullptr;
    QLabel* lblBest = nullptr;
    QLabel* lblWorking = nullptr;
    QLabel* lblResult = nullptr;
    QPlainTextEdit* txtTickets = nullptr;
};

} // namespace orvane
