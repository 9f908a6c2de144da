#include "accessories/CalculatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace orvane;

// The calculator on the offscreen desktop, driven by its keys and the keyboard.
class CalculatorWindowTest : public QObject {
    Q_OBJECT

private:
    QPointer<CalculatorWindow> window;

    template <typename T> T* find(const QString& name) const {
        T* control = window->findChild<T*>(name);
        if (!control) qFatal("no control named %s", qPrintable(name));
        return control;
    }
    QPushButton* key(const QString& name) const { return find<QPushButton>(name); }
    QString display() const { return find<QLineEdit>(QStringLiteral("txtDisplay"))->text(); }
    bool backSpaceEnabled() const { return key(QStringLiteral("cmdBackSpace"))->isEnabled(); }

    // Clicks the keys named, in order.
    void click(const QStringList& names) const {
        for (const QString& name : names) QTest::mouseClick(key(name), Qt::LeftButton);
    }
    // Keys go to the active window as the desktop sends them, whichever control has the focus.
    void type(const QString& text) const {
        for (QChar c : text) QTest::keyClick(window->windowHandle(), c.toLatin1());
    }
    void press(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), k, modifiers);
    }
    static void deleteLaterNow() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private slots:
    void init() {
        window = new CalculatorWindow;
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
    }
    void cleanup() { delete window.data(); }

    void everyKeyAndMenuHasItsNameAndCaption() {
        QCOMPARE(window->objectName(), QStringLiteral("frmCalculator"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Calculator"));
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
        const QList<QPair<QString, QString>> keys = {{"cmdDecimal", "."},
                                                     {"cmdPlus", "+"},
                                                     {"cmdMinus", "-"},
                                                     {"cmdTimes", "X"},
                                                     {"cmdDivide", "/"},
                                                     {"cmdEquals", "="},
                                                     {"cmdSign", "+/-"},
                                                     {"cmdFraction", "1/y"},
                                                     {"cmdSqRt", "SqRt"},
                                                     {"cmdClear", "Clear"},
                                                     {"cmdBackSpace", "BackSpace"},
                                                     {"cmdExit", "E&xit"}};
        for (const auto& [name, caption] : keys) QCOMPARE(key(name)->text(), caption);
        for (int d = 0; d < 10; ++d) QCOMPARE(key(QStringLiteral("cmd%1").arg(d))->text(), QString::number(d));

        QLineEdit* txtDisplay = find<QLineEdit>(QStringLiteral("txtDisplay"));
        QVERIFY(txtDisplay->isReadOnly());
        QVERIFY(txtDisplay->alignment() & Qt::AlignRight);
        QCOMPARE(display(), QString());
        QVERIFY(!backSpaceEnabled());

        QCOMPARE(find<QMenu>(QStringLiteral("mnuFile"))->title(), QStringLiteral("&File"));
        QCOMPARE(find<QAction>(QStringLiteral("mnuExit"))->text(), QStringLiteral("E&xit"));
        QCOMPARE(find<QMenu>(QStringLiteral("mnuHelp"))->title(), QStringLiteral("Help"));
        QCOMPARE(find<QAction>(QStringLiteral("mnuAbout"))->text(), QStringLiteral("About Orvane..."));
        QVERIFY(find<QMenu>(QStringLiteral("mnuFile"))->actions().contains(find<QAction>(QStringLiteral("mnuExit"))));
        QVERIFY(find<QMenu>(QStringLiteral("mnuHelp"))->actions().contains(find<QAction>(QStringLiteral("mnuAbout"))));
    }

    void theKeysCalculateAndEqualsRepeats() {
        click({"cmd7", "cmdPlus"});
        QCOMPARE(display(), QStringLiteral("7"));
        click({"cmdEquals"});
        QCOMPARE(display(), QStringLiteral("14"));
        click({"cmdEquals"});
        QCOMPARE(display(), QStringLiteral("21"));
        click({"cmdClear", "cmdDecimal", "cmd1", "cmdPlus", "cmdDecimal", "cmd2", "cmdEquals"});
        QCOMPARE(display(), QStringLiteral("0.3"));
        click({"cmdClear", "cmd1", "cmd2", "cmdTimes", "cmd3", "cmdMinus"});
        QCOMPARE(display(), QStringLiteral("36")); // left to right: 12 X 3 first
        click({"cmd1", "cmdEquals"});
        QCOMPARE(display(), QStringLiteral("35"));
        click({"cmdClear", "cmd1", "cmd6", "cmdSqRt"});
        QCOMPARE(display(), QStringLiteral("4"));
        click({"cmdFraction"});
        QCOMPARE(display(), QStringLiteral("0.25"));
        click({"cmdSign"});
        QCOMPARE(display(), QStringLiteral("-0.25"));
        click({"cmdSign"});
        QCOMPARE(display(), QStringLiteral("0.25"));
        click({"cmdDivide", "cmd8", "cmdEquals"});
        QCOMPARE(display(), QStringLiteral("0.03125"));
    }

    void aNumberAsLongAsTheDisplayTakesNoMoreDigits() {
        QStringList keys{"cmd0", "cmdDecimal"};
        while (keys.size() < static_cast<qsizetype>(Calculator::kDisplayChars) - 2) keys << QStringLiteral("cmd0");
        keys << QStringLiteral("cmd1");
        click(keys);
        const QString longest = display();
        QCOMPARE(longest.size(), static_cast<qsizetype>(Calculator::kDisplayChars) - 1);
        click({"cmd2", "cmdDecimal"});
        QCOMPARE(display(), longest);
        // The display shows the whole of it.
        QLineEdit* txtDisplay = find<QLineEdit>(QStringLiteral("txtDisplay"));
        click({"cmdSign"});
        QVERIFY(txtDisplay->fontMetrics().horizontalAdvance(display()) <= txtDisplay->contentsRect().width());
    }

    void backSpaceIsOnWhileTheDisplayHoldsText() {
        click({"cmd4", "cmd2"});
        QVERIFY(backSpaceEnabled());
        click({"cmdBackSpace"});
        QCOMPARE(display(), QStringLiteral("4"));
        QVERIFY(backSpaceEnabled());
        click({"cmdBackSpace"});
        QCOMPARE(display(), QString());
        QVERIFY(!backSpaceEnabled());
        click({"cmdDecimal"});
        QVERIFY(backSpaceEnabled());
        click({"cmdClear"});
        QCOMPARE(display(), QString());
        QVERIFY(!backSpaceEnabled());
    }

    void failuresShowErrorAndTheNextDigitStartsANumber_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("division by zero") << QStringList{"cmd7", "cmdDivide", "cmd0", "cmdEquals"};
        QTest::newRow("1/y of zero") << QStringList{"cmd0", "cmdFraction"};
        QTest::newRow("root of a negative") << QStringList{"cmd9", "cmdSign", "cmdSqRt"};
    }
    void failuresShowErrorAndTheNextDigitStartsANumber() {
        QFETCH(QStringList, keys);
        click(keys);
        QCOMPARE(display(), QStringLiteral("Error"));
        click({"cmdPlus", "cmd5"});
        QCOMPARE(display(), QStringLiteral("5"));
        click({"cmdEquals"}); // "Error" was read as 0
        QCOMPARE(display(), QStringLiteral("5"));
        click(keys);
        click({"cmdBackSpace"});
        QCOMPARE(display(), QString());
        QVERIFY(!backSpaceEnabled());
    }

    void theKeyboardWorksTheKeys() {
        type(QStringLiteral("12+30="));
        QCOMPARE(display(), QStringLiteral("42"));
        type(QStringLiteral("6*7"));
        press(Qt::Key_Return);
        QCOMPARE(display(), QStringLiteral("42"));
        type(QStringLiteral("6x2"));
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(display(), QStringLiteral("12"));
        type(QStringLiteral("1.5-4=/2="));
        QCOMPARE(display(), QStringLiteral("-1.25")); // 1.5 - 4, then that / 2
        type(QStringLiteral("2+3*4="));
        QCOMPARE(display(), QStringLiteral("20"));
        type(QStringLiteral("10-4+1="));
        QCOMPARE(display(), QStringLiteral("7"));
        // The keypad's keys, its comma among them, type the same.
        press(Qt::Key_3, Qt::KeypadModifier);
        press(Qt::Key_Comma, Qt::KeypadModifier);
        press(Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(display(), QStringLiteral("3.5"));
        press(Qt::Key_Backspace);
        QCOMPARE(display(), QStringLiteral("3."));
        press(Qt::Key_Delete);
        QCOMPARE(display(), QString());
        QVERIFY(!backSpaceEnabled());
        press(Qt::Key_Backspace); // nothing to remove: BackSpace is off
        QCOMPARE(display(), QString());
        // Held with Ctrl or Alt, the keys are not the calculator's.
        press(Qt::Key_7, Qt::ControlModifier);
        press(Qt::Key_X, Qt::AltModifier);
        QCOMPARE(display(), QString());
    }

    void copyPutsTheDisplayOnTheClipboard() {
        type(QStringLiteral("2/8="));
        QApplication::clipboard()->clear();
        QTest::keySequence(window->windowHandle(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0.25"));
    }

    void exitAndEscapeCloseTheCalculator_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Exit") << false;
        QTest::newRow("Escape") << true;
    }
    void exitAndEscapeCloseTheCalculator() {
        QFETCH(bool, escape);
        QWidget opener;
        opener.setObjectName(QStringLiteral("opener"));
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opener));
        delete window.data();
        window = new CalculatorWindow(&opener);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
        QSignalSpy exitProgram(window.data(), &CalculatorWindow::exitProgramRequested);

        // The press alone: the window may be gone before a release could reach it.
        if (escape)
            QTest::keyPress(window->windowHandle(), Qt::Key_Escape);
        else
            click({"cmdExit"});
        QVERIFY(window.isNull() || !window->isVisible());
        deleteLaterNow();
        QVERIFY(window.isNull());
        QCOMPARE(exitProgram.count(), 0);
        // The focus goes back to the window it was opened from.
        QVERIFY(QTest::qWaitForWindowActive(&opener));
    }

    void theMenusAskForTheProgramToEndAndForAbout() {
        QSignalSpy exitProgram(window.data(), &CalculatorWindow::exitProgramRequested);
        QSignalSpy about(window.data(), &CalculatorWindow::aboutRequested);
        find<QAction>(QStringLiteral("mnuAbout"))->trigger();
        QCOMPARE(about.count(), 1);
        QCOMPARE(exitProgram.count(), 0);
        find<QAction>(QStringLiteral("mnuExit"))->trigger();
        QCOMPARE(exitProgram.count(), 1);
        QCOMPARE(about.count(), 1);
        // Ending the program is for the main window to do; the calculator waits for it.
        deleteLaterNow();
        QVERIFY(!window.isNull());
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(CalculatorWindowTest)
#include "CalculatorWindowTest.moc"
