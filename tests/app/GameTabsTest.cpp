#include "app/FilterPanel.h"
#include "app/FiltersATab.h"
#include "app/FiltersBTab.h"
#include "app/FiltersCTab.h"
#include "core/Game.h"
#include "support/FakePlatform.h"
#include "support/PageLayoutCheck.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvane;

// The filter tabs built for each game: a row per position, a box per tens
// class, a check box per count of evens, every sum of the game in the list,
// defaults that let every set pass; nothing cut or overlapping at the size
// they open at, their smallest and a large one; 6/49's tabs as they have always been.
class GameTabsTest : public QObject {
    Q_OBJECT

    struct Tabs {
        explicit Tabs(const Game& game)
            : shared(dataPathsIn(folder.path().toStdString())), a(new FiltersATab(platform, shared, game)),
              b(new FiltersBTab(platform, game)), c(new FiltersCTab(game)), panel(*a, *b, *c) {
            widget.addTab(a, QStringLiteral("Filters A"));
            widget.addTab(b, QStringLiteral("Filters B"));
            widget.addTab(c, QStringLiteral("Filters C"));
        }
        QTemporaryDir folder;
        FakePlatform platform;
        SharedSettings shared;
        QTabWidget widget;
        FiltersATab* a;
        FiltersBTab* b;
        FiltersCTab* c;
        FilterPanel panel;

        template <typename T> T* find(const QString& name) const {
            T* control = widget.findChild<T*>(name);
            if (!control) qFatal("no control named %s", qPrintable(name));
            return control;
        }
        QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
        int count(const QString& prefix) const {
            int n = 0;
            for (const QWidget* w : widget.findChildren<QWidget*>())
                if (w->objectName().startsWith(prefix)) ++n;
            return n;
        }
    };

    static void settle() {
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }

    static const std::vector<const char*>& games() {
        static const std::vector<const char*> matrices{"5/39", "6/49", "6/59", "7/35", "5/69+1/26", "6/90"};
        return matrices;
    }

private slots:
    void everyTabFollowsTheGame() {
        for (const char* matrix : games()) {
            const Game game = *gameFromMatrix(matrix);
            const int k = game.perTicket();
            Tabs tabs(game);
            const FilterControls defaults(game);
            QCOMPARE(tabs.count(QStringLiteral("chkEvens_")), k + 1);
            QCOMPARE(tabs.count(QStringLiteral("txtTens_")), game.tensClasses());
            QCOMPARE(tabs.count(QStringLiteral("lblPos")), k);
            QCOMPARE(tabs.count(QStringLiteral("txt1")), k); // locked in, one per position
            QCOMPARE(tabs.count(QStringLiteral("txtXPos")), 10 * k);
            QCOMPARE(tabs.find<QListWidget>(QStringLiteral("lstSums"))->count(),
                     game.largestSum() - game.smallestSum() + 1);
            QCOMPARE(tabs.find<QListWidget>(QStringLiteral("lstSums"))->item(0)->text(),
                     QString::number(game.smallestSum()));
            const QString last(QLatin1Char(game.positionLetter(k - 1)));
            QCOMPARE(tabs.text(QStringLiteral("txt") + last + QStringLiteral("Max")), QString::number(game.highest()));
            QCOMPARE(tabs.text(QStringLiteral("txtMaxSum")), QString::number(game.largestSum()));
            // The top tens class ends where the game's numbers do.
            const auto* top = tabs.find<QLabel>(QStringLiteral("lblTens%1").arg(game.tensClasses() - 1));
            QVERIFY2(top->text().contains(QString::number(game.highest())), qPrintable(top->text()));
            // What the tabs read is the game's own defaults: every set passes.
            const FilterControls read = tabs.panel.read();
            QCOMPARE(read.evensAllowed, defaults.evensAllowed);
            QCOMPARE(read.tens, defaults.tens);
            QCOMPARE(read.positionLimits, defaults.positionLimits);
            QCOMPARE(read.lockedIn.size(), defaults.lockedIn.size());
            QCOMPARE(read.lockedOut.size(), defaults.lockedOut.size());
            QCOMPARE(read.sumsAccepted, defaults.sumsAccepted);
            QCOMPARE(read.exactValues.size(), defaults.exactValues.size());
            QCOMPARE(read.maxSum, defaults.maxSum);
            QCOMPARE(read.maxDif, defaults.maxDif);
            // A settings value applied comes back as it went in.
            FilterControls changed = defaults;
            changed.evensAllowed.back() = 0;
            changed.tens.back() = "1";
            changed.sumsAccepted.back() = true;
            changed.lockedIn.back() = QString::number(game.highest()).toStdString();
            tabs.panel.apply(changed);
            const FilterControls again = tabs.panel.read();
            QCOMPARE(again.evensAllowed, changed.evensAllowed);
            QCOMPARE(again.tens, changed.tens);
            QCOMPARE(again.sumsAccepted, changed.sumsAccepted);
            QCOMPARE(again.lockedIn, changed.lockedIn);
        }
    }

