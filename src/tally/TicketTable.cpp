#include "tally/TicketTable.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace orvane {

namespace {
// The room a cell leaves around its text: the style's margins and a little air.
constexpr int kCellPadding = 16;
} // namespace

QTableWidget* readOnlyTable(QWidget* parent, const char* name, const QStringList& headings) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    // Every column as wide as its heading and cells; the last takes the rest.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    table->setFocusPolicy(Qt::NoFocus);
    // Rows as tall as a line of text and a little air, so a game's tiers fit on a screen.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    return table;
}

void fillTable(QTableWidget* table, const std::vector<QStringList>& rows) {
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[static_cast<std::size_t>(r)].size() && c < table->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(rows[static_cast<std::size_t>(r)][c]);
            // Counts and odds read from the right, as figures do.
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    // Wide enough for every cell, so no column is cut and no scroll bar takes a row's room.
    int width = 2 * table->frameWidth();
    const QFontMetrics metrics = table->fontMetrics();
    for (int c = 0; c < table->columnCount(); ++c) {
        int column = table->horizontalHeader()->sectionSizeHint(c);
        for (const QStringList& row : rows)
            if (c < row.size()) column = std::max(column, metrics.horizontalAdvance(row[c]) + kCellPadding);
        width += column;
    }
    table->setMinimumWidth(width);
}

void fitTableToRows(QTableWidget* table, int rows) {
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    const int height = table->horizontalHeader()->sizeHint().height() + rows * rowHeight + 2 * table->frameWidth() + 2;
    table->setFixedHeight(height);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace orvane
