#pragma once

#include "core/SharedSettings.h"
#include "platform/JobDriver.h"

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace orvane {

class CoverageJob;
class Platform;
class TicketFileRow;

// frmOdds, "Odds and Coverage": the odds of every prize tier of the game for
// one ticket, and for a ticket file its coverage of every possible draw (the
// share it wins at each tier or better) and the guarantee table of its pool.
// The count is a job walked in slices, with progress and Stop; Done, Escape
// and the title bar stop it first. The window deletes itself once closed.
class OddsWindow : public QWidget {
    Q_OBJECT
public:
    OddsWindow(Platform& platform, const SharedSettings& shared, QWidget* parent = nullptr);
    ~OddsWindow() override;

    bool counting() const { return job_ != nullptr; }

signals:
    void countEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout(const QString& ticketPath);
    void growToPage();
    void showTierOdds();
    void cmdCount_Click();
    void cmdStop_Click();
    void showProgress();
    void endCount();
    void setCounting(bool counting);

    Platform& platform_;
    const Game game_;
    std::unique_ptr<CoverageJob> job_;
    QString countedFile_;
    std::size_t countedLines_ = 0;
    JobDriver driver_;

    QWidget* page_ = nullptr; // everything but the window's frame, in a scroll area
    QLabel* lblOdds = nullptr;
    QTableWidget* grdOdds = nullptr;
    TicketFileRow* ticketFile_ = nullptr;
    QPushButton* cmdCount = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdDone = nullptr;
    QProgressBar* prgCount = nullptr;
    QLabel* lblCoverage = nullptr;
    QTableWidget* grdCoverage = nullptr;
    QLabel* lblGuarantee = nullptr;
    QTableWidget* grdGuarantee = nullptr;
};

} // namespace orvane
