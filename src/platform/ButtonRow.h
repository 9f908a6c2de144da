#pragma once

#include <QBoxLayout>
#include <QPushButton>
#include <QString>

namespace orvane {

// A button with its objectName and caption, added to a row of buttons.
inline QPushButton* addNamedButton(QWidget* parent, QBoxLayout* row, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    return button;
}

} // namespace orvane
