#pragma once

#include <QFont>
#include <QListWidget>

namespace orvane {

// The number list laid out as a lotto slip: seven numbers to a row, in cells
// that share the whole list between them. The cells, and within bounds the
// font, grow with the space the list is given; it never shrinks below the
// size its numbers need at the normal font.
class NumberGrid : public QListWidget {
public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 7;

    explicit NumberGrid(QWidget* parent = nullptr);

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
};

} // namespace orvane
