#include "app/BonusPick.h"
#include "app/NumberGrid.h"
#include "core/Game.h"

#include <QLabel>
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
            QVERIFY2(viewport.contains(cell),
                     qPrintable(QStringLiteral("number %1 of %2 lies outside the list").arg(i + 1).arg(highest)));
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

    // The bonus pool's slip: its numbers, its own count, none of it for a game without one.
    void theBonusSlipCountsItsOwnPick() {
        BonusPick bonus;
        bonus.showFor(*gameFromMatrix("5/69+1/26"));
        bonus.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bonus));
        auto* slip = bonus.findChild<QListWidget*>(QStringLiteral("lstBonusNumbers"));
        auto* count = bonus.findChild<QLabel*>(QStringLiteral("lblBonusCount"));
        QCOMPARE(slip->count(), 26);
        QCOMPARE(count->text(), QStringLiteral("Bonus numbers picked: 0"));
        int changes = 0;
        connect(&bonus, &BonusPick::pickChanged, this, [&] { ++changes; });
        for (int number : {7, 26}) {
            const QRect cell = slip->visualItemRect(slip->item(number - 1));
            QTest::mouseClick(slip->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QCOMPARE(count->text(), QStringLiteral("Bonus numbers picked: 2"));
        QCOMPARE(bonus.picked(), (std::vector<int>{7, 26}));
        QCOMPARE(changes, 2);

        // Another game: its own pool, none picked; a game without one hides the slip.
        bonus.showFor(*gameFromMatrix("5/50+2/12"));
        QCOMPARE(slip->count(), 12);
        QVERIFY(bonus.picked().empty());
        QCOMPARE(count->text(), QStringLiteral("Bonus numbers picked: 0"));
        QVERIFY(bonus.isVisible());
        bonus.showFor(*gameFromMatrix("5/39"));
        QVERIFY(!bonus.isVisible());
    }
};

QTEST_MAIN(NumberGridTest)
#include "NumberGridTest.moc"
