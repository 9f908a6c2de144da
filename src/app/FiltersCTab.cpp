// The "Filters C" tab: its layout and reading it.
#include "app/FiltersCTab.h"

#include "app/FilterWidgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace orvane {

using namespace filterwidgets;

FiltersCTab::FiltersCTab(const Game& game, QWidget* parent) : QWidget(parent), game_(game) {
    setObjectName(QStringLiteral("tabFiltersC"));
    auto* grid = new QGridLayout(this);
    // The two frames of box rows take the height the tab has to spare and spread their
    // rows over it; the frames of filters not available yet keep to one row under them.
    grid->addWidget(buildNumberGroups(), 0, 0);
    grid->addWidget(buildExactValues(), 0, 1);
    grid->addWidget(buildUnavailableFilters(), 1, 0, 1, 2);
    grid->setRowStretch(0, 1);
}

void FiltersCTab::read(FilterControls& c) const {
    c.enableGroups = value(chkEnableGNG);
    for (std::size_t g = 0; g < txtPoolGrp.size() && g < c.groups.size(); ++g) c.groups[g] = texts(txtPoolGrp[g]);
    c.enableExactValues = value(chkEnableXPos);
    c.exactValues.clear();
    for (const auto& row : txtXPos) c.exactValues.push_back(texts(row));
}

// A frame of an enable box over `rowCount` labelled rows of empty number boxes,
// named `rowName(row) + "_" + index`.
template <std::size_t N>
QGroupBox* FiltersCTab::boxRowsFrame(const char* frameName, const QString& caption, QCheckBox*& enable,
                                     const char* enableName, std::vector<std::array<QLineEdit*, N>>& boxes,
                                     int rowCount, const std::function<QString(int)>& rowLabel,
                                     const std::function<QString(int)>& rowName) {
    auto* rows = frame(frameName, caption);
    enable = checkBox(QLatin1String(enableName), QStringLiteral("Enable"));
    auto* grid = new QGridLayout(rows);
    grid->addWidget(enable, 0, 0, 1, static_cast<int>(N) + 1);
    boxes.resize(static_cast<std::size_t>(rowCount));
    for (int row = 0; row < rowCount; ++row) {
        grid->addWidget(new QLabel(rowLabel(row)), row + 1, 0);
        for (int i = 0; i < static_cast<int>(N); ++i) {
            QLineEdit*& box = boxes[static_cast<std::size_t>(row)][static_cast<std::size_t>(i)];
            box = numberBox(QStringLiteral("%1_%2").arg(rowName(row)).arg(i), QString(), 2);
            grid->addWidget(box, row + 1, i + 1);
        }
    }
    // The boxes stay beside their captions when the frame grows wider.
    grid->setColumnStretch(static_cast<int>(N) + 1, 1);
    return rows;
}

QGroupBox* FiltersCTab::buildNumberGroups() {
    return boxRowsFrame(
        "frameGNG", QStringLiteral("Gathra Number Groups"), chkEnableGNG, "chkEnableGNG", txtPoolGrp,
        static_cast<int>(FilterControls(game_).groups.size()),
        [](int row) { return QStringLiteral("Group %1:").arg(row + 1); },
        [](int row) { return QStringLiteral("txtPoolGrp%1").arg(row + 1); });
}

QGroupBox* FiltersCTab::buildExactValues() {
    return boxRowsFrame(
        "frameXPos", QStringLiteral("Exact Positional Values"), chkEnableXPos, "chkEnableXPos", txtXPos,
        game_.perTicket(),
        [this](int row) { return QString(QLatin1Char(game_.positionLetter(row))) + QLatin1Char(':'); },
        [this](int row) { return QStringLiteral("txtXPos") + QLatin1Char(game_.positionLetter(row)); });
}

QWidget* FiltersCTab::buildUnavailableFilters() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* hotCold = frame("frameHotCold", QStringLiteral("Hot/Cold Number Filter"));
    (new QVBoxLayout(hotCold))
        ->addWidget(unavailable(checkBox(QStringLiteral("chkEnableHCF"), QStringLiteral("Enable"))));

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

    for (QGroupBox* box : {hotCold, sumHit, special}) layout->addWidget(box, 1);
    return row;
}

} // namespace orvane
