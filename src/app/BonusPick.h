#pragma once

#include "core/Game.h"

#include <QGroupBox>

#include <vector>

class QLabel;

namespace orvane {

class NumberGrid;

// frameBonusNumbers, "Bonus Numbers": the bonus pool's numbers as a second
// slip beside the main one, with its own count ("Bonus numbers picked: 2").
// A game without a bonus pool shows none of it.
class BonusPick : public QGroupBox {
    Q_OBJECT
public:
    explicit BonusPick(QWidget* parent = nullptr);

    // The bonus pool of `game`, none picked; hidden when it has none.
    void showFor(const Game& game);
    // The bonus numbers picked, ascending.
    std::vector<int> picked() const;
    // Adds `numbers` to the pick; those outside the bonus pool are passed over.
    void pick(const std::vector<int>& numbers);
    void clearPick();

signals:
    void pickChanged();

private:
    void showCount();

    NumberGrid* lstBonusNumbers = nullptr;
    QLabel* lblBonusCount = nullptr;
};

} // namespace orvane
