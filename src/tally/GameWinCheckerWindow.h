#pragma once

#include "core/NumberSet.h"
#include "core/SharedSettings.h"
#include "platform/BusyState.h"
#include "platform/JobDriver.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvane {

class GameWinTallyJob;
class Platform;

// frmGameWinCheck, the win checker of a game other than 6/49: the user types
// the winning numbers of a draw and its bonus numbers, and the window counts
// the lines of the wheel output file by the numbers they hit (split by the
// bonus numbers they hold) and by the prize tier they win. A box at fault is
// named and selected. The check is a job run slice by slice; Done, Escape and
// the title bar end it and close the file first. The window deletes itself
// once closed.
class GameWinCheckerWindow : public QWidget {
    Q_OBJECT
public:
    GameWinCheckerWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent = nullptr);
    ~GameWinCheckerWindow() override;

    bool checking() const { return job_ != nullptr; }

signals:
    // A check ran and has ended, however it ended (not when Done ended it).
    void checkEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void cmdCheck_Click();
    void cmdClear_Click();
    // Reads the boxes into `numbers`; on a fault says what is wrong and selects the box.
    bool readBoxes(const std::vector<QLineEdit*>& boxes, int highest, const char* what, NumberSet& numbers);
    void showProgress();
    void endCheck();
    void abandonCheck();
    void setIdle(bool idle);
    void clearTables();

    Platform& platform_;
    SharedSettings& shared_;
    QPointer<BusyState> busy_;
    JobDriver driver_;
    std::unique_ptr<GameWinTallyJob> job_;

    std::vector<QLineEdit*> winning_; // txtWin1 .. txtWinK
    std::vector<QLineEdit*> bonus_;   // txtBonus1 .. txtBonusB
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblChecking = nullptr;
    QTableWidget* tblHits = nullptr;
    QTableWidget* tblTiers = nullptr;
};

} // namespace orvane
