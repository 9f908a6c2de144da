#include "app/WholeRowsList.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace orvane {

namespace {
// The rows a list shows at least, whatever its frame.
constexpr int kFewestRows = 5;
} // namespace

WholeRowsList::WholeRowsList(QWidget* parent) : QListWidget(parent) {
    setUniformItemSizes(true);
    setSpacing(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    // The margin under the rows is painted as the list's own background, not the window's.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

int WholeRowsList::rowHeight() const { return count() == 0 ? 0 : sizeHintForRow(0); }

int WholeRowsList::comfortableWidth() const {
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int items = count() == 0 ? 3 * digit : sizeHintForColumn(0);
    return 2 * frameWidth() + verticalScrollBar()->sizeHint().width() + items + 4 * digit;
}

QSize WholeRowsList::sizeHint() const {
    return {comfortableWidth(), std::max(QListWidget::sizeHint().height(), minimumSizeHint().height())};
}

QSize WholeRowsList::minimumSizeHint() const {
    const int row = std::max(rowHeight(), fontMetrics().height());
    return {comfortableWidth(), 2 * frameWidth() + kFewestRows * row};
}

void WholeRowsList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    trimToWholeRows();
}

void WholeRowsList::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        trimToWholeRows();
    }
}

void WholeRowsList::trimToWholeRows() {
    const int row = rowHeight();
    if (row <= 0) return;
    // The viewport's room before any margin: the list inside its frame.
    const int room = contentsRect().height();
    const int remainder = room % row;
    if (viewportMargins().bottom() != remainder) setViewportMargins(0, 0, 0, remainder);
}

} // namespace orvane
