#include "support/WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace orvane;

// The keys a user works the main window with: Enter for the default button,
// and the number list's select-all and select-none commands.
class MainWindowKeyboardTest : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

    QListWidget* list() const { return f.find<QListWidget>("lstNumbers"); }
    QString poolSize() const { return f.find<QLabel>("lblPoolSize")->text(); }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void enterStartsARunWhereverTheFocusIs() {
        f.find<QRadioButton>("optnOutToNothing")->click();
        f.selectRange(0, 6);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        QTest::keyClick(list(), Qt::Key_Return);
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(f.text("txtGenerated"), QStringLiteral("7"));

        // From a filter box on another tab, and with the keypad's Enter.
        f.find<QTabWidget>("tabMain")->setCurrentIndex(1);
        QTest::keyClick(f.box("txtMinSum"), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(ended.count(), 2);
        QCOMPARE(f.text("txtSetsPassing"), QStringLiteral("7"));
    }

    void enterDuringARunStopsItAtTheNextSlice() {
        f.find<QRadioButton>("optnOutToNothing")->click();
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        QTest::keyClick(list(), Qt::Key_Return);
        QVERIFY(f.window->wheelRunning());
        QTRY_VERIFY(!f.text("txtGenerated").isEmpty());
        const QString shownAtEnter = f.text("txtGenerated");
        // The list is disabled during a run; the key reaches the window from the results.
        QTest::keyClick(f.box("txtGenerated"), Qt::Key_Return);
        QTRY_COMPARE(ended.count(), 1);
        // Stopped before another set was generated.
        QCOMPARE(f.text("txtGenerated"), shownAtEnter);
        QVERIFY(f.find<QPushButton>("cmdWheel")->isDefault());
    }

    void enterIsLeftToMultiLineTextAndToModifiedKeys() {
        f.selectRange(0, 6);
        auto* notes = new QPlainTextEdit(f.window.get());
        QTest::keyClick(notes, Qt::Key_Return);
        QCOMPARE(notes->toPlainText(), QStringLiteral("\n"));
        QTest::keyClick(list(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!f.window->wheelRunning());
        QCOMPARE(f.text("txtGenerated"), QString());
    }

    void theListSelectsAllAndNoneFromItsContextMenuAndKeys() {
        QCOMPARE(list()->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(f.find<QAction>("ctxSelectAll")->text(), QStringLiteral("Select All Numbers"));
        QCOMPARE(f.find<QAction>("ctxDeselectAll")->text(), QStringLiteral("De-Select All Numbers"));
        f.trigger("ctxSelectAll");
        QCOMPARE(poolSize(), QStringLiteral("49"));
        f.trigger("ctxDeselectAll");
        QCOMPARE(poolSize(), QStringLiteral("0"));
        QVERIFY(list()->selectedItems().isEmpty());
        QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(poolSize(), QStringLiteral("49"));
    }
};

QTEST_MAIN(MainWindowKeyboardTest)
#include "MainWindowKeyboardTest.moc"
