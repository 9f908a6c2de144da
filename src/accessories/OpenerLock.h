#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace orvane {

// Disables a window's own controls and menu bar while another window it
// opened is up, and enables again exactly those it disabled. Disabling the
// window itself would disable the windows it opened along with it.
class OpenerLock {
public:
    explicit OpenerLock(QWidget* opener);
    ~OpenerLock();
    OpenerLock(const OpenerLock&) = delete;
    OpenerLock& operator=(const OpenerLock&) = delete;

    void release();

private:
    QPointer<QWidget> opener_;
    QList<QPointer<QWidget>> disabled_;
};

} // namespace orvane
