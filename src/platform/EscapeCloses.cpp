#include "platform/EscapeCloses.h"

#include <QKeyEvent>
#include <QWidget>

namespace orvane {

EscapeCloses::EscapeCloses(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

bool EscapeCloses::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    window_->close();
    return true;
}

} // namespace orvane
