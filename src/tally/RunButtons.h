#pragma once

#include <QPushButton>
#include <QWidget>

namespace orvane {

// The start and Stop buttons of a tool window's count: Enter presses the one
// that can be pressed, and the pointer says the window is at work meanwhile.
inline void showRunButtons(QWidget* window, QPushButton* start, QPushButton* stop, bool running) {
    stop->setEnabled(running);
    start->setEnabled(!running);
    start->setDefault(!running);
    stop->setDefault(running);
    if (running)
        window->setCursor(Qt::BusyCursor);
    else
        window->unsetCursor();
}

} // namespace orvane
