#pragma once

#include <QObject>

class QWidget;

namespace orvane {

// Makes Escape close the window wherever the focus is in it, as it does in a
// dialog; the window's close handling decides what closing means (Done, Stop,
// or putting the window away).
class EscapeCloses : public QObject {
public:
    explicit EscapeCloses(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

} // namespace orvane
