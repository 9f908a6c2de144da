#include "platform/BusyState.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace orvane;

class BusyStateTest : public QObject {
    Q_OBJECT

    QWidget window;
    QPushButton* wheel = nullptr;
    QPushButton* stop = nullptr;
    QMenu* tools = nullptr;
    QAction* report = nullptr;

private slots:
    void init() {
        window.setObjectName(QStringLiteral("frmMain"));
        wheel = new QPushButton(&window);
        wheel->setObjectName(QStringLiteral("cmdWheel"));
        stop = new QPushButton(&window);
        stop->setObjectName(QStringLiteral("cmdStop"));
        tools = new QMenu(&window);
        tools->setObjectName(QStringLiteral("mnuTools"));
        report = tools->addAction(QStringLiteral("Report"));
        report->setObjectName(QStringLiteral("mnuReport"));
    }
    void cleanup() { qDeleteAll(window.children()); }

    void overlappingOperationsKeepASharedCommandDisabledUntilBothEnd() {
        BusyState busy;
        busy.defineOperation(QStringLiteral("wheel"), {QStringLiteral("cmdWheel"), QStringLiteral("mnuTools")});
        busy.defineOperation(QStringLiteral("check"), {QStringLiteral("mnuTools"), QStringLiteral("mnuReport")});
        busy.addCommandsIn(&window);

        busy.begin(QStringLiteral("wheel"));
        QVERIFY(!wheel->isEnabled());
        QVERIFY(!tools->menuAction()->isEnabled());
        QVERIFY(report->isEnabled());
        QVERIFY(stop->isEnabled()); // listed by no operation: left alone

        busy.begin(QStringLiteral("check"));
        QVERIFY(!report->isEnabled());
        busy.end(QStringLiteral("wheel"));
        QVERIFY(wheel->isEnabled());
        QVERIFY2(!tools->menuAction()->isEnabled(), "the check still needs the Tools menu off");
        QVERIFY(!report->isEnabled());
        QVERIFY(busy.running(QStringLiteral("check")));
        QVERIFY(!busy.idle());

        busy.end(QStringLiteral("check"));
        QVERIFY(tools->menuAction()->isEnabled());
        QVERIFY(report->isEnabled());
        QVERIFY(busy.idle());
    }

    void beginAndEndAreIdempotentAndReportChanges() {
        BusyState busy;
        busy.defineOperation(QStringLiteral("wheel"), {QStringLiteral("cmdWheel")});
        busy.addCommand(wheel);
        QSignalSpy changed(&busy, &BusyState::changed);
        busy.begin(QStringLiteral("wheel"));
        busy.begin(QStringLiteral("wheel"));
        QCOMPARE(changed.count(), 1);
        busy.end(QStringLiteral("wheel"));
        busy.end(QStringLiteral("wheel"));
        QCOMPARE(changed.count(), 2);
        QVERIFY(wheel->isEnabled());
    }

    void aCommandAddedDuringAnOperationTakesItsStateAtOnce() {
        BusyState busy;
        busy.defineOperation(QStringLiteral("wheel"), {QStringLiteral("cmdWheel")});
        busy.begin(QStringLiteral("wheel"));
        busy.addCommand(wheel);
        QVERIFY(!wheel->isEnabled());
        delete wheel; // a closed window's command is forgotten, not touched
        wheel = nullptr;
        busy.end(QStringLiteral("wheel"));
        QVERIFY(busy.idle());
    }
};

QTEST_MAIN(BusyStateTest)
#include "BusyStateTest.moc"
