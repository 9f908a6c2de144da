#include "app/NumberGrid.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace orvane {

namespace {
// How far the numbers' font may grow with their cells: enough to read them
// across a desk, not so much that the grid looks like a poster.
constexpr double kMostFontGrowth = 1.6;
// The size the list asks for, against the smallest it accepts: room to click comfortably.
constexpr double kRoomyCell = 1.4;

// Each number fills its whole cell, so that it sits in the cell's middle and its
// selection marks the whole cell.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return static_cast<const QListView*>(parent())->gridSize();
    }
    // A thin gap around each cell keeps selected neighbours apart, so a run of
    // selected numbers still reads as separate numbers.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        cell.rect = option.rect.adjusted(kCellGap, kCellGap, -kCellGap, -kCellGap);
        QStyledItemDelegate::paint(painter, cell, index);
    }
    static constexpr int kCellGap = 2;
};
} // namespace

NumberGrid::NumberGrid(QWidget* parent) : QListWidget(parent), normalFont_(font()) {
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setResizeMode(QListView::Adjust);
    setSpacing(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setItemDelegate(new CellDelegate(this));
    setGridSize(normalCell());
}

void NumberGrid::showNumbers(int highest) {
    clear();
    columns_ = columnsFor(highest);
    rows_ = (highest + columns_ - 1) / columns_;
    for (int number = 1; number <= highest; ++number) {
        addItem(QString::number(number));
        item(number - 1)->setTextAlignment(Qt::AlignCenter);
    }
    updateGeometry();
    fitCells();
}

QSize NumberGrid::normalCell() const {
    const QFontMetrics metrics(normalFont_);
    return {metrics.horizontalAdvance(QStringLiteral("00")) + 18, metrics.height() + 10};
}

QSize NumberGrid::sizeHint() const {
    const QSize cell = normalCell() * kRoomyCell;
    const int frame = 2 * frameWidth() + 1;
    return {columns_ * cell.width() + frame, rows_ * cell.height() + frame};
}

QSize NumberGrid::minimumSizeHint() const {
    const QSize cell = normalCell();
    const int frame = 2 * frameWidth() + 1;
    return {columns_ * cell.width() + frame, rows_ * cell.height() + frame};
}

void NumberGrid::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    fitCells();
}

void NumberGrid::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    // A font set from outside (not the one the cells chose) becomes the normal font.
    if (event->type() == QEvent::FontChange && !fitting_) {
        normalFont_ = font();
        updateGeometry();
        fitCells();
    }
}

void NumberGrid::fitCells() {
    const QSize area = viewport()->size();
    const QSize normal = normalCell();
    // Whole pixels per cell, so that a row's cells fit across and every row in the list; the
    // list starts a new row when a cell would reach its last pixel, hence the one kept free.
    const QSize cell(std::max(1, (area.width() - 1) / columns_), std::max(1, (area.height() - 1) / rows_));
    const double growth = std::clamp(
        std::min(double(cell.width()) / normal.width(), double(cell.height()) / normal.height()), 1.0, kMostFontGrowth);
    QFont grown = normalFont_;
    if (normalFont_.pointSizeF() > 0)
        grown.setPointSizeF(normalFont_.pointSizeF() * growth);
    else
        grown.setPixelSize(std::max(1, int(normalFont_.pixelSize() * growth)));
    fitting_ = true;
    if (grown != font()) setFont(grown);
    if (gridSize() != cell) setGridSize(cell);
    fitting_ = false;
}

} // namespace orvane
