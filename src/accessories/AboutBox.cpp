#include "accessories/AboutBox.h"

#include "core/Version.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

namespace {
const QString kNotice = QStringLiteral("For entertainment only; no method changes the odds of a draw.");
const QString kProgramTitle = QStringLiteral("VN-Tambril");
} // namespace

AboutBox::AboutBox(Kind kind, QWidget* opener)
    : QDialog(opener ? opener->window() : nullptr), lock_(opener ? opener->window() : nullptr) {
    setAttribute(Qt::WA_DeleteOnClose);
    const bool orvane = kind == Kind::Orvane;
    setObjectName(orvane ? QStringLiteral("frmAboutOrvane") : QStringLiteral("frmAboutGathra"));
    setWindowTitle(orvane ? QStringLiteral("About Orvane") : QStringLiteral("About ") + kProgramTitle);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QIcon(QStringLiteral(":/data/orvane.svg")).pixmap(64, 64));
    top->addWidget(picIcon, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    lblTitle = new QLabel(orvane ? QStringLiteral("Orvane") : kProgramTitle, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    const QString version =
        orvane ? QStringLiteral("Version %1.%2 Build %3") : QStringLiteral("Version %1.%2, Build %3");
    lblVersion = new QLabel(version.arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(
        orvane ? QStringLiteral("Orvane for Windows is the first component of the Varnel Lotto System to be brought to "
                                "the speed, power and versatility of the 32-bit Windows environment.  Now you can "
                                "wheel and filter your numbers faster and easier than ever before!  With improved and "
                                "expanded filters, a new, intuitive, more user-friendly interface and point-and-click "
                                "ease, you can have your cake and eat it too -- and win while you're at it!")
               : QStringLiteral("Proposes a pool of numbers from the stretches of past draws that most resemble the "
                                "latest ones."),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    top->addLayout(texts, 1);
    layout->addLayout(top);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* bottom = new QHBoxLayout;
    lblDisclaimer = new QLabel(kNotice, this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addWidget(cmdOK, 0, Qt::AlignBottom);
    layout->addLayout(bottom);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // Wrapped texts of a fixed width, and the box as tall as they need.
    lblDescription->setFixedWidth(380);
    lblDisclaimer->setFixedWidth(380);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// OK, Escape and the title bar all end here: the opening window comes back.
void AboutBox::done(int result) {
    lock_.release();
    QDialog::done(result);
}

void showAboutBox(AboutBox::Kind kind, QWidget* opener) {
    auto* box = new AboutBox(kind, opener);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace orvane
