// Builds the filter tabs of frmOrvaneMain and lays them out in their frames.
#include "app/FilterPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace orvane {

namespace {

const QString kNotAvailable = QStringLiteral("This filter is not available yet.");

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QString indexed(const char* name, int index) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index); }

// A narrow box for a number or two.
QLineEdit* numberBox(const QString& name, const QString& text, int characters = 3) {
    auto* box = named(new QLineEdit(text), name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + 14);
    return box;
}

QCheckBox* checkBox(const QString& name, const QString& caption, bool checked = false) {
    auto* box = named(new QCheckBox(caption), name);
    box->setChecked(checked);
    return box;
}

QGroupBox* frame(const char* name, const QString& caption) {
    return named(new QGroupBox(caption), QLatin1String(name));
}

// A control that no filter reads yet: shown, but off and saying so.
template <typename Widget>
Widget* unavailable(Widget* widget) {
    widget->setEnabled(false);
    widget->setToolTip(kNotAvailable);
    return widget;
}

} // namespace

QWidget* FilterPanel::buildFiltersA() {
    auto* page = named(new QWidget, QStringLiteral("tabFiltersA"));
    auto* grid = new QGridLayout(page);

    frameSumLimits = frame("frameSumLimits", QStringLiteral("Sum Limits"));
    txtMinSum = numberBox(QStringLiteral("txtMinSum"), QStringLiteral("21"));
    txtMaxSum = numberBox(QStringLiteral("txtMaxSum"), QStringLiteral("279"));
    lblMinSum = named(new QLabel(QStringLiteral("Minimum Sum of Set:")), QStringLiteral("lblMinSum"));
    lblMaxSum = named(new QLabel(QStringLiteral("Maximum Sum of Set:")), QStringLiteral("lblMaxSum"));
    auto* sums = new QFormLayout(frameSumLimits);
    sums->addRow(lblMinSum, txtMinSum);
    sums->addRow(lblMaxSum, txtMaxSum);

    QGroupBox* frameOnes = nullptr;
    QGroupBox* frameTens = buildTensAndOnes(frameOnes);

    auto* left = new QVBoxLayout;
    left->addWidget(frameSumLimits);
    left->addWidget(buildMiscellaneous());
    left->addWidget(buildPairs());
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(buildEvens());
    middle->addWidget(frameTens);
    middle->addWidget(frameOnes);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildPositionalLimits());
    right->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    return page;
}

QGroupBox* FilterPanel::buildMiscellaneous() {
    auto* misc = frame("frameMiscFilters", QStringLiteral("Miscellaneous Filters"));
    chkL15S = checkBox(QStringLiteral("chkL15S"), QStringLiteral("Reject Last 15 Game Draw Sums"));
    auto* chkL25SDR = unavailable(checkBox(QStringLiteral("chkL25SDR"), QStringLiteral("Reject Last 25 Sum Differences")));
    txtMaxDif = numberBox(QStringLiteral("txtMaxDif"), QStringLiteral("44"));
    lblMaxDif = named(new QLabel(QStringLiteral("Maximum Difference:")), QStringLiteral("lblMaxDif"));
    txtLastDrawNumMax = numberBox(QStringLiteral("txtLastDrawNumMax"), QStringLiteral("6"));
    lblLastDrawMax = named(new QLabel(QStringLiteral("Max Numbers From Last Draw:")), QStringLiteral("lblLastDrawMax"));
    txtLastDrawNumMaxPos = numberBox(QStringLiteral("txtLastDrawNumMaxPos"), QStringLiteral("6"));
    lblLastDrawMaxShadowing =
        named(new QLabel(QStringLiteral("Max Last Draw #/Pos Shadow:")), QStringLiteral("lblLastDrawMaxShadowing"));
    auto* form = new QFormLayout(misc);
    form->addRow(chkL15S);
    form->addRow(chkL25SDR);
    form->addRow(lblMaxDif, txtMaxDif);
    form->addRow(lblLastDrawMax, txtLastDrawNumMax);
    form->addRow(lblLastDrawMaxShadowing, txtLastDrawNumMaxPos);
    connect(chkL15S, &QCheckBox::clicked, this, &FilterPanel::chkL15S_Click);
    return misc;
}

