#include "support/PageLayoutCheck.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

using namespace orvane;

// How the main window arranges and shows its controls: at the size it opens
// at and at its smallest nothing is cut or overlapping, the number list and
// the sums list use the room they get, and boxes that cannot be typed in look so.
class LayoutTest : public QObject {
    Q_OBJECT

    WindowFixture f;

    QTabWidget* tabs() const { return f.find<QTabWidget>(QStringLiteral("tabMain")); }

    // Lets the window and its layouts take the geometry they were given.
    static void settle() {
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }
    void resizeTo(const QSize& size) {
        f.window->resize(size);
        settle();
        QCOMPARE(f.window->size(), size);
    }
    void showTab(int index) {
        tabs()->setCurrentIndex(index);
        settle();
    }

    // On every tab, every control shown is at least its minimum size and none
    // overlaps another control of the same parent.
    void expectEveryTabWhole() {
        for (int index = 0; index < tabs()->count(); ++index) {
            showTab(index);
            const QString fault =
                pagelayout::faultOf(tabs()->widget(index), QStringLiteral("tab ") + tabs()->tabText(index));
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    // The 49 numbers all lie inside the list's viewport, seven to a row.
    void expectNumbersInSevenRows() {
        auto* list = f.find<QListWidget>(QStringLiteral("lstNumbers"));
        QCOMPARE(list->count(), 49);
        const QRect viewport = list->viewport()->rect();
        for (int i = 0; i < 49; ++i) {
            const QRect cell = list->visualItemRect(list->item(i));
            QVERIFY2(viewport.contains(cell), qPrintable(QStringLiteral("number %1 lies outside the list").arg(i + 1)));
            const QRect rowStart = list->visualItemRect(list->item(i - i % 7));
            QCOMPARE(cell.top(), rowStart.top());
            if (i % 7 == 0 && i > 0) QVERIFY(cell.top() > list->visualItemRect(list->item(i - 1)).top());
        }
    }

    // Every number of `list` lies inside its viewport, `columns` to a row.
    static QString gridFault(QListWidget* list, int count, int columns) {
        if (list->count() != count)
            return QStringLiteral("%1 holds %2 numbers").arg(list->objectName()).arg(list->count());
        const QRect viewport = list->viewport()->rect();
        for (int i = 0; i < count; ++i) {
            const QRect cell = list->visualItemRect(list->item(i));
            if (!viewport.contains(cell))
                return QStringLiteral("number %1 lies outside %2").arg(i + 1).arg(list->objectName());
            if (cell.top() != list->visualItemRect(list->item(i - i % columns)).top())
                return QStringLiteral("number %1 is not in its row of %2").arg(i + 1).arg(columns);
        }
        return {};
    }

    // A pixel inside a box, right of any text it holds: its background.
    static QRgb background(QLineEdit* box) { return box->grab().toImage().pixel(box->width() - 6, box->height() / 2); }

private slots:
    void init() {
        f.open();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        settle();
    }
    void cleanup() { f.close(); }

    void nothingIsCutAtTheOpeningSize() { expectEveryTabWhole(); }

    void nothingIsCutAtTheSmallestSize() {
        const QSize smallest = f.window->minimumSize();
        QVERIFY(smallest.width() > 0 && smallest.height() > 0);
        QVERIFY(f.window->width() >= smallest.width() && f.window->height() >= smallest.height());
        resizeTo(smallest);
        expectEveryTabWhole();
    }

    void nothingIsCutInALargeWindow() {
        resizeTo(QSize(1600, 1000));
        expectEveryTabWhole();
    }

    // Started in each game, the window opens, shrinks and grows with every
    // control whole and every number of the game, and of its bonus pool, in its slip.
    void everyGameFitsAtTheOpeningSmallestAndLargeSizes_data() {
        QTest::addColumn<QString>("matrix");
        for (const char* matrix : {"5/39", "6/49", "6/59", "7/35", "5/69+1/26", "6/90"})
            QTest::newRow(matrix) << matrix;
    }
    void everyGameFitsAtTheOpeningSmallestAndLargeSizes() {
        QFETCH(QString, matrix);
        const Game game = *gameFromMatrix(matrix.toStdString());
        f.window.reset();
        f.shared->useGame(game);
        f.window = std::make_unique<MainWindow>(*f.platform, *f.shared);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        settle();
        for (const QSize& size : {f.window->size(), f.window->minimumSize(), QSize(1600, 1000)}) {
            resizeTo(size);
            expectEveryTabWhole();
            showTab(0);
            QString fault = gridFault(f.find<QListWidget>(QStringLiteral("lstNumbers")), game.highest(),
                                      game.highest() <= 49 ? 7 : 10);
            if (fault.isEmpty() && game.hasBonusPool())
                fault = gridFault(f.find<QListWidget>(QStringLiteral("lstBonusNumbers")), game.bonusPool(), 7);
            QVERIFY2(
                fault.isEmpty(),
                qPrintable(
                    QStringLiteral("%1 at %2x%3: %4").arg(matrix).arg(size.width()).arg(size.height()).arg(fault)));
        }
    }

    void numberListKeepsSevenToARowAndGrowsWithTheWindow() {
        showTab(0);
        expectNumbersInSevenRows();
        auto* list = f.find<QListWidget>(QStringLiteral("lstNumbers"));
        const QRect openingCell = list->visualItemRect(list->item(48));
        const qreal openingFont = list->font().pointSizeF();

        resizeTo(QSize(1600, 1000));
        expectNumbersInSevenRows();
        const QRect largeCell = list->visualItemRect(list->item(48));
        QVERIFY(largeCell.width() > openingCell.width());
        QVERIFY(largeCell.height() > openingCell.height());
        QVERIFY(list->font().pointSizeF() >= openingFont);
        // The seven rows fill the list: less than a row is left under the last.
        QVERIFY(list->viewport()->height() - largeCell.bottom() < largeCell.height());

        // Every width a row of seven cells can leave over, down to the smallest window.
        for (int extra = 0; extra < 7; ++extra) {
            resizeTo(f.window->minimumSize() + QSize(extra, extra));
            expectNumbersInSevenRows();
        }
    }

    void sumListShowsOnlyWholeRowsAtAnyHeight() {
        showTab(2);
        auto* sums = f.find<QListWidget>(QStringLiteral("lstSums"));
        const int row = sums->visualItemRect(sums->item(0)).height();
        QVERIFY(row > 0);
        QCOMPARE(sums->viewport()->height() % row, 0);
        const QSize opening = f.window->size();
        // Every remainder a row can leave, from the opening size and from a large window.
        for (const QSize& start : {opening, QSize(1600, 1000)})
            for (int extra = 0; extra <= row; ++extra) {
                resizeTo(start + QSize(0, extra));
                QVERIFY2(
                    sums->viewport()->height() % row == 0,
                    qPrintable(
                        QStringLiteral("viewport %1 high, rows %2 high").arg(sums->viewport()->height()).arg(row)));
                QVERIFY(sums->viewport()->height() >= 5 * row);
            }
        // It uses the room it gets: it is taller in the larger window than at the opening size.
        resizeTo(opening);
        const int openingHeight = sums->height();
        resizeTo(QSize(1600, 1000));
        QVERIFY(sums->height() > openingHeight + 300);
        // Its widest number fits beside the scroll bar.
        const int widest = sums->visualItemRect(sums->item(258)).width();
        QVERIFY(sums->viewport()->width() >= widest);
        QVERIFY(sums->viewport()->width() >= sums->fontMetrics().horizontalAdvance(QStringLiteral("279")) * 2);
    }

    void boxesThatCannotBeTypedInLookLocked() {
        showTab(1);
        auto* limit = f.box(QStringLiteral("txtAMin"));
        auto* editable = f.box(QStringLiteral("txtMinSum"));
        auto* enable = f.find<QCheckBox>(QStringLiteral("chkEnablePosAnalysis"));
        QVERIFY(limit->isReadOnly());
        const QRgb locked = background(limit);
        const QRgb open = background(editable);
        QVERIFY(locked != open);

        // The look follows the enable box both ways.
        enable->click();
        QVERIFY(!limit->isReadOnly());
        QCOMPARE(background(limit), open);
        enable->click();
        QVERIFY(limit->isReadOnly());
        QCOMPARE(background(limit), locked);

        // A box that is not available, and the result boxes, look locked too.
        showTab(3);
        QVERIFY(background(f.box(QStringLiteral("txtMCEPV"))) != background(f.box(QStringLiteral("txtPoolGrp1_0"))));
        showTab(0);
        for (const char* name : {"txtOutput", "txtGenerated", "txtSetsPassing", "txtPassing"})
            QVERIFY2(background(f.box(QLatin1String(name))) != open, name);
    }

    void boxesARunLocksLookEditableAgainAfterIt() {
        showTab(1);
        auto* sum = f.box(QStringLiteral("txtMinSum"));
        const QRgb open = background(sum);
        f.find<QCheckBox>(QStringLiteral("chkEnablePosAnalysis"))->click();
        const QRgb openLimit = background(f.box(QStringLiteral("txtAMin")));
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        QVERIFY(!sum->isReadOnly());
        QCOMPARE(background(sum), open);
        QCOMPARE(background(f.box(QStringLiteral("txtAMin"))), openLimit);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
