// The "Filters B" tab: its layout, its midpoint handlers, its locking around a
// run, and reading it.
#include "app/FiltersBTab.h"

#include "app/FilterWidgets.h"
#include "app/WholeRowsList.h"
#include "core/NumberText.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace orvane {

using namespace filterwidgets;

FiltersBTab::FiltersBTab(Platform& platform, const Game& game, QWidget* parent)
    : QWidget(parent), platform_(platform), game_(game) {
    setObjectName(QStringLiteral("tabFiltersB"));
    auto* grid = new QGridLayout(this);
    // The frames fill the tab: the left column's last frame takes the height left over,
    // and the sums list runs the tab's full height at the width its numbers need.
    auto* left = new QVBoxLayout;
    left->addWidget(buildMidpoint());
    left->addWidget(buildKeyNumbers());
    left->addWidget(buildFilterAgainstHistory(), 1);
    grid->addLayout(left, 0, 0);
    grid->addWidget(buildLocks(), 0, 1);
    grid->addWidget(buildSumPick(), 0, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void FiltersBTab::read(FilterControls& c) const {
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
    c.lockedIn = textList(lockedInBoxes);
    c.lockedOut = textList(lockedOutBoxes);
    c.enableSumPick = value(chkEnableSumPick);
    c.sumsAccepted.assign(static_cast<std::size_t>(lstSums->count()), false);
    for (int i = 0; i < lstSums->count(); ++i)
        c.sumsAccepted[static_cast<std::size_t>(i)] = lstSums->item(i)->isSelected();
    c.filterAgainstHistory = value(chkFAH);
    c.maxFromHistory = text(txtMaxFAH);
}

void FiltersBTab::apply(const FilterControls& c) {
    setValue(chkEnableLocks, c.enableLocks);
    setTexts(lockedInBoxes, c.lockedIn);
    setTexts(lockedOutBoxes, c.lockedOut);
    setText(txtMaxBelowMid, c.maxBelowMid);
    setText(txtMinBelowMid, c.minBelowMid);
    setText(txtMaxAboveMid, c.maxAboveMid);
    setText(txtMinAboveMid, c.minAboveMid);
    setValue(chkEnableKeyNumbers, c.enableKeyNumbers);
    choose(c.keyRule == KeyRule::RequireAll ? optnAND : c.keyRule == KeyRule::RequireAny ? optnOR : optnAllowOne);
    setTexts(txtKeyNumber, c.keyNumbers);
    setValue(chkFAH, c.filterAgainstHistory);
    setText(txtMaxFAH, c.maxFromHistory);
    setValue(chkEnableSumPick, c.enableSumPick);
    for (int i = 0; i < lstSums->count() && static_cast<std::size_t>(i) < c.sumsAccepted.size(); ++i)
        lstSums->item(i)->setSelected(c.sumsAccepted[static_cast<std::size_t>(i)]);
}

std::array<QWidget*, 5> FiltersBTab::frames() const {
    return {frameMidpoint, frameFilterVsHistory, frameSumPick, frameLocks, frameKeyNumbers};
}

void FiltersBTab::lockForRun() { enableAll(frames(), false); }

void FiltersBTab::restoreAfterRun() { enableAll(frames(), true); }

QGroupBox* FiltersBTab::buildMidpoint() {
    const FilterControls defaults(game_);
    frameMidpoint = frame("frameMidpoint", QStringLiteral("Midpoint Limits"));
    txtMaxBelowMid = numberBox(QStringLiteral("txtMaxBelowMid"), QString::fromStdString(defaults.maxBelowMid), 2);
    txtMinBelowMid = numberBox(QStringLiteral("txtMinBelowMid"), QString::fromStdString(defaults.minBelowMid), 2);
    txtMaxAboveMid = numberBox(QStringLiteral("txtMaxAboveMid"), QString::fromStdString(defaults.maxAboveMid), 2);
    txtMinAboveMid = numberBox(QStringLiteral("txtMinAboveMid"), QString::fromStdString(defaults.minAboveMid), 2);
    auto* form = new QFormLayout(frameMidpoint);
    form->addRow(caption(QStringLiteral(" Max #s Below Midpoint:")), txtMaxBelowMid);
    form->addRow(caption(QStringLiteral("Min #s Below Midpoint:")), txtMinBelowMid);
    form->addRow(caption(QStringLiteral("Max #s Above Midpoint:")), txtMaxAboveMid);
    form->addRow(caption(QStringLiteral("Min #s Above Midpoint:")), txtMinAboveMid);
    connect(txtMaxAboveMid, &QLineEdit::textChanged, this, &FiltersBTab::txtMaxAboveMid_Change);
    connect(txtMaxBelowMid, &QLineEdit::textChanged, this, &FiltersBTab::txtMaxBelowMid_Change);
    connect(txtMinAboveMid, &QLineEdit::textChanged, this, &FiltersBTab::txtMinAboveMid_Change);
    connect(txtMinBelowMid, &QLineEdit::textChanged, this, &FiltersBTab::txtMinBelowMid_Change);
    return frameMidpoint;
}

QGroupBox* FiltersBTab::buildKeyNumbers() {
    frameKeyNumbers = frame("frameKeyNumbers", QStringLiteral("Key Numbers"));
    chkEnableKeyNumbers = checkBox(QStringLiteral("chkEnableKeyNumbers"), QStringLiteral("Enable"));
    optnAllowOne = named(new QRadioButton(QStringLiteral("Allow Only One Key #")), QStringLiteral("optnAllowOne"));
    optnOR = named(new QRadioButton(QStringLiteral("Require Any Key #(s)")), QStringLiteral("optnOR"));
    optnAND = named(new QRadioButton(QStringLiteral("Require All Key #")), QStringLiteral("optnAND"));
    optnAND->setChecked(true);
    auto* grid = new QGridLayout(frameKeyNumbers);
    grid->addWidget(chkEnableKeyNumbers, 0, 0, 1, 2);
    for (int k = 0; k < 5; ++k) {
        txtKeyNumber[k] = numberBox(indexed("txtKeyNumber", k), QString(), 2);
        grid->addWidget(new QLabel(QStringLiteral("Key # %1:").arg(k + 1, 2, 10, QLatin1Char('0'))), k + 1, 0);
        grid->addWidget(txtKeyNumber[k], k + 1, 1);
    }
    grid->addWidget(optnAllowOne, 1, 2);
    grid->addWidget(optnOR, 2, 2);
    grid->addWidget(optnAND, 3, 2);
    keepTopLeft(grid);
    return frameKeyNumbers;
}

QGroupBox* FiltersBTab::buildLocks() {
    frameLocks = frame("frameLocks", QStringLiteral("Position Locks"));
    chkEnableLocks = checkBox(QStringLiteral("chkEnableLocks"), QStringLiteral("Enable"));
    auto* grid = new QGridLayout(frameLocks);
    grid->addWidget(chkEnableLocks, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Locked In")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Locked Out")), 1, 2, 1, 5);
    for (int k = 0; k < game_.perTicket(); ++k) {
        const QChar letter = QLatin1Char(game_.positionLetter(k));
        grid->addWidget(new QLabel(QString(letter) + QLatin1Char(':')), k + 2, 0);
        lockedInBoxes.push_back(numberBox(QStringLiteral("txt1%1In").arg(letter), QString(), 2));
        grid->addWidget(lockedInBoxes.back(), k + 2, 1);
        // The fifth position's boxes have always been named with a capital T.
        const QByteArray outName =
            (letter == QLatin1Char('E') ? QStringLiteral("TxtEOut") : QStringLiteral("txt%1Out").arg(letter))
                .toLatin1();
        for (int i = 0; i < 5; ++i) {
            lockedOutBoxes.push_back(numberBox(indexed(outName.constData(), i), QString(), 2));
            grid->addWidget(lockedOutBoxes.back(), k + 2, 2 + i);
        }
    }
    keepTopLeft(grid);
    return frameLocks;
}

