#pragma once

#include "core/Game.h"
#include "wheel/FilterControls.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace orvane {

class Platform;

// The "Filters B" tab: midpoint limits, key numbers, the filter against
// history, position locks (a row per position of the game) and the specific
// sums accepted (every sum a set of the game can have).
class FiltersBTab : public QWidget {
    Q_OBJECT
public:
    FiltersBTab(Platform& platform, const Game& game, QWidget* parent = nullptr);

    // Puts this tab's values into `controls`.
    void read(FilterControls& controls) const;
    // Sets this tab's controls to `controls` in the settings file's order, each
    // change running its handler as if the user made it.
    void apply(const FilterControls& controls);
    void lockForRun();
    void restoreAfterRun();

private slots:
    void txtMaxAboveMid_Change();
    void txtMaxBelowMid_Change();
    void txtMinAboveMid_Change();
    void txtMinBelowMid_Change();

private:
    QGroupBox* buildMidpoint();
    QGroupBox* buildKeyNumbers();
    QGroupBox* buildLocks();
    QGroupBox* buildSumPick();
    QGroupBox* buildFilterAgainstHistory();
    void midpointChanged(QLineEdit* box, const std::string& resetText);
    std::array<QWidget*, 5> frames() const;

    Platform& platform_;
    Game game_;
    bool midpointBusy_ = false;

    QGroupBox* frameMidpoint = nullptr;
    QLineEdit* txtMaxBelowMid = nullptr;
    QLineEdit* txtMinBelowMid = nullptr;
    QLineEdit* txtMaxAboveMid = nullptr;
    QLineEdit* txtMinAboveMid = nullptr;
    QGroupBox* frameKeyNumbers = nullptr;
    QCheckBox* chkEnableKeyNumbers = nullptr;
    std::array<QLineEdit*, 5> txtKeyNumber{};
    QRadioButton* optnAllowOne = nullptr;
    QRadioButton* optnOR = nullptr;
    QRadioButton* optnAND = nullptr;
    QGroupBox* frameLocks = nullptr;
    QCheckBox* chkEnableLocks = nullptr;
    std::vector<QLineEdit*> lockedInBoxes;  // txt1AIn, txt1BIn ... one per position
    std::vector<QLineEdit*> lockedOutBoxes; // txtAOut_0 ... txtAOut_4, txtBOut_0 ... five per position
    QGroupBox* frameSumPick = nullptr;
    QCheckBox* chkEnableSumPick = nullptr;
    QListWidget* lstSums = nullptr;
    QGroupBox* frameFilterVsHistory = nullptr;
    QCheckBox* chkFAH = nullptr;
    QLineEdit* txtMaxFAH = nullptr;
};

} // namespace orvane
