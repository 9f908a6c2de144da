// Builds the "Filters A" tab and lays its controls out in their frames.
#include "app/FiltersATab.h"

#include "app/FilterWidgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane {

using namespace filterwidgets;

void FiltersATab::buildLayout() {
    setObjectName(QStringLiteral("tabFiltersA"));
    auto* grid = new QGridLayout(this);
    QGroupBox* frameOnes = nullptr;
    QGroupBox* frameTens = buildTensAndOnes(frameOnes);

    // Three columns of frames; the last frame of each column takes the height
    // left over, so that the columns end level at the bottom of the tab.
    auto* left = new QVBoxLayout;
    left->addWidget(buildSumLimits());
    left->addWidget(buildMiscellaneous());
    left->addWidget(buildPairs(), 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(buildEvens());
    middle->addWidget(frameTens);
    middle->addWidget(frameOnes, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildPositionalLimits(), 1);
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    for (int column = 0; column < 3; ++column) grid->setColumnStretch(column, 1);
    // The captions of the left column's forms share one width, so that their boxes stand in one line.
    sameWidth({lblMinSum, lblMaxSum, lblMaxDif, lblLastDrawMax, lblLastDrawMaxShadowing, lblMaxConsecutives});
}

namespace {

QString boxDefault(const std::string& text) { return QString::fromStdString(text); }

// "01 - 09:", "10 - 19:", and at the top "30 - 35:" or "90:" where the game's numbers end.
QString tensCaption(int tensClass, int highest) {
    const int low = std::max(tensClass * 10, 1);
    const int high = std::min(tensClass * 10 + 9, highest);
    const QString lowText = QStringLiteral("%1").arg(low, 2, 10, QLatin1Char('0'));
    if (low == high) return lowText + QLatin1Char(':');
    return QStringLiteral("%1 - %2:").arg(lowText).arg(high, 2, 10, QLatin1Char('0'));
}

} // namespace

QGroupBox* FiltersATab::buildSumLimits() {
    const FilterControls defaults(game_);
    auto* limits = frame("frameSumLimits", QStringLiteral("Sum Limits"));
    txtMinSum = numberBox(QStringLiteral("txtMinSum"), boxDefault(defaults.minSum));
    txtMaxSum = numberBox(QStringLiteral("txtMaxSum"), boxDefault(defaults.maxSum));
    lblMinSum = named(new QLabel(QStringLiteral("Minimum Sum of Set:")), QStringLiteral("lblMinSum"));
    lblMaxSum = named(new QLabel(QStringLiteral("Maximum Sum of Set:")), QStringLiteral("lblMaxSum"));
    auto* sums = new QFormLayout(limits);
    sums->addRow(lblMinSum, txtMinSum);
    sums->addRow(lblMaxSum, txtMaxSum);
    return limits;
}

QGroupBox* FiltersATab::buildMiscellaneous() {
    const FilterControls defaults(game_);
    auto* misc = frame("frameMiscFilters", QStringLiteral("Miscellaneous Filters"));
    chkL15S = checkBox(QStringLiteral("chkL15S"), QStringLiteral("Reject Last 15 Game Draw Sums"));
    auto* chkL25SDR =
        unavailable(checkBox(QStringLiteral("chkL25SDR"), QStringLiteral("Reject Last 25 Sum Differences")));
    txtMaxDif = numberBox(QStringLiteral("txtMaxDif"), boxDefault(defaults.maxDif));
    lblMaxDif = named(new QLabel(QStringLiteral("Maximum Difference:")), QStringLiteral("lblMaxDif"));
    txtLastDrawNumMax = numberBox(QStringLiteral("txtLastDrawNumMax"), boxDefault(defaults.lastDrawNumMax));
    lblLastDrawMax = named(new QLabel(QStringLiteral("Max Numbers From Last Draw:")), QStringLiteral("lblLastDrawMax"));
    txtLastDrawNumMaxPos = numberBox(QStringLiteral("txtLastDrawNumMaxPos"), boxDefault(defaults.lastDrawNumMaxPos));
    lblLastDrawMaxShadowing =
        named(new QLabel(QStringLiteral("Max Last Draw #/Pos Shadow:")), QStringLiteral("lblLastDrawMaxShadowing"));
    auto* form = new QFormLayout(misc);
    form->addRow(chkL15S);
    form->addRow(chkL25SDR);
    form->addRow(lblMaxDif, txtMaxDif);
    form->addRow(lblLastDrawMax, txtLastDrawNumMax);
    form->addRow(lblLastDrawMaxShadowing, txtLastDrawNumMaxPos);
    connect(chkL15S, &QCheckBox::clicked, this, &FiltersATab::chkL15S_Click);
    return misc;
}

QGroupBox* FiltersATab::buildPairs() {
    const FilterControls defaults(game_);
    auto* pairs = frame("framePairs", QStringLiteral("Pairs && Consecutives"));
    chkEnablePairsFilter = checkBox(QStringLiteral("chkEnablePairsFilter"), QStringLiteral("Enable"));
    txtMaxConsecutives = numberBox(QStringLiteral("txtMaxConsecutives"), boxDefault(defaults.maxConsecutives));
    txtMaxConsecutives->setToolTip(QStringLiteral("Limits consecutive numbers, such as 12-13-14-15."));
    lblMaxConsecutives =
        named(new QLabel(QStringLiteral("Maximum Consecutive Numbers Limit:")), QStringLiteral("lblMaxConsecutives"));
    chkAllowPairs = checkBox(QStringLiteral("chkAllowPairs"), QStringLiteral("Allow Consecutive Number Pairs"), true);
    chkAllowTwoPairs =
        checkBox(QStringLiteral("chkAllowTwoPairs"), QStringLiteral("Allow Two Number Pairs Per Set"), true);
    chkAllowThreePairs =
        checkBox(QStringLiteral("chkAllowThreePairs"), QStringLiteral("Allow Three Number Pairs Per Set"), true);
    chkRequirePair = checkBox(QStringLiteral("chkRequirePair"), QStringLiteral("Require Sets With At Least One  Pair"));
    auto* form = new QFormLayout(pairs);
    form->addRow(chkEnablePairsFilter);
    form->addRow(lblMaxConsecutives, txtMaxConsecutives);
    for (QCheckBox* box : {chkAllowPairs, chkAllowTwoPairs, chkAllowThreePairs, chkRequirePair}) form->addRow(box);
    connect(chkAllowPairs, &QCheckBox::clicked, this, &FiltersATab::chkAllowPairs_Click);
    connect(chkRequirePair, &QCheckBox::clicked, this, &FiltersATab::chkRequirePair_Click);
    return pairs;
}

QWidget* FiltersATab::buildEvens() {
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    auto* evens = frame("frameEvensAllowed", QStringLiteral("Even Numbers Limits"));
    auto* evensColumn = new QVBoxLayout(evens);
    for (int k = 0; k <= game_.perTicket(); ++k) {
        chkEvens.push_back(
            checkBox(indexed("chkEvens", k), QStringLiteral("Allow %1 Even Numbers Per Set").arg(k), true));
        evensColumn->addWidget(chkEvens.back());
    }
    evensColumn->addStretch();
    auto* signatures = frame("frameEvenSignatures", QStringLiteral("Evens Signatures"));
    chkEvensSignatures =
        checkBox(QStringLiteral("chkEvensSignatures"), QStringLiteral("Reject last 25 Evens Signatures"));
    (new QVBoxLayout(signatures))->addWidget(chkEvensSignatures);
    column->addWidget(evens);
    column->addWidget(signatures);
    return holder;
}

QGroupBox* FiltersATab::buildTensAndOnes(QGroupBox*& frameOnes) {
    const FilterControls defaults(game_);
    auto* tens = frame("frameTensPlace", QStringLiteral("Tens Place Limits"));
    auto* tensGrid = new QGridLayout(tens);
    for (int k = 0; k < game_.tensClasses(); ++k) {
        txtTens.push_back(numberBox(indexed("txtTens", k), boxDefault(defaults.tens[static_cast<std::size_t>(k)]), 2));
        lblTens.push_back(named(new QLabel(tensCaption(k, game_.highest())), QStringLiteral("lblTens%1").arg(k)));
        tensGrid->addWidget(lblTens.back(), k / 3, (k % 3) * 2);
        tensGrid->addWidget(txtTens.back(), k / 3, (k % 3) * 2 + 1);
    }
    keepTopLeft(tensGrid);
    frameOnes = frame("frameOnesPlace", QStringLiteral("Ones Place Limits"));
    auto* onesGrid = new QGridLayout(frameOnes);
    for (int d = 0; d < 10; ++d) {
        txtOnes[d] = numberBox(indexed("txtOnes", d), boxDefault(defaults.ones[static_cast<std::size_t>(d)]), 2);
        lblOnes[d] = named(new QLabel(QString::number(d)), QStringLiteral("lblOnes%1").arg(d));
        onesGrid->addWidget(lblOnes[d], d / 5, (d % 5) * 2);
        onesGrid->addWidget(txtOnes[d], d / 5, (d % 5) * 2 + 1);
    }
    keepTopLeft(onesGrid);
    return tens;
}

QGroupBox* FiltersATab::buildPositionalLimits() {
    const FilterControls defaults(game_);
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
    positionLimitLabels.push_back(named(new QLabel(QStringLiteral("Min")), QStringLiteral("lblMin")));
    positionLimitLabels.push_back(named(new QLabel(QStringLiteral("Max")), QStringLiteral("lblMax")));
    grid->addWidget(positionLimitLabels[0], 0, 1);
    grid->addWidget(positionLimitLabels[1], 0, 2);
    for (int k = 0; k < game_.perTicket(); ++k) {
        const QString letter(QLatin1Char(game_.positionLetter(k)));
        positionLimitLabels.push_back(named(new QLabel(letter), QStringLiteral("lblPos") + letter));
        grid->addWidget(positionLimitLabels.back(), k + 1, 0);
        for (int side = 0; side < 2; ++side) {
            const std::size_t i = 2 * static_cast<std::size_t>(k) + static_cast<std::size_t>(side);
            const QString name =
                QStringLiteral("txt") + letter + (side == 0 ? QStringLiteral("Min") : QStringLiteral("Max"));
            positionLimitBoxes.push_back(numberBox(name, boxDefault(defaults.positionLimits[i]), 2));
            grid->addWidget(positionLimitBoxes.back(), k + 1, side + 1);
        }
    }
    keepTopLeft(grid);
    column->addLayout(grid, 1);
    connect(chkEnablePosAnalysis, &QCheckBox::clicked, this, &FiltersATab::chkEnablePosAnalysis_Click);
    setPositionLimitControls(false);
    return positions;
}

} // namespace orvane
