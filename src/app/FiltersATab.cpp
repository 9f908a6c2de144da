// The "Filters A" tab's handlers, its locking around a run, and reading it.
#include "app/FiltersATab.h"

#include "app/FilterWidgets.h"
#include "history/HistoryFile.h"
#include "platform/Platform.h"
#include "wheel/RunPreparation.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace orvane {

using namespace filterwidgets;

FiltersATab::FiltersATab(Platform& platform, SharedSettings& shared, const Game& game, QWidget* parent)
    : QWidget(parent), platform_(platform), shared_(shared), game_(game) {
    buildLayout();
}

void FiltersATab::loadPositionalAnalysis(bool enabled) {
    chkEnablePosAnalysis->setChecked(enabled);
    chkEnablePosAnalysis_Click();
}

void FiltersATab::read(FilterControls& c) const {
    c.minSum = text(txtMinSum);
    c.maxSum = text(txtMaxSum);
    c.maxDif = text(txtMaxDif);
    c.rejectLast15Sums = value(chkL15S);
    c.lastDrawNumMax = text(txtLastDrawNumMax);
    c.lastDrawNumMaxPos = text(txtLastDrawNumMaxPos);
    c.enablePairs = value(chkEnablePairsFilter);
    c.maxConsecutives = text(txtMaxConsecutives);
    c.allowPairs = value(chkAllowPairs);
    c.allowTwoPairs = value(chkAllowTwoPairs);
    c.allowThreePairs = value(chkAllowThreePairs);
    c.requirePair = value(chkRequirePair);
    c.evensAllowed.clear();
    for (const QCheckBox* box : chkEvens) c.evensAllowed.push_back(value(box));
    c.evensSignatures = value(chkEvensSignatures);
    c.tens = textList(txtTens);
    c.ones = texts(txtOnes);
    c.enablePosAnalysis = value(chkEnablePosAnalysis);
    // The first selected option, in the order the presets are tested.
    c.positionPreset = optn99->isChecked()   ? PositionPreset::Percent99
                       : optn98->isChecked() ? PositionPreset::Percent98
                       : optn90->isChecked() ? PositionPreset::Percent90
                       : optn50->isChecked() ? PositionPreset::Percent50
                                             : PositionPreset::UserLimits;
    c.positionLimits = textList(positionLimitBoxes);
}

void FiltersATab::apply(const FilterControls& c) {
    for (std::size_t k = 0; k < chkEvens.size() && k < c.evensAllowed.size(); ++k)
        setValue(chkEvens[k], c.evensAllowed[k]);
    setText(txtMinSum, c.minSum);
    setText(txtMaxSum, c.maxSum);
    setText(txtMaxDif, c.maxDif);
    setText(txtLastDrawNumMax, c.lastDrawNumMax);
    setText(txtLastDrawNumMaxPos, c.lastDrawNumMaxPos);
    setValue(chkL15S, c.rejectLast15Sums);
    setTexts(txtTens, c.tens);
    setTexts(txtOnes, c.ones);
    setValue(chkEnablePairsFilter, c.enablePairs);
    setValue(chkAllowPairs, c.allowPairs);
    setValue(chkAllowTwoPairs, c.allowTwoPairs);
    setValue(chkAllowThreePairs, c.allowThreePairs);
    setValue(chkRequirePair, c.requirePair);
    setText(txtMaxConsecutives, c.maxConsecutives);
    setValue(chkEvensSignatures, c.evensSignatures);
    setValue(chkEnablePosAnalysis, c.enablePosAnalysis);
    const std::array<QRadioButton*, 5> presets{optn99, optn98, optn90, optn50, optnUserLimits};
    choose(presets[static_cast<std::size_t>(c.positionPreset)]);
    setTexts(positionLimitBoxes, c.positionLimits);
}

