#include "platform/EnterPressesDefault.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace orvane {

EnterPressesDefault::EnterPressesDefault(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
}

bool EnterPressesDefault::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    // The default button changes during a wheel run (Start, then Stop), so it is
    // looked up at each press. A button on another tab still counts.
    const auto buttons = window_->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->isDefault() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

} // namespace orvane
