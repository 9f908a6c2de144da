#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

namespace orvane {

// The main window's wheel run, which the windows that read its output file wait for.
inline const QString kWheelRunOperation = QStringLiteral("wheel run");

// Which long operations are running (a wheel run, a win check, a report, ...)
// and the commands each keeps disabled while it runs. Commands are menu items,
// menus and buttons, known by objectName; a command is enabled again only when
// no running operation still needs it disabled, so two operations may overlap.
class BusyState : public QObject {
    Q_OBJECT
public:
    explicit BusyState(QObject* parent = nullptr);

    // The commands `operation` disables while it runs, by objectName.
    void defineOperation(const QString& operation, const QStringList& commands);
    // A standing condition rather than a long operation (a game the commands do
    // not serve yet): begun and ended as an operation is, it keeps its commands
    // disabled the same way, but does not make the window busy.
    void defineCondition(const QString& condition, const QStringList& commands);
    // A command (QAction, QMenu or any QWidget) under its objectName; it takes the
    // state the running operations give it at once.
    void addCommand(QObject* command);
    // Every child of `root` whose objectName some operation lists.
    void addCommandsIn(QObject* root);

    void begin(const QString& operation);
    void end(const QString& operation);
    bool running(const QString& operation) const { return running_.contains(operation); }
    // No long operation runs; a standing condition may hold.
    bool idle() const;
    // Whether `operation` (or condition) disables the command.
    bool lists(const QString& operation, const QString& command) const {
        return disables_.value(operation).contains(command);
    }
    // Whether some running operation keeps the command disabled.
    bool disabled(const QString& command) const;

signals:
    void changed();

private:
    void apply(const QString& command);

    QHash<QString, QStringList> disables_;
    QSet<QString> running_;
    QSet<QString> conditions_;
    QHash<QString, QList<QPointer<QObject>>> commands_;
};

} // namespace orvane
