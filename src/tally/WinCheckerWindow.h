#pragma once

#include "core/SharedSettings.h"
#include "platform/BusyState.h"
#include "platform/JobDriver.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

class Platform;
class WinTallyJob;

// frmVNTallorMain, "VN-Tallor": the user types the six winning numbers of a
// draw, and the window counts how many sets of the wheel output file hit 0 to
// 6 of them, showing the set being checked and the seven tallies as it goes.
// Winning numbers outside 1 to 49 or given twice are refused, naming the box.
// The check is a job run slice by slice from the event loop; Done, Escape, or
// closing the window any other way, ends it and closes the file before the
// window goes. The window deletes itself once closed.
class WinCheckerWindow : public QWidget {
    Q_OBJECT
public:
    // The busy state's name for a running check.
    static inline const QString kWinCheck = QStringLiteral("win check");

    WinCheckerWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent = nullptr);
    ~WinCheckerWindow() override;

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
    void cmdExit_Click();
    bool checkSlice();
    void showProgress();
    void endCheck();
    // Ends a running check at once and closes its file, saying nothing.
    void abandonCheck();
    void setIdle(bool idle);

    Platform& platform_;
    SharedSettings& shared_;
    // The busy state belongs to the main window, which may be gone first.
    QPointer<BusyState> busy_;
    JobDriver driver_;
    std::unique_ptr<WinTallyJob> job_;

    QLabel* lblInstructions = nullptr;
    std::array<QLabel*, 6> headings_{};   // lblAA .. lblFF
    std::array<QLineEdit*, 6> winning_{}; // txtPosA .. txtPosF
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblTestingSet = nullptr;
    QLabel* lblChecking = nullptr;
    std::array<QLineEdit*, 7> tallies_{};  // txt0of6 .. txt6of6
    std::array<QLabel*, 7> tallyLabels_{}; // lbl0of6 .. lbl6of6
};

} // namespace orvane
