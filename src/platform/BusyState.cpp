#include "platform/BusyState.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace orvane {

namespace {
void setCommandEnabled(QObject* command, bool enabled) {
    if (auto* menu = qobject_cast<QMenu*>(command))
        menu->menuAction()->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(command))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(command))
        widget->setEnabled(enabled);
}
} // namespace

BusyState::BusyState(QObject* parent) : QObject(parent) {}

void BusyState::defineOperation(const QString& operation, const QStringList& commands) {
    disables_.insert(operation, commands);
}

void BusyState::defineCondition(const QString& condition, const QStringList& commands) {
    defineOperation(condition, commands);
    conditions_.insert(condition);
}

bool BusyState::idle() const {
    for (const QString& operation : running_)
        if (!conditions_.contains(operation)) return false;
    return true;
}

void BusyState::addCommand(QObject* command) {
    const QString name = command->objectName();
    QList<QPointer<QObject>>& list = commands_[name];
    if (!list.contains(command)) list.append(command);
    apply(name);
}

void BusyState::addCommandsIn(QObject* root) {
    QSet<QString> wanted;
    for (const QStringList& commands : std::as_const(disables_))
        for (const QString& name : commands) wanted.insert(name);
    for (QObject* child : root->findChildren<QObject*>())
        if (wanted.contains(child->objectName())) addCommand(child);
}

void BusyState::begin(const QString& operation) {
    Q_ASSERT(disables_.contains(operation));
    if (running_.contains(operation)) return;
    running_.insert(operation);
    for (const QString& name : disables_.value(operation)) apply(name);
    emit changed();
}

void BusyState::end(const QString& operation) {
    if (!running_.remove(operation)) return;
    for (const QString& name : disables_.value(operation)) apply(name);
    emit changed();
}

bool BusyState::disabled(const QString& command) const {
    for (const QString& operation : running_)
        if (disables_.value(operation).contains(command)) return true;
    return false;
}

void BusyState::apply(const QString& command) {
    const bool enabled = !disabled(command);
    QList<QPointer<QObject>>& list = commands_[command];
    list.removeAll(nullptr);
    for (QObject* object : std::as_const(list)) setCommandEnabled(object, enabled);
}

} // namespace orvane
