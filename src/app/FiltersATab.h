#pragma once

#include "core/Game.h"
#include "core/SharedSettings.h"
#include "wheel/FilterControls.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orvane {

class Platform;

// The "Filters A" tab: sum limits, the miscellaneous filters, pairs and
// consecutives, evens, tens and ones places, and the positional limits, each
// sized and filled from the game: a box per tens class, a check box per count
// of evens, a row per position.
class FiltersATab : public QWidget {
    Q_OBJECT
public:
    FiltersATab(Platform& platform, SharedSettings& shared, const Game& game, QWidget* parent = nullptr);

    // Applies the per-user "Enable Positional Analysis" value at window load.
    void loadPositionalAnalysis(bool enabled);
    // Puts this tab's values into `controls`.
    void read(FilterControls& controls) const;
    // Sets this tab's controls to `controls` in the settings file's order, each
    // change running its handler as if the user made it.
    void apply(const FilterControls& controls);
    // Shows the boxes the start of a run normalised.
    void showNormalised(const FilterControls& controls);
    void lockForRun();
    void restoreAfterRun();

private slots:
    void chkL15S_Click();
    void chkEnablePosAnalysis_Click();
    void chkRequirePair_Click();
    void chkAllowPairs_Click();

private:
    // Layout (FiltersATabLayout.cpp).
    void buildLayout();
    QGroupBox* buildSumLimits();
    QGroupBox* buildMiscellaneous();
    QGroupBox* buildPairs();
    QWidget* buildEvens();
    QGroupBox* buildTensAndOnes(QGroupBox*& frameOnes);
    QGroupBox* buildPositionalLimits();

    void setPositionLimitControls(bool enabled);

    Platform& platform_;
    SharedSettings& shared_;
    Game game_;

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
    std::vector<QCheckBox*> chkEvens; // by how many evens: 0 to k
    QCheckBox* chkEvensSignatures = nullptr;
    std::vector<QLineEdit*> txtTens; // by tens class
    std::vector<QLabel*> lblTens;
    std::array<QLineEdit*, 10> txtOnes{};
    std::array<QLabel*, 10> lblOnes{};
    QCheckBox* chkEnablePosAnalysis = nullptr;
    QRadioButton* optn99 = nullptr;
    QRadioButton* optn98 = nullptr;
    QRadioButton* optn90 = nullptr;
    QRadioButton* optn50 = nullptr;
    QRadioButton* optnUserLimits = nullptr;
    std::vector<QLineEdit*> positionLimitBoxes; // txtAMin, txtAMax, txtBMin ... for each position
    std::vector<QLabel*> positionLimitLabels;   // lblMin, lblMax, lblPosA, lblPosB ...
};

} // namespace orvane