QGroupBox* FiltersBTab::buildSumPick() {
    frameSumPick = frame("frameSumPick", QStringLiteral("Specific Sum Accept"));
    chkEnableSumPick = checkBox(QStringLiteral("chkEnableSumPick"), QStringLiteral("Enable"));
    lstSums = named(new WholeRowsList, QStringLiteral("lstSums"));
    lstSums->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int sum = game_.smallestSum(); sum <= game_.largestSum(); ++sum) lstSums->addItem(QString::number(sum));
    auto* column = new QVBoxLayout(frameSumPick);
    column->addWidget(chkEnableSumPick);
    column->addWidget(lstSums, 1);
    return frameSumPick;
}

QGroupBox* FiltersBTab::buildFilterAgainstHistory() {
    frameFilterVsHistory = frame("frameFilterVsHistory", QStringLiteral("Filter Against History"));
    chkFAH = checkBox(QStringLiteral("chkFAH"), QStringLiteral("Enable"));
    txtMaxFAH = numberBox(QStringLiteral("txtMaxFAH"), QString::fromStdString(FilterControls(game_).maxFromHistory), 2);
    auto* form = new QFormLayout(frameFilterVsHistory);
    form->addRow(chkFAH);
    form->addRow(QStringLiteral("Most Numbers Shared With Any Past Draw:"), txtMaxFAH);
    return frameFilterVsHistory;
}

void FiltersBTab::txtMaxAboveMid_Change() { midpointChanged(txtMaxAboveMid, FilterControls(game_).maxAboveMid); }
void FiltersBTab::txtMaxBelowMid_Change() { midpointChanged(txtMaxBelowMid, FilterControls(game_).maxBelowMid); }
void FiltersBTab::txtMinAboveMid_Change() { midpointChanged(txtMinAboveMid, FilterControls(game_).minAboveMid); }
void FiltersBTab::txtMinBelowMid_Change() { midpointChanged(txtMinBelowMid, FilterControls(game_).minBelowMid); }

void FiltersBTab::midpointChanged(QLineEdit* box, const std::string& resetText) {
    // Setting the box's text from here raises the change again; that pass has nothing to do.
    if (midpointBusy_) return;
    midpointBusy_ = true;
    const double whole = std::floor(std::clamp(numberInBox(box->text().toStdString()), -1e9, 1e9));
    box->setText(QString::number(static_cast<long long>(whole)));
    if (whole < 0 || whole > game_.perTicket()) {
        platform_.message(
            QStringLiteral("The value you have entered is invalid.  Enter a number from 0 to %1 in this box.")
                .arg(game_.perTicket()),
            QStringLiteral("Invalid Response"), NoticeIcon::Exclamation);
        box->setText(QString::fromStdString(resetText));
    }
    midpointBusy_ = false;
}

} // namespace orvane
