#pragma once

#include <QLatin1String>
#include <QString>

#include <string>

namespace orvane {

// The engine's texts are UTF-8 strings; the windows show QStrings.
inline QString qt(const std::string& text) { return QString::fromStdString(text); }

// A text written with CR LF line ends, as a text area shows it.
inline QString shownText(const std::string& text) {
    return qt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Gives a control its object name and hands it back, so a layout names what it
// builds where it builds it.
template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace orvane
