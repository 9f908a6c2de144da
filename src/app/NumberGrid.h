#pragma once

#include <QFont>
#include <QListWidget>

namespace orvane {

// The number list laid out as a lotto slip: seven numbers to a row for a game
// of up to 49 numbers, ten above, in cells that share the whole list between
// them. The cells, and within bounds the font, grow with the space the list is
// given; it never shrinks below the size its numbers need at the normal font.
class NumberGrid : public QListWidget {
public:
    explicit NumberGrid(QWidget* parent = nullptr);

    // The numbers 1 to `highest`, none selected, in rows of the slip.
    void showNumbers(int highest);
    static int columnsFor(int highest) { return highest <= 49 ? 7 : 10; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // Raised for the list's viewport: the cells follow its size.
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // A cell at the normal font: room for two digits with a margin around them.
    QSize normalCell() const;
    void fitCells();

    QFont normalFont_;
    bool fitting_ = false;
    int columns_ = 7;
    int rows_ = 7;
};

} // namespace orvane
