#pragma once

#include <QListWidget>

namespace orvane {

// A one-column list that shows only whole rows: the part of its height that
// would show a row cut in half is left as a margin under the last full row.
// It asks for the width of its longest item with room either side and its
// scroll bar, and takes whatever height it is given.
class WholeRowsList : public QListWidget {
public:
    explicit WholeRowsList(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The height of one row, or 0 while the list is empty.
    int rowHeight() const;

protected:
    // Raised for the list's viewport; the margin is worked out from the whole list.
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int comfortableWidth() const;
    void trimToWholeRows();
};

} // namespace orvane
