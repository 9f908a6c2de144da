#include "app/FilterWidgets.h"

#include <QFontMetrics>

namespace orvane::filterwidgets {

QString indexed(const char* name, int index) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index); }

QLineEdit* numberBox(const QString& name, const QString& text, int characters) {
    auto* box = named(new QLineEdit(text), name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + 14);
    return box;
}

QCheckBox* checkBox(const QString& name, const QString& caption, bool checked) {
    auto* box = named(new QCheckBox(caption), name);
    box->setChecked(checked);
    return box;
}

QGroupBox* frame(const char* name, const QString& caption) {
    return named(new QGroupBox(caption), QLatin1String(name));
}

} // namespace orvane::filterwidgets