void FiltersATab::showNormalised(const FilterControls& c) {
    for (int d = 0; d < 10; ++d) txtOnes[d]->setText(QString::fromStdString(c.ones[d]));
    txtMaxDif->setText(QString::fromStdString(c.maxDif));
    for (std::size_t k = 0; k < txtTens.size() && k < c.tens.size(); ++k)
        txtTens[k]->setText(QString::fromStdString(c.tens[k]));
    txtMinSum->setText(QString::fromStdString(c.minSum));
    txtMaxSum->setText(QString::fromStdString(c.maxSum));
}

void FiltersATab::lockForRun() {
    // clang-format off
    enableAll({lblMinSum, lblMaxSum, lblMaxDif, lblLastDrawMax, lblLastDrawMaxShadowing, chkEnablePairsFilter,
                chkAllowPairs, chkAllowThreePairs, chkRequirePair, lblMaxConsecutives, txtMaxConsecutives,
                chkAllowTwoPairs, chkEvensSignatures, chkL15S, chkEnablePosAnalysis, optn99, optn98, optn90, optn50,
                optnUserLimits},
               false);
    // clang-format on
    enableAll(lblTens, false);
    enableAll(lblOnes, false);
    enableAll(positionLimitLabels, false);
    enableAll(positionLimitBoxes, false);
    enableAll(chkEvens, false);
    lockAll(positionLimitBoxes, true);
    lockAll(txtOnes, true);
    lockAll(txtTens, true);
    lockAll({txtMaxDif, txtMinSum, txtMaxSum}, true);
}

void FiltersATab::restoreAfterRun() {
    enableAll({chkEnablePosAnalysis, chkL15S, chkEnablePairsFilter, chkAllowPairs, chkAllowTwoPairs, chkAllowThreePairs,
               chkRequirePair, lblMaxConsecutives, txtMaxConsecutives, chkEvensSignatures, lblMinSum, lblMaxSum,
               lblMaxDif, lblLastDrawMax, lblLastDrawMaxShadowing},
              true);
    enableAll(lblTens, true);
    enableAll(lblOnes, true);
    enableAll(positionLimitLabels, true);
    enableAll(positionLimitBoxes, true);
    enableAll(chkEvens, true);
    lockAll(txtOnes, false);
    lockAll(txtTens, false);
    lockAll({txtMaxDif, txtMinSum, txtMaxSum}, false);
    // The presets and the limit boxes follow the enable box, as its own click does.
    setPositionLimitControls(chkEnablePosAnalysis->isChecked());
}

void FiltersATab::setPositionLimitControls(bool enabled) {
    enableAll({optn99, optn98, optn90, optn50, optnUserLimits}, enabled);
    lockAll(positionLimitBoxes, !enabled);
}

void FiltersATab::chkEnablePosAnalysis_Click() { setPositionLimitControls(chkEnablePosAnalysis->isChecked()); }

void FiltersATab::chkL15S_Click() {
    // The run reads the sums when it starts, so that a draw recorded since
    // counts; checking the box only makes sure there is a history to read.
    if (!chkL15S->isChecked()) return;
    const HistoryRead history = readHistoryRecords(shared_.historyPath);
    if (!history.ok()) {
        // Without the sums the box would promise a filter it cannot apply.
        platform_.notify(historyNotice(history.error));
        chkL15S->setChecked(false);
    }
}

void FiltersATab::chkRequirePair_Click() {
    if (!chkRequirePair->isChecked() || chkAllowPairs->isChecked()) return;
    platform_.message(QStringLiteral("You are attempting to force pairs within sets while they are not allowed.  The "
                                     "'Require Pairs' checkbox can only function if the 'Allow Pairs' checkbox is "
                                     "checked.  Please select 'Allow Pairs' and then 'Require Pairs'."),
                      QStringLiteral("Setting Conflict Detected:"), NoticeIcon::Information);
    chkRequirePair->setChecked(false);
}

void FiltersATab::chkAllowPairs_Click() {
    if (!chkAllowPairs->isChecked() && chkRequirePair->isChecked()) chkRequirePair->setChecked(false);
}

} // namespace orvane
