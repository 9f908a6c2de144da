#pragma once

#include "core/SharedSettings.h"
#include "platform/JobDriver.h"

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace orvane {

class HistoryCheckJob;
class Platform;
class TicketFileRow;

// frmHistoryCheck, "Check Tickets Against History": a ticket file against
// every past draw of the game's history (or the last ones): per draw the best
// tier any line wins and the lines of each tier, and over all draws the lines
// per tier and the draws with any prize. Done, Escape and the title bar stop a
// check first. The window deletes itself once closed.
class HistoryCheckWindow : public QWidget {
    Q_OBJECT
public:
    HistoryCheckWindow(Platform& platform, const SharedSettings& shared, QWidget* parent = nullptr);
    ~HistoryCheckWindow() override;

    bool checking() const { return job_ != nullptr; }

signals:
    void checkEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout(const QString& ticketPath);
    void cmdCheck_Click();
    void cmdStop_Click();
    void showProgress();
    void endCheck();
    void setChecking(bool checking);

    Platform& platform_;
    const Game game_;
    const std::string historyPath_;
    std::unique_ptr<HistoryCheckJob> job_;
    QString checkedFile_;
    std::size_t drawsInHistory_ = 0;
    JobDriver driver_;

    TicketFileRow* ticketFile_ = nullptr;
    QSpinBox* spnLast = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdDone = nullptr;
    QProgressBar* prgCheck = nullptr;
    QLabel* lblSummary = nullptr;
    QTableWidget* grdDraws = nullptr;
    QLabel* lblTotals = nullptr;
};

} // namespace orvane
