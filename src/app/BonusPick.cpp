#include "app/BonusPick.h"

#include "app/NumberGrid.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane {

BonusPick::BonusPick(QWidget* parent) : QGroupBox(QStringLiteral("Bonus Numbers"), parent) {
    setObjectName(QStringLiteral("frameBonusNumbers"));
    lstBonusNumbers = new NumberGrid;
    lstBonusNumbers->setObjectName(QStringLiteral("lstBonusNumbers"));
    lstBonusNumbers->setSelectionMode(QAbstractItemView::MultiSelection);
    lblBonusCount = new QLabel;
    lblBonusCount->setObjectName(QStringLiteral("lblBonusCount"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(lstBonusNumbers, 1);
    column->addWidget(lblBonusCount);
    connect(lstBonusNumbers, &QListWidget::itemSelectionChanged, this, [this] {
        showCount();
        emit pickChanged();
    });
    setVisible(false);
}

void BonusPick::showFor(const Game& game) {
    lstBonusNumbers->showNumbers(std::max(game.bonusPool(), 1));
    showCount();
    setVisible(game.hasBonusPool());
}

std::vector<int> BonusPick::picked() const {
    std::vector<int> numbers;
    for (int row = 0; row < lstBonusNumbers->count(); ++row)
        if (lstBonusNumbers->item(row)->isSelected()) numbers.push_back(row + 1);
    return numbers;
}

void BonusPick::pick(const std::vector<int>& numbers) {
    for (int number : numbers)
        if (number >= 1 && number <= lstBonusNumbers->count()) lstBonusNumbers->item(number - 1)->setSelected(true);
}

void BonusPick::clearPick() { lstBonusNumbers->clearSelection(); }

void BonusPick::showCount() { lblBonusCount->setText(QStringLiteral("Bonus numbers picked: %1").arg(picked().size())); }

} // namespace orvane
