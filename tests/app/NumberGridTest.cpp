#include "app/NumberGrid.h"
#include "core/Game.h"

#include <QtTest>

using namespace orvane;

// The slip of any game: seven numbers to a row up to 49, ten above, every
// number inside the list at its smallest size and in a large one.
class NumberGridTest : public QObject {
    Q_OBJECT

    static void expectWholeRows(const NumberGrid& grid, int highest) {
        QCOMPARE(grid.count(), highest);
        const int columns = grid.columns();
        const QRect viewport = grid.viewport()->rect();
        for (int i = 0; i < highest; ++i) {
            const QRect cell = grid.visualItemRect(grid.item(i));
            QVERIFY2(viewport.contains(cell), qPrintable(QStringLiteral("number %1 of %2 lies outside the list")
                                                             .arg(i + 1)
                                                             .arg(highest)));
            QCOMPARE(cell.top(), grid.visualItemRect(grid.item(i - i % columns)).top());
            if (i % columns == 0 && i > 0) QVERIFY(cell.top() > grid.visualItemRect(grid.item(i - 1)).top());
        }
    }

private slots:
    void everyGameFitsItsSlip() {
        for (const char* matrix : {"5/39", "6/49", "6/59", "7/35", "5/69+1/26", "6/90"}) {
            const Game game = *gameFromMatrix(matrix);
            NumberGrid grid;
            grid.showNumbers(game.highest());
            QCOMPARE(grid.columns(), game.highest() <= 49 ? 7 : 10);
            QCOMPARE(grid.rows(), (game.highest() + grid.columns() - 1) / grid.columns());
            for (const QSize size : {grid.minimumSizeHint(), grid.sizeHint(), QSize(900, 700)}) {
                grid.resize(size);
                grid.show();
                QVERIFY(QTest::qWaitForWindowExposed(&grid));
                QCoreApplication::processEvents();
                expectWholeRows(grid, game.highest());
            }
        }
    }

    void showingAnotherGameStartsWithNoneSelected() {
        NumberGrid grid;
        grid.setSelectionMode(QAbstractItemView::MultiSelection);
        grid.showNumbers(49);
        grid.item(3)->setSelected(true);
        grid.showNumbers(90);
        QCOMPARE(grid.selectedItems().size(), 0);
        QCOMPARE(grid.item(89)->text(), QStringLiteral("90"));
    }
};

QTEST_MAIN(NumberGridTest)
#include "NumberGridTest.moc"
