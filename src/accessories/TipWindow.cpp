#include "accessories/TipWindow.h"

#include "accessories/Tips.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TipWindow::TipWindow(Platform& platform, QWidget* parent) : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("frmOrvaneTips"));
    setWindowTitle(QStringLiteral("Tip of the Day"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QIcon(QStringLiteral(":/data/orvane.svg")).pixmap(56, 56));
    top->addWidget(Picture1, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    Label1 = new QLabel(QStringLiteral("Did you know..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    Label1->setFont(heading);
    lblTipText = new QLabel(this);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setMinimumHeight(lblTipText->fontMetrics().lineSpacing() * 5);
    texts->addWidget(Label1);
    texts->addWidget(lblTipText, 1);
    top->addLayout(texts, 1);
    layout->addLayout(top, 1);

    auto* bottom = new QHBoxLayout;
    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    new EnterPressesDefault(this);
    new EscapeCloses(this);
    bottom->addWidget(chkLoadTipsAtStartup, 1);
    bottom->addWidget(cmdNextTip);
    bottom->addWidget(cmdOK);
    layout->addLayout(bottom);
    resize(480, 230);

    chkLoadTipsAtStartup->setChecked(wantedAtStartup(platform_));
    connect(chkLoadTipsAtStartup, &QCheckBox::clicked, this, &TipWindow::chkLoadTipsAtStartup_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &TipWindow::cmdNextTip_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

bool TipWindow::wantedAtStartup(Platform& platform) {
    return platform.setting(kStartupKey, QStringLiteral("1")).trimmed().toInt() != 0;
}

void TipWindow::showTip() {
    // The tips are read once, on the first showing, whatever the preference.
    if (!loaded_) loadTips();
    show();
    raise();
    activateWindow();
    cmdOK->setFocus();
}

void TipWindow::loadTips() {
    loaded_ = true;
    const std::optional<std::vector<std::string>> tips =
        orvane::loadTips(platform_.programFile(QStringLiteral("TIPOFDAY.TXT")).toStdString());
    if (!tips) {
        lblTipText->setText(
            QString::fromStdString(missingTipsText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return;
    }
    tips_ = *tips;
    cmdNextTip_Click();
}

void TipWindow::cmdNextTip_Click() {
    currentTip_ = tipIndexFor(platform_.randomFraction(), tips_.size());
    displayCurrentTip();
}

void TipWindow::displayCurrentTip() {
    if (tips_.empty()) return;
    lblTipText->setText(QString::fromStdString(tips_[currentTip_]));
}

void TipWindow::chkLoadTipsAtStartup_Click() {
    platform_.saveSetting(kStartupKey, chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

// OK, Escape and the title bar hide the window; it keeps its tips.
void TipWindow::closeEvent(QCloseEvent* event) {
    hide();
    event->ignore();
    emit putAway();
}

} // namespace orvane
