#pragma once

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace orvane {

class Platform;

// frmOrvaneTips, "Tip of the Day": one tip of the tips file, chosen at random,
// with Next Tip and the "Show Tips at Startup" preference. Made on first use
// and then only hidden, so it keeps its tips and shows the one it last showed.
class TipWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kStartupKey = QStringLiteral("Show Tips at Startup");

    TipWindow(Platform& platform, QWidget* parent = nullptr);

    // Whether the user wants a tip when the program starts.
    static bool wantedAtStartup(Platform& platform);
    // Shows the window with its tip.
    void showTip();

signals:
    // OK, Escape or the title bar put the window away.
    void putAway();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadTips();
    void cmdNextTip_Click();
    void chkLoadTipsAtStartup_Click();
    void displayCurrentTip();

    Platform& platform_;
    bool loaded_ = false;
    std::vector<std::string> tips_;
    std::size_t currentTip_ = 0;

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblTipText = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace orvane
