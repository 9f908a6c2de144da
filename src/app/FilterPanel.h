#pragma once

#include "core/SharedSettings.h"
#include "wheel/FilterControls.h"

#include <QObject>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace orvane {

class Platform;

// The three filter tabs of frmOrvaneMain ("Filters A", "Filters B", "Filters C"):
// their controls, their click and change handlers, and reading them into one
// plain value for the run.
class FilterPanel : public QObject {
    Q_OBJECT
public:
    FilterPanel(Platform& platform, SharedSettings& shared, QObject* parent = nullptr);

    QWidget* buildFiltersA();
    QWidget* buildFiltersB();
    QWidget* buildFiltersC();

    // Applies the per-user "Enable Positional Analysis" value at window load.
    void loadPositionalAnalysis(bool enabled);

    // Every filter control as the user set it.
    FilterControls read() const;
    // Shows the boxes the start of a run normalised.
    void showNormalised(const FilterControls& controls);
    // The table the "Reject Last 15 Game Draw Sums" box keeps.
    const std::array<int, 15>& lastFifteenSums() const { return lastFifteenSums_; }

    // The start of a run: disables and locks what the run must not see change.
    void lockForRun();
    // The end of a run: gives the controls back.
    void restoreAfterRun();

    // Handlers, named after the controls that raise them.
    void chkL15S_Click();
    void chkEnablePosAnalysis_Click();
    void chkRequirePair_Click();
    void chkAllowPairs_Click();
    void txtMaxAboveMid_Change();
    void txtMaxBelowMid_Change();
    void txtMinAboveMid_Change();
    void txtMinBelowMid_Change();

private:
    void midpointChanged(QLineEdit* box, const char* resetText);
    void setPositionLimitControls(bool enabled);
    QGroupBox* buildMiscellaneous();
    QGroupBox* buildPairs();
    QWidget* buildEvens();
    QGroupBox* buildTensAndOnes(QGroupBox*& frameOnes);
    QGroupBox* buildPositionalLimits();
    QGroupBox* buildMidpoint();
    QGroupBox* buildKeyNumbers();
    QGroupBox* buildLocks();
    QGroupBox* buildSumPick();
    QGroupBox* buildFilterAgainstHistory();
    QGroupBox* buildNumberGroups();
    QGroupBox* buildExactValues();
    QWidget* buildUnavailableFilters();
    template <std::size_t N>
    QGroupBox* boxRowsFrame(const char* frameName, const QString& caption, QCheckBox*& enable, const char* enableName,
                            std::array<std::array<QLineEdit*, N>, 6>& boxes, const std::function<QString(int)>& rowLabel,
                            const std::function<QString(int)>& rowName);

    Platform& platform_;
    SharedSettings& shared_;
    std::array<int, 15> lastFifteenSums_{};
    bool midpointBusy_ = false;

public:
    // The controls, named as the user and the settings know them.
    QGroupBox* frameSumLimits = nullptr;
    QLineEdit* txtMinSum = nullptr;
    QLineEdit* txtMaxSum = nullptr;
    QLabel* lblMinSum = nullptr;
    QLabel* lblMaxSum = nullptr;
    QCheckBox* chkL15S = nullptr;
    QLineEdit* txtMaxDif = nullptr;
    QLabel* lblMaxDif = nullptr;
    QLineEdit* txtLastDrawNumMax = nullptr;
    QLabel* lblLastDrawMax = nullptr;
    QLineEdit* txtLastDrawNumMaxPos = nullptr;
    QLabel* lblLastDrawMaxShadowing = nullptr;
    QCheckBox* chkEnablePairsFilter = nullptr;
    QLineEdit* txtMaxConsecutives = nullptr;
    QLabel* lblMaxConsecutives = nullptr;
    QCheckBox* chkAllowPairs = nullptr;
    QCheckBox* chkAllowTwoPairs = nullptr;
    QCheckBox* chkAllowThreePairs = nullptr;
    QCheckBox* chkRequirePair = nullptr;
    std::array<QCheckBox*, 7> chkEvens{};
    QCheckBox* chkEvensSignatures = nullptr;
    std::array<QLineEdit*, 5> txtTens{};
    std::array<QLabel*, 5> lblTens{};
    std::array<QLineEdit*, 10> txtOnes{};
    std::array<QLabel*, 10> lblOnes{};
    QCheckBox* chkEnablePosAnalysis = nullptr;
    QRadioButton* optn99 = nullptr;
    QRadioButton* optn98 = nullptr;
    QRadioButton* optn90 = nullptr;
    QRadioButton* optn50 = nullptr;
    QRadioButton* optnUserLimits = nullptr;
    std::array<QLineEdit*, 12> positionLimitBoxes{};   // txtAMin, txtAMax ... txtFMax
    std::array<QLabel*, 8> positionLimitLabels{};      // lblMin, lblMax, lblPosA ... lblPosF

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

    QCheckBox* chkEnableGNG = nullptr;
    std::array<std::array<QLineEdit*, 8>, 6> txtPoolGrp{};
    QCheckBox* chkEnableXPos = nullptr;
    std::array<std::array<QLineEdit*, 10>, 6> txtXPos{};
};

} // namespace orvane
