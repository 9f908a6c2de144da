#include "accessories/OpenerLock.h"

namespace orvane {

OpenerLock::OpenerLock(QWidget* opener) : opener_(opener) {
    if (!opener) return;
    for (QWidget* child : opener->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || !child->isEnabled()) continue;
        child->setEnabled(false);
        disabled_.append(child);
    }
}

OpenerLock::~OpenerLock() { release(); }

void OpenerLock::release() {
    for (const QPointer<QWidget>& child : disabled_)
        if (child) child->setEnabled(true);
    disabled_.clear();
    if (opener_) opener_->activateWindow();
}

} // namespace orvane
