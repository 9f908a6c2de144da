// The filter tabs' handlers, their locking around a run, and reading them.
#include "app/FilterPanel.h"

#include "history/HistoryFile.h"
#include "platform/Platform.h"
#include "core/NumberText.h"
#include "wheel/RunPreparation.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <cmath>

namespace orvane {

namespace {

std::string text(const QLineEdit* box) { return box->text().toStdString(); }
CheckValue value(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

template <std::size_t N>
std::array<std::string, N> texts(const std::array<QLineEdit*, N>& boxes) {
    std::array<std::string, N> values;
    for (std::size_t i = 0; i < N; ++i) values[i] = text(boxes[i]);
    return values;
}

template <typename Widgets>
void setEnabled(const Widgets& widgets, bool enabled) {
    for (QWidget* widget : widgets) widget->setEnabled(enabled);
}

template <typename Boxes>
void setLocked(const Boxes& boxes, bool locked) {
    for (QLineEdit* box : boxes) box->setReadOnly(locked);
}

} // namespace

FilterPanel::FilterPanel(Platform& platform, SharedSettings& shared, QObject* parent)
    : QObject(parent), platform_(platform), shared_(shared) {}

void FilterPanel::loadPositionalAnalysis(bool enabled) {
    chkEnablePosAnalysis->setChecked(enabled);
    chkEnablePosAnalysis_Click();
}

FilterControls FilterPanel::read() const {
    FilterControls c;
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
    for (int k = 0; k < 7; ++k) c.evensAllowed[k] = value(chkEvens[k]);
    c.evensSignatures = value(chkEvensSignatures);
    c.tens = texts(txtTens);
    c.ones = texts(txtOnes);
    c.enablePosAnalysis = value(chkEnablePosAnalysis);
    // The first selected option, in the order the presets are tested.
    c.positionPreset = optn99->isChecked()   ? PositionPreset::Percent99
                       : optn98->isChecked() ? PositionPreset::Percent98
                       : optn90->isChecked() ? PositionPreset::Percent90
                       : optn50->isChecked() ? PositionPreset::Percent50
                                             : PositionPreset::UserLimits;
    c.positionLimits = texts(positionLimitBoxes);
    c.maxBelowMid = text(txtMaxBelowMid);
    c.minBelowMid = text(txtMinBelowMid);
    c.maxAboveMid = text(txtMaxAboveMid);
    c.minAboveMid = text(txtMinAboveMid);
    c.enableKeyNumbers = value(chkEnableKeyNumbers);
    c.keyRule = optnAllowOne->isChecked() ? KeyRule::AllowOnlyOne
                : optnOR->isChecked()     ? KeyRule::RequireAny
                                          : KeyRule::RequireAll;
    c.keyNumbers = texts(txtKeyNumber);
    c.enableLocks = value(chkEnableLocks);
    c.lockedIn = texts(lockedInBoxes);
    c.lockedOut = texts(lockedOutBoxes);
    c.enableSumPick = value(chkEnableSumPick);
    for (int i = 0; i < 259; ++i) c.sumsAccepted[i] = lstSums->item(i)->isSelected();
    c.filterAgainstHistory = value(chkFAH);
    c.maxFromHistory = text(txtMaxFAH);
    c.enableGroups = value(chkEnableGNG);
    for (int g = 0; g < 6; ++g) c.groups[g] = texts(txtPoolGrp[g]);
    c.enableExactValues = value(chkEnableXPos);
    for (int k = 0; k < 6; ++k) c.exactValues[k] = texts(txtXPos[k]);
    return c;
}

void FilterPanel::showNormalised(const FilterControls& c) {
    for (int d = 0; d < 10; ++d) txtOnes[d]->setText(QString::fromStdString(c.ones[d]));
    txtMaxDif->setText(QString::fromStdString(c.maxDif));
    for (int k = 0; k < 5; ++k) txtTens[k]->setText(QString::fromStdString(c.tens[k]));
    txtMinSum->setText(QString::fromStdString(c.minSum));
    txtMaxSum->setText(QString::fromStdString(c.maxSum));
}

void FilterPanel::lockForRun() {
    setEnabled(std::initializer_list<QWidget*>{frameMidpoint, frameFilterVsHistory, frameSumPick, frameLocks,
                                               frameKeyNumbers, lblMinSum, lblMaxSum, lblMaxDif, lblLastDrawMax,
                                               lblLastDrawMaxShadowing, chkEnablePairsFilter, chkAllowPairs,
                                               chkAllowThreePairs, chkRequirePair, lblMaxConsecutives,
                                               txtMaxConsecutives, chkAllowTwoPairs, chkEvensSignatures, chkL15S,
                                               chkEnablePosAnalysis, optn99, optn98, optn90, optn50, optnUserLimits},
               false);
    setEnabled(lblTens, false);
    setEnabled(lblOnes, false);
    setEnabled(positionLimitLabels, false);
    setEnabled(positionLimitBoxes, false);
    setEnabled(chkEvens, false);
    setLocked(positionLimitBoxes, true);
    setLocked(txtOnes, true);
    setLocked(txtTens, true);
    setLocked(std::initializer_list<QLineEdit*>{txtMaxDif, txtMinSum, txtMaxSum}, true);
}

void FilterPanel::restoreAfterRun() {
    setEnabled(std::initializer_list<QWidget*>{frameLocks, frameKeyNumbers, frameSumPick, chkEnablePosAnalysis,
                                               chkL15S, chkEnablePairsFilter, chkAllowPairs, chkAllowTwoPairs,
                                               chkAllowThreePairs, chkRequirePair, lblMaxConsecutives,
                                               txtMaxConsecutives, chkEvensSignatures, lblMinSum, lblMaxSum,
                                               lblMaxDif, lblLastDrawMax, lblLastDrawMaxShadowing, frameMidpoint,
                                               frameFilterVsHistory},
               true);
    setEnabled(lblTens, true);
    setEnabled(lblOnes, true);
    setEnabled(positionLimitLabels, true);
    setEnabled(positionLimitBoxes, true);
    setEnabled(chkEvens, true);
    setLocked(txtOnes, false);
    setLocked(txtTens, false);
    setLocked(std::initializer_list<QLineEdit*>{txtMaxDif, txtMinSum, txtMaxSum}, false);
    // The presets and the limit boxes follow the enable box, as its own click does.
    setPositionLimitControls(chkEnablePosAnalysis->isChecked());
}

void FilterPanel::setPositionLimitControls(bool enabled) {
    setEnabled(std::initializer_list<QWidget*>{optn99, optn98, optn90, optn50, optnUserLimits}, enabled);
    setLocked(positionLimitBoxes, !enabled);
}

void FilterPanel::chkEnablePosAnalysis_Click() { setPositionLimitControls(chkEnablePosAnalysis->isChecked()); }

void FilterPanel::chkL15S_Click() {
    lastFifteenSums_.fill(0);
    if (!chkL15S->isChecked()) return;
    const HistoryRead history = readHistoryRecords(shared_.historyPath);
    if (!history.ok()) {
        // Without the sums the box would promise a filter it cannot apply.
        platform_.notify(historyNotice(history.error));
        chkL15S->setChecked(false);
        return;
    }
    lastFifteenSums_ = orvane::lastFifteenSums(history.draws);
}

void FilterPanel::chkRequirePair_Click() {
    if (!chkRequirePair->isChecked() || chkAllowPairs->isChecked()) return;
    platform_.message(QStringLiteral("You are attempting to force pairs within sets while they are not allowed.  The "
                                     "'Require Pairs' checkbox can only function if the 'Allow Pairs' checkbox is "
                                     "checked.  Please select 'Allow Pairs' and then 'Require Pairs'."),
                      QStringLiteral("Setting Conflict Detected:"), NoticeIcon::Information);
    chkRequirePair->setChecked(false);
}

void FilterPanel::chkAllowPairs_Click() {
    if (!chkAllowPairs->isChecked() && chkRequirePair->isChecked()) chkRequirePair->setChecked(false);
}

void FilterPanel::txtMaxAboveMid_Change() { midpointChanged(txtMaxAboveMid, "6"); }
void FilterPanel::txtMaxBelowMid_Change() { midpointChanged(txtMaxBelowMid, "6"); }
void FilterPanel::txtMinAboveMid_Change() { midpointChanged(txtMinAboveMid, "0"); }
void FilterPanel::txtMinBelowMid_Change() { midpointChanged(txtMinBelowMid, "0"); }

void FilterPanel::midpointChanged(QLineEdit* box, const char* resetText) {
    // Setting the box's text from here raises the change again; that pass has nothing to do.
    if (midpointBusy_) return;
    midpointBusy_ = true;
    const double whole = std::floor(std::clamp(numberInBox(box->text().toStdString()), -1e9, 1e9));
    box->setText(QString::number(static_cast<long long>(whole)));
    if (whole < 0 || whole > 6) {
        platform_.message(QStringLiteral("The value you have entered is invalid.  Enter a number from 0 to 6 in this box."),
                          QStringLiteral("Invalid Response"), NoticeIcon::Exclamation);
        box->setText(QLatin1String(resetText));
    }
    midpointBusy_ = false;
}

} // namespace orvane
