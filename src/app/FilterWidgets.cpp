#include "app/FilterWidgets.h"

#include <QFontMetrics>

#include <algorithm>

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

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    // Drawn as rich text, the caption drops the white space that leads it and looks
    // exactly as it would without it; its text stays as given. Text with markup
    // characters stays plain, so that it is never read as markup.
    const bool leadingSpace = text.startsWith(QLatin1Char(' '));
    if (leadingSpace && !text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('&')))
        label->setTextFormat(Qt::RichText);
    return label;
}

void setValue(QCheckBox* box, int value) {
    const Qt::CheckState state = value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (box->checkState() == state) return;
    box->setCheckState(state);
    emit box->clicked(box->isChecked());
}

void choose(QRadioButton* option) {
    // Choosing one option of a group clears the others, as a click does.
    option->setChecked(true);
    emit option->clicked(true);
}

void setText(QLineEdit* box, const std::string& text) { box->setText(QString::fromStdString(text)); }

void sameWidth(std::initializer_list<QWidget*> widgets) {
    int widest = 0;
    for (QWidget* widget : widgets) widest = std::max(widest, widget->sizeHint().width());
    for (QWidget* widget : widgets) widget->setMinimumWidth(widest);
}

void keepTopLeft(QGridLayout* grid) {
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(grid->columnCount(), 1);
}

} // namespace orvane::filterwidgets
