#pragma once

#include <QObject>

class QWidget;

namespace orvane {

// Makes the Enter key press the window's current default button wherever the
// focus is in the window, as it does in a dialog. A QMainWindow has no default
// button of its own; the key reaches the window when the focused control leaves
// it unused (a line edit, a list, a check box), while a multi-line text area
// keeps it for its line breaks.
class EnterPressesDefault : public QObject {
public:
    explicit EnterPressesDefault(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

} // namespace orvane