QGroupBox* FilterPanel::buildPairs() {
    auto* pairs = frame("framePairs", QStringLiteral("Pairs && Consecutives"));
    chkEnablePairsFilter = checkBox(QStringLiteral("chkEnablePairsFilter"), QStringLiteral("Enable"));
    txtMaxConsecutives = numberBox(QStringLiteral("txtMaxConsecutives"), QStringLiteral("6"));
    txtMaxConsecutives->setToolTip(QStringLiteral("Limits consecutive numbers, such as 12-13-14-15."));
    lblMaxConsecutives =
        named(new QLabel(QStringLiteral("Maximum Consecutive Numbers Limit:")), QStringLiteral("lblMaxConsecutives"));
    chkAllowPairs = checkBox(QStringLiteral("chkAllowPairs"), QStringLiteral("Allow Consecutive Number Pairs"), true);
    chkAllowTwoPairs =
        checkBox(QStringLiteral("chkAllowTwoPairs"), QStringLiteral("Allow Two Number Pairs Per Set"), true);
    chkAllowThreePairs =
        checkBox(QStringLiteral("chkAllowThreePairs"), QStringLiteral("Allow Three Number Pairs Per Set"), true);
    chkRequirePair =
        checkBox(QStringLiteral("chkRequirePair"), QStringLiteral("Require Sets With At Least One  Pair"));
    auto* form = new QFormLayout(pairs);
    form->addRow(chkEnablePairsFilter);
    form->addRow(lblMaxConsecutives, txtMaxConsecutives);
    for (QCheckBox* box : {chkAllowPairs, chkAllowTwoPairs, chkAllowThreePairs, chkRequirePair}) form->addRow(box);
    connect(chkAllowPairs, &QCheckBox::clicked, this, &FilterPanel::chkAllowPairs_Click);
    connect(chkRequirePair, &QCheckBox::clicked, this, &FilterPanel::chkRequirePair_Click);
    return pairs;
}

QWidget* FilterPanel::buildEvens() {
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    auto* evens = frame("frameEvensAllowed", QStringLiteral("Even Numbers Limits"));
    auto* evensColumn = new QVBoxLayout(evens);
    for (int k = 0; k < 7; ++k) {
        chkEvens[k] = checkBox(indexed("chkEvens", k), QStringLiteral("Allow %1 Even Numbers Per Set").arg(k), true);
        evensColumn->addWidget(chkEvens[k]);
    }
    auto* signatures = frame("frameEvenSignatures", QStringLiteral("Evens Signatures"));
    chkEvensSignatures =
        checkBox(QStringLiteral("chkEvensSignatures"), QStringLiteral("Reject last 25 Evens Signatures"));
    (new QVBoxLayout(signatures))->addWidget(chkEvensSignatures);
    column->addWidget(evens);
    column->addWidget(signatures);
    return holder;
}

QGroupBox* FilterPanel::buildTensAndOnes(QGroupBox*& frameOnes) {
    static const char* const kDecades[] = {"01 - 09:", "10 - 19:", "20 - 29:", "30 - 39:", "40 - 49:"};
    auto* tens = frame("frameTensPlace", QStringLiteral("Tens Place Limits"));
    auto* tensGrid = new QGridLayout(tens);
    for (int k = 0; k < 5; ++k) {
        txtTens[k] = numberBox(indexed("txtTens", k), QStringLiteral("6"), 2);
        lblTens[k] = named(new QLabel(QLatin1String(kDecades[k])), QStringLiteral("lblTens%1").arg(k));
        tensGrid->addWidget(lblTens[k], k / 3, (k % 3) * 2);
        tensGrid->addWidget(txtTens[k], k / 3, (k % 3) * 2 + 1);
    }
    frameOnes = frame("frameOnesPlace", QStringLiteral("Ones Place Limits"));
    auto* onesGrid = new QGridLayout(frameOnes);
    for (int d = 0; d < 10; ++d) {
        txtOnes[d] = numberBox(indexed("txtOnes", d), QStringLiteral("6"), 2);
        lblOnes[d] = named(new QLabel(QString::number(d)), QStringLiteral("lblOnes%1").arg(d));
        onesGrid->addWidget(lblOnes[d], d / 5, (d % 5) * 2);
        onesGrid->addWidget(txtOnes[d], d / 5, (d % 5) * 2 + 1);
    }
    return tens;
}