    void theMidpointBoxesTakeTheGamesCounts() {
        Tabs tabs(*gameFromMatrix("5/39"));
        tabs.find<QLineEdit>(QStringLiteral("txtMaxBelowMid"))->setText(QStringLiteral("6"));
        QCOMPARE(tabs.platform.messages.size(), 1);
        QCOMPARE(tabs.platform.messages.front().text,
                 QStringLiteral("The value you have entered is invalid.  Enter a number from 0 to 5 in this box."));
        QCOMPARE(tabs.text(QStringLiteral("txtMaxBelowMid")), QStringLiteral("5"));
    }

    void sixFortyNineKeepsItsNamesAndTexts() {
        Tabs tabs(Game::lotto649());
        QCOMPARE(tabs.find<QLabel>(QStringLiteral("lblTens0"))->text(), QStringLiteral("01 - 09:"));
        QCOMPARE(tabs.find<QLabel>(QStringLiteral("lblTens4"))->text(), QStringLiteral("40 - 49:"));
        QCOMPARE(tabs.text(QStringLiteral("txtAMax")), QStringLiteral("44"));
        QCOMPARE(tabs.text(QStringLiteral("txtFMin")), QStringLiteral("6"));
        QCOMPARE(tabs.text(QStringLiteral("txtMaxDif")), QStringLiteral("44"));
        QCOMPARE(tabs.text(QStringLiteral("txtMinSum")), QStringLiteral("21"));
        QCOMPARE(tabs.find<QCheckBox>(QStringLiteral("chkEvens_6"))->text(),
                 QStringLiteral("Allow 6 Even Numbers Per Set"));
        QVERIFY(tabs.widget.findChild<QLineEdit*>(QStringLiteral("TxtEOut_4")));
        QVERIFY(tabs.widget.findChild<QLineEdit*>(QStringLiteral("txtXPosF_9")));
        QVERIFY(!tabs.widget.findChild<QLineEdit*>(QStringLiteral("txtGMin")));
        QCOMPARE(tabs.find<QListWidget>(QStringLiteral("lstSums"))->count(), 259);
    }

    void nothingIsCutInAnyGame() {
        for (const char* matrix : games()) {
            Tabs tabs(*gameFromMatrix(matrix));
            tabs.widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&tabs.widget));
            for (const QSize size : {tabs.widget.sizeHint(), tabs.widget.minimumSizeHint(), QSize(1600, 1000)}) {
                tabs.widget.resize(size);
                for (int index = 0; index < tabs.widget.count(); ++index) {
                    tabs.widget.setCurrentIndex(index);
                    settle();
                    const QString fault =
                        pagelayout::faultOf(tabs.widget.widget(index), QStringLiteral("%1 at %2x%3, %4")
                                                                           .arg(QLatin1String(matrix))
                                                                           .arg(size.width())
                                                                           .arg(size.height())
                                                                           .arg(tabs.widget.tabText(index)));
                    QVERIFY2(fault.isEmpty(), qPrintable(fault));
                }
            }
        }
    }
};

QTEST_MAIN(GameTabsTest)
#include "GameTabsTest.moc"
