#pragma once

#include "backtest/Backtest.h"
#include "core/SharedSettings.h"
#include "platform/JobDriver.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QChartView;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace orvane {

class Platform;

// frmBacktest: how the filters as set on the main window would have treated
// the draws of the history, against how many of all the sets they keep. Begin
// takes the filters at that moment and runs the backtest as a sliced job with
// its progress shown; the Filters tab holds a row per active filter and the
// joint result, the Draws tab a line per draw, the Chart tab the lift per
// filter. Done, Escape and the title bar stop a run first; the window deletes
// itself once closed. Each row sets the share of the draws kept beside the
// share chance alone would keep, and says whether the lift is consistent with chance.
class BacktestWindow : public QWidget {
    Q_OBJECT
public:
    // What Begin starts from: the filter controls and the pick as they stand.
    struct Start {
        FilterControls controls;
        std::vector<int> pick;
    };
    using StartSource = std::function<Start()>;

    BacktestWindow(Platform& platform, SharedSettings& shared, StartSource source, QWidget* parent = nullptr);
    ~BacktestWindow() override;

    bool running() const { return job_ != nullptr; }

signals:
    // A run has ended, however it ended.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void cmdBegin_Click();
    void cmdStop_Click();
    void cmdPrint_Click();
    void cmdSaveAs_Click();
    bool runSlice();
    void showProgress();
    void endRun();
    void showResult(const BacktestResult& result);
    void showChart(const BacktestResult& result);
    void showMoreDraws();
    void setRunning(bool running);

    Platform& platform_;
    SharedSettings& shared_;
    StartSource source_;
    JobDriver driver_;
    std::unique_ptr<BacktestJob> job_;
    std::optional<BacktestResult> result_;
    // The per-draw list is filled a part per event-loop turn, so a long history does not freeze the window.
    QTimer drawFiller_;
    std::size_t drawsShown_ = 0;

    QSpinBox* spnLastDraws = nullptr;
    QPushButton* cmdBegin = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdDone = nullptr;
    QProgressBar* prgSets = nullptr;
    QLabel* lblScope = nullptr;
    QTabWidget* tabViews = nullptr;
    QTableWidget* tblFilters = nullptr;
    QPlainTextEdit* txtDraws = nullptr;
    QChartView* chartLift = nullptr;
};

} // namespace orvane