QGroupBox* FilterPanel::buildPositionalLimits() {
    static const char* const kBoxes[] = {"txtAMin", "txtAMax", "txtBMin", "txtBMax", "txtCMin", "txtCMax",
                                         "txtDMin", "txtDMax", "txtEMin", "txtEMax", "txtFMin", "txtFMax"};
    static const char* const kDefaults[] = {"1", "44", "2", "45", "3", "46", "4", "47", "5", "48", "6", "49"};
    auto* positions = frame("framePosAnalysis", QStringLiteral("Positional Limits"));
    chkEnablePosAnalysis = checkBox(QStringLiteral("chkEnablePosAnalysis"), QStringLiteral("Enable"));
    optn99 = named(new QRadioButton(QStringLiteral("99.99%")), QStringLiteral("optn99"));
    optn98 = named(new QRadioButton(QStringLiteral("98%")), QStringLiteral("optn98"));
    optn90 = named(new QRadioButton(QStringLiteral("90%")), QStringLiteral("optn90"));
    optn50 = named(new QRadioButton(QStringLiteral("50%")), QStringLiteral("optn50"));
    optnUserLimits = named(new QRadioButton(QStringLiteral("User Specified Limits")), QStringLiteral("optnUserLimits"));
    optn99->setChecked(true);
    auto* column = new QVBoxLayout(positions);
    column->addWidget(chkEnablePosAnalysis);
    for (QRadioButton* option : {optn99, optn98, optn90, optn50, optnUserLimits}) column->addWidget(option);

    auto* grid = new QGridLayout;
    positionLimitLabels[0] = named(new QLabel(QStringLiteral("Min")), QStringLiteral("lblMin"));
    positionLimitLabels[1] = named(new QLabel(QStringLiteral("Max")), QStringLiteral("lblMax"));
    grid->addWidget(positionLimitLabels[0], 0, 1);
    grid->addWidget(positionLimitLabels[1], 0, 2);
    for (int k = 0; k < 6; ++k) {
        const QString letter(QChar(u'A' + k));
        positionLimitLabels[2 + k] = named(new QLabel(letter), QStringLiteral("lblPos") + letter);
        grid->addWidget(positionLimitLabels[2 + k], k + 1, 0);
        for (int side = 0; side < 2; ++side) {
            const int i = 2 * k + side;
            positionLimitBoxes[i] =
                numberBox(QLatin1String(kBoxes[i]), QLatin1String(kDefaults[i]), 2);
            grid->addWidget(positionLimitBoxes[i], k + 1, side + 1);
        }
    }
    column->addLayout(grid);
    connect(chkEnablePosAnalysis, &QCheckBox::clicked, this, &FilterPanel::chkEnablePosAnalysis_Click);
    setPositionLimitControls(false);
    return positions;
}

QWidget* FilterPanel::buildFiltersB() {
    auto* page = named(new QWidget, QStringLiteral("tabFiltersB"));
    auto* grid = new QGridLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(buildMidpoint());
    left->addWidget(buildKeyNumbers());
    left->addWidget(buildFilterAgainstHistory());
    left->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addWidget(buildLocks(), 0, 1, Qt::AlignTop);
    grid->addWidget(buildSumPick(), 0, 2);
    return page;
}

