#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

// Small builders and readers the three filter tabs share.
namespace orvane::filterwidgets {

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// "txtOnes" and 3 give "txtOnes_3": the name of a control array's member.
QString indexed(const char* name, int index);

// A narrow box for a number or two.
QLineEdit* numberBox(const QString& name, const QString& text, int characters = 3);
QCheckBox* checkBox(const QString& name, const QString& caption, bool checked = false);
QGroupBox* frame(const char* name, const QString& caption);

// A row's caption. Spaces that lead its text are not shown, so that its words
// line up with the captions of the rows above and below it.
QLabel* caption(const QString& text);

// Gives the widgets the width of the widest: captions of forms stacked in one
// column, made equal, put the boxes of all those forms in one line.
void sameWidth(std::initializer_list<QWidget*> widgets);

// Keeps a grid's cells together at its top left when its frame grows, instead
// of spreading captions away from their boxes.
void keepTopLeft(QGridLayout* grid);

// A control that no filter reads yet: shown, but off and saying so.
template <typename Widget> Widget* unavailable(Widget* widget) {
    widget->setEnabled(false);
    widget->setToolTip(QStringLiteral("This filter is not available yet."));
    return widget;
}

inline std::string text(const QLineEdit* box) { return box->text().toStdString(); }
// 0 unchecked, 1 checked, 2 greyed.
inline int value(const QCheckBox* box) {
    return box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked() ? 1 : 0;
}

// Setting a control as the user would: a check box or option button that
// changes runs its own click handling; a box's text runs its change handling.
void setValue(QCheckBox* box, int value);
void choose(QRadioButton* option);
void setText(QLineEdit* box, const std::string& text);
template <std::size_t N, typename Texts> void setTexts(const std::array<QLineEdit*, N>& boxes, const Texts& texts) {
    for (std::size_t i = 0; i < N && i < texts.size(); ++i) setText(boxes[i], texts[i]);
}

template <typename Texts> void setTexts(const std::vector<QLineEdit*>& boxes, const Texts& texts) {
    for (std::size_t i = 0; i < boxes.size() && i < texts.size(); ++i) setText(boxes[i], texts[i]);
}

template <std::size_t N> std::array<std::string, N> texts(const std::array<QLineEdit*, N>& boxes) {
    std::array<std::string, N> values;
    for (std::size_t i = 0; i < N; ++i) values[i] = text(boxes[i]);
    return values;
}
template <std::size_t N> std::vector<std::string> textList(const std::array<QLineEdit*, N>& boxes) {
    const auto values = texts(boxes);
    return {values.begin(), values.end()};
}

inline std::vector<std::string> textList(const std::vector<QLineEdit*>& boxes) {
    std::vector<std::string> values;
    values.reserve(boxes.size());
    for (const QLineEdit* box : boxes) values.push_back(text(box));
    return values;
}

template <typename Widgets> void enableAll(const Widgets& widgets, bool enabled) {
    for (QWidget* widget : widgets) widget->setEnabled(enabled);
}
inline void enableAll(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets) widget->setEnabled(enabled);
}

template <typename Boxes> void lockAll(const Boxes& boxes, bool locked) {
    for (QLineEdit* box : boxes) box->setReadOnly(locked);
}
inline void lockAll(std::initializer_list<QLineEdit*> boxes, bool locked) {
    for (QLineEdit* box : boxes) box->setReadOnly(locked);
}

} // namespace orvane::filterwidgets
