#include "app/LockedBoxLook.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QStyle>

namespace orvane {

namespace {

// The style sheet's read-only look is chosen when a box is polished; a box that
// turns read-only or editable is polished again so that its look follows.
class RepolishOnReadOnlyChange : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ReadOnlyChange) {
            auto* box = static_cast<QWidget*>(watched);
            box->style()->unpolish(box);
            box->style()->polish(box);
            box->update();
        }
        return false;
    }
};

} // namespace

void showLockedBoxesAsLocked(QWidget* window) {
    window->setStyleSheet(
        QStringLiteral("QLineEdit:read-only, QLineEdit:disabled { background-color: palette(window); }"));
    auto* repolish = new RepolishOnReadOnlyChange(window);
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) box->installEventFilter(repolish);
}

} // namespace orvane
