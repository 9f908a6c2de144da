#pragma once

#include "accessories/OpenerLock.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvane {

// frmAboutOrvane and frmAboutGathra: the program's name, version, a line on
// what it does and the legal notice, with OK. The window that opens a box is
// disabled while it is up; OK, Escape and the title bar close it and give that
// window back. The box deletes itself once closed.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Orvane, Gathra };

    AboutBox(Kind kind, QWidget* opener);

protected:
    void done(int result) override;

private:
    OpenerLock lock_;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
};

// Opens the box over `opener`.
void showAboutBox(AboutBox::Kind kind, QWidget* opener);

} // namespace orvane
