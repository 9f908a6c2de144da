#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

// What a user would call cut or overlapping on a page of controls.
namespace pagelayout {

inline bool isControl(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QGroupBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget);
}

inline QString describe(const QWidget* widget) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    return QStringLiteral("%1 \"%2\" (%3) at %4,%5 %6x%7")
        .arg(widget->objectName(), text, QLatin1String(widget->metaObject()->className()))
        .arg(widget->x())
        .arg(widget->y())
        .arg(widget->width())
        .arg(widget->height());
}

// Every control shown on `page` is at least its minimum size and inside the
// page, and none overlaps another of the same parent: an empty text, or what
// is wrong (named with `where`).
inline QString faultOf(QWidget* page, const QString& where) {
    QList<QWidget*> controls;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (!isControl(widget) || !widget->isVisibleTo(page)) continue;
        // The parts of a list (viewport, scroll bars) are the list's own business.
        if (qobject_cast<QAbstractItemView*>(widget->parentWidget())) continue;
        controls.append(widget);
    }
    if (controls.size() <= 10) return where + QStringLiteral(": only %1 controls shown").arg(controls.size());
    for (QWidget* control : controls) {
        const QSize least = control->minimumSizeHint();
        if (control->width() < least.width() || control->height() < least.height())
            return QStringLiteral("%1: %2 is smaller than %3x%4")
                .arg(where, describe(control))
                .arg(least.width())
                .arg(least.height());
        if (!page->rect().contains(QRect(control->mapTo(page, QPoint(0, 0)), control->size())))
            return QStringLiteral("%1: %2 runs off the tab").arg(where, describe(control));
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            if (controls[i]->parentWidget() != controls[j]->parentWidget()) continue;
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                return QStringLiteral("%1: %2 overlaps %3").arg(where, describe(controls[i]), describe(controls[j]));
        }
    return {};
}

} // namespace pagelayout
