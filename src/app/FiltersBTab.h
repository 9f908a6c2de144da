#pragma once

#include "wheel/FilterControls.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace orvane {

class Platform;

// The "Filters B" tab: midpoint limits, key numbers, the filter against
// history, position locks and the specific sums accepted.
class FiltersBTab : public QWidget {
    Q_OBJECT
public:
    explicit FiltersBTab(Platform& platform, QWidget* parent = nullptr);

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
    void midpointChanged(QLineEdit* box, const char* resetText);
    std::array<QWidget*, 5> frames() const;

    Platform& platform_;
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
    std::array<QLineEdit*, 6> lockedInBoxes{};     // txt1AIn ... txt1FIn
    std::array<QLineEdit*, 30> lockedOutBoxes{};   // txtAOut_0 ... txtFOut_4
    QGroupBox* frameSumPick = nullptr;
    QCheckBox* chkEnableSumPick = nullptr;
    QListWidget* lstSums = nullptr;
    QGroupBox* frameFilterVsHistory = nullptr;
    QCheckBox* chkFAH = nullptr;
    QLineEdit* txtMaxFAH = nullptr;
};

} // namespace orvane