QGroupBox* FilterPanel::buildMidpoint() {
    frameMidpoint = frame("frameMidpoint", QStringLiteral("Midpoint Limits"));
    txtMaxBelowMid = numberBox(QStringLiteral("txtMaxBelowMid"), QStringLiteral("6"), 2);
    txtMinBelowMid = numberBox(QStringLiteral("txtMinBelowMid"), QStringLiteral("0"), 2);
    txtMaxAboveMid = numberBox(QStringLiteral("txtMaxAboveMid"), QStringLiteral("6"), 2);
    txtMinAboveMid = numberBox(QStringLiteral("txtMinAboveMid"), QStringLiteral("0"), 2);
    auto* form = new QFormLayout(frameMidpoint);
    form->addRow(QStringLiteral(" Max #s Below Midpoint:"), txtMaxBelowMid);
    form->addRow(QStringLiteral("Min #s Below Midpoint:"), txtMinBelowMid);
    form->addRow(QStringLiteral("Max #s Above Midpoint:"), txtMaxAboveMid);
    form->addRow(QStringLiteral("Min #s Above Midpoint:"), txtMinAboveMid);
    connect(txtMaxAboveMid, &QLineEdit::textChanged, this, &FilterPanel::txtMaxAboveMid_Change);
    connect(txtMaxBelowMid, &QLineEdit::textChanged, this, &FilterPanel::txtMaxBelowMid_Change);
    connect(txtMinAboveMid, &QLineEdit::textChanged, this, &FilterPanel::txtMinAboveMid_Change);
    connect(txtMinBelowMid, &QLineEdit::textChanged, this, &FilterPanel::txtMinBelowMid_Change);
    return frameMidpoint;
}

QGroupBox* FilterPanel::buildKeyNumbers() {
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
    return frameKeyNumbers;
}

QGroupBox* FilterPanel::buildLocks() {
    static const char* const kOut[] = {"txtAOut", "txtBOut", "txtCOut", "txtDOut", "TxtEOut", "txtFOut"};
    frameLocks = frame("frameLocks", QStringLiteral("Position Locks"));
    chkEnableLocks = checkBox(QStringLiteral("chkEnableLocks"), QStringLiteral("Enable"));
    auto* grid = new QGridLayout(frameLocks);
    grid->addWidget(chkEnableLocks, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Locked In")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Locked Out")), 1, 2, 1, 5);
    for (int k = 0; k < 6; ++k) {
        const QChar letter(u'A' + k);
        grid->addWidget(new QLabel(QString(letter) + QLatin1Char(':')), k + 2, 0);
        lockedInBoxes[k] = numberBox(QStringLiteral("txt1%1In").arg(letter), QString(), 2);
        grid->addWidget(lockedInBoxes[k], k + 2, 1);
        for (int i = 0; i < 5; ++i) {
            lockedOutBoxes[k * 5 + i] = numberBox(indexed(kOut[k], i), QString(), 2);
            grid->addWidget(lockedOutBoxes[k * 5 + i], k + 2, 2 + i);
        }
    }
    return frameLocks;
}

QGroupBox* FilterPanel::buildSumPick() {
    frameSumPick = frame("frameSumPick", QStringLiteral("Specific Sum Accept"));
    chkEnableSumPick = checkBox(QStringLiteral("chkEnableSumPick"), QStringLiteral("Enable"));
    lstSums = named(new QListWidget, QStringLiteral("lstSums"));
    lstSums->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int sum = 21; sum <= 279; ++sum) lstSums->addItem(QString::number(sum));
    lstSums->setFixedWidth(lstSums->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 40);
    auto* column = new QVBoxLayout(frameSumPick);
    column->addWidget(chkEnableSumPick);
    column->addWidget(lstSums);
    return frameSumPick;
}

QGroupBox* FilterPanel::buildFilterAgainstHistory() {
    frameFilterVsHistory = frame("frameFilterVsHistory", QStringLiteral("Filter Against History"));
    chkFAH = checkBox(QStringLiteral("chkFAH"), QStringLiteral("Enable"));
    txtMaxFAH = numberBox(QStringLiteral("txtMaxFAH"), QStringLiteral("6"), 2);
    auto* form = new QFormLayout(frameFilterVsHistory);
    form->addRow(chkFAH);
    form->addRow(QStringLiteral("Most Numbers Shared With Any Past Draw:"), txtMaxFAH);
    return frameFilterVsHistory;
}

QWidget* FilterPanel::buildFiltersC() {
    auto* page = named(new QWidget, QStringLiteral("tabFiltersC"));
    auto* grid = new QGridLayout(page);
    grid->addWidget(buildNumberGroups(), 0, 0);
    grid->addWidget(buildExactValues(), 0, 1);
    grid->addWidget(buildUnavailableFilters(), 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return page;
}

// A frame of an enable box over six labelled rows of empty number boxes, named
// `rowName(row) + "_" + index`.
template <std::size_t N>
QGroupBox* FilterPanel::boxRowsFrame(const char* frameName, const QString& caption, QCheckBox*& enable,
                                     const char* enableName, std::array<std::array<QLineEdit*, N>, 6>& boxes,
                                     const std::function<QString(int)>& rowLabel,
                                     const std::function<QString(int)>& rowName) {
    auto* rows = frame(frameName, caption);
    enable = checkBox(QLatin1String(enableName), QStringLiteral("Enable"));
    auto* grid = new QGridLayout(rows);
    grid->addWidget(enable, 0, 0, 1, static_cast<int>(N) + 1);
    for (int row = 0; row < 6; ++row) {
        grid->addWidget(new QLabel(rowLabel(row)), row + 1, 0);
        for (int i = 0; i < static_cast<int>(N); ++i) {
            boxes[row][i] = numberBox(QStringLiteral("%1_%2").arg(rowName(row)).arg(i), QString(), 2);
            grid->addWidget(boxes[row][i], row + 1, i + 1);
        }
    }
    return rows;
}

QGroupBox* FilterPanel::buildNumberGroups() {
    return boxRowsFrame(
        "frameGNG", QStringLiteral("Gathra Number Groups"), chkEnableGNG, "chkEnableGNG", txtPoolGrp,
        [](int row) { return QStringLiteral("Group %1:").arg(row + 1); },
        [](int row) { return QStringLiteral("txtPoolGrp%1").arg(row + 1); });
}

QGroupBox* FilterPanel::buildExactValues() {
    return boxRowsFrame(
        "frameXPos", QStringLiteral("Exact Positional Values"), chkEnableXPos, "chkEnableXPos", txtXPos,
        [](int row) { return QString(QChar(u'A' + row)) + QLatin1Char(':'); },
        [](int row) { return QStringLiteral("txtXPos") + QChar(u'A' + row); });
}

QWidget* FilterPanel::buildUnavailableFilters() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* hotCold = frame("frameHotCold", QStringLiteral("Hot/Cold Number Filter"));
    (new QVBoxLayout(hotCold))->addWidget(unavailable(checkBox(QStringLiteral("chkEnableHCF"), QStringLiteral("Enable"))));

    auto* sumHit = frame("frameSumHit", QStringLiteral("Sum Hit Filter"));
    auto* sumHitForm = new QFormLayout(sumHit);
    sumHitForm->addRow(unavailable(checkBox(QStringLiteral("chkDynaSum"), QStringLiteral("Enable"))));
    sumHitForm->addRow(QStringLiteral("Minimum Sum Hits:"),
                       unavailable(numberBox(QStringLiteral("txtMinSumHits"), QString())));

    auto* special = frame("frameSpecial", QStringLiteral("Special Restrictions"));
    auto* specialForm = new QFormLayout(special);
    specialForm->addRow(QStringLiteral("Max Consecutive Even Positional Values:"),
                        unavailable(numberBox(QStringLiteral("txtMCEPV"), QString())));
    specialForm->addRow(QStringLiteral("Max Numbers Per Position:"),
                        unavailable(numberBox(QStringLiteral("txtMaxNumsPerPos"), QString())));

    for (QGroupBox* box : {hotCold, sumHit, special}) layout->addWidget(box);
    layout->addStretch();
    return row;
}

} // namespace orvane
