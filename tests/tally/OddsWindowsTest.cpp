#include "core/GameCatalogue.h"
#include "platform/BusyState.h"
#include "tally/GameWinCheckerWindow.h"
#include "tally/HistoryCheckWindow.h"
#include "tally/OddsWindow.h"

#include "support/FakePlatform.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvane;

// The Odds and Coverage, the Check Tickets Against History and another game's
// win checker windows on the fake desktop, each with a data folder of its own.
class OddsWindowsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<SharedSettings> shared;

    template <typename T> static T* find(QWidget* window, const QString& name) {
        T* control = window->findChild<T*>(name);
        if (!control) qFatal("no control named %s", qPrintable(name));
        return control;
    }
    static QStringList column(QWidget* window, const char* table, int c) {
        auto* grid = find<QTableWidget>(window, QLatin1String(table));
        QStringList cells;
        for (int r = 0; r < grid->rowCount(); ++r) cells << grid->item(r, c)->text();
        return cells;
    }
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }
    void useGame(const char* name) {
        const std::optional<Game> game = findGame(name, catalogueGames());
        QVERIFY(game);
        shared->useGame(*game);
    }
    static void typeFile(QWidget* window, const QString& path) {
        find<QLineEdit>(window, QStringLiteral("txtTicketFile"))->setText(path);
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        shared = std::make_unique<SharedSettings>(dataPathsIn(folder.path().toStdString()));
    }

    // Another game's win checker: the tallies by numbers and bonus numbers hit
    // and by prize tier, against a count made here of every line of the file.
    void anotherGamesWinCheckCountsTheLinesByHitsAndTiers() {
        useGame("Powerball");
        // Every five numbers of 1 to 9, once with the bonus 7 and once with 26.
        QByteArray lines;
        for (int a = 1; a <= 9; ++a)
            for (int b = a + 1; b <= 9; ++b)
                for (int c = b + 1; c <= 9; ++c)
                    for (int d = c + 1; d <= 9; ++d)
                        for (int e = d + 1; e <= 9; ++e)
                            for (int bonus : {7, 26})
                                lines += QStringLiteral("%1 %2 %3 %4 %5 + %6\r\n")
                                             .arg(a)
                                             .arg(b)
                                             .arg(c)
                                             .arg(d)
                                             .arg(e)
                                             .arg(bonus)
                                             .toUtf8();
        shared->wheelOutputPath = write(QStringLiteral("Wheeled.TB"), lines).toStdString();
        BusyState busy;
        QPointer<GameWinCheckerWindow> window = new GameWinCheckerWindow(*platform, *shared, busy);
        window->show();
        QCOMPARE(window->windowTitle(), QStringLiteral("VN-Tallor - Powerball (5/69 + 1/26)"));
        const QStringList winning = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                     QStringLiteral("10"), QStringLiteral("20")};
        const auto type = [&](const QStringList& numbers, const QString& bonus) {
            for (int i = 0; i < numbers.size(); ++i)
                find<QLineEdit>(window, QStringLiteral("txtWin%1").arg(i + 1))->setText(numbers[i]);
            find<QLineEdit>(window, QStringLiteral("txtBonus1"))->setText(bonus);
        };

        // A box at fault is named and selected, and nothing is counted.
        type({winning[0], winning[1], winning[2], winning[3], winning[0]}, QStringLiteral("7"));
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QCOMPARE(platform->messages.last().text,
                 QStringLiteral("Winning number 5 (1) repeats winning number 1: each number of a draw is drawn once."));
        type(winning, QStringLiteral("27"));
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QCOMPARE(platform->messages.last().text, QStringLiteral("Bonus number 1 (27) is not a number from 1 to 26."));
        QVERIFY(find<QLineEdit>(window, QStringLiteral("txtBonus1"))->hasSelectedText());

        type(winning, QStringLiteral("7"));
        QSignalSpy ended(window.data(), &GameWinCheckerWindow::checkEnded);
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QVERIFY(ended.count() == 1 || ended.wait(20000));
        // Of 1 to 9 only 1, 2 and 3 were drawn: C(3,h) C(6,5-h) sets hit h, each set on two lines.
        const QStringList hits = column(window, "tblHits", 1);
        QCOMPARE(hits, (QStringList{"6", "6", "45", "45", "60", "60", "15", "15", "0", "0", "0", "0"}));
        QCOMPARE(column(window, "tblHits", 0).at(7), QStringLiteral("3 of 5 + 1 of 1 bonus"));
        QCOMPARE(column(window, "tblTiers", 0), (QStringList{"5 + bonus", "5", "4 + bonus", "4", "3 + bonus", "3",
                                                             "2 + bonus", "1 + bonus", "0 + bonus"}));
        QCOMPARE(column(window, "tblTiers", 1), (QStringList{"0", "0", "0", "0", "15", "15", "60", "45", "6"}));

        // A file that holds another game's line is named, and its counts do not stand.
        write(QStringLiteral("Wheeled.TB"), lines + "1 2 3 4 5 6\r\n");
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QVERIFY(ended.count() == 2 || ended.wait(20000));
        QVERIFY(platform->messages.last().text.startsWith(QStringLiteral("Line 253 of the wheel output file")));
        QCOMPARE(column(window, "tblTiers", 1), (QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0"}));

        // Escape closes it.
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    void theOddsOfEveryTierAreShownForTheGame() {
        useGame("Powerball");
        QPointer<OddsWindow> window = new OddsWindow(*platform, *shared);
        window->show();
        QCOMPARE(window->objectName(), QStringLiteral("frmOdds"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Odds and Coverage - Powerball (5/69 + 1/26)"));
        const QStringList tiers = column(window, "grdOdds", 0);
        QCOMPARE(tiers.size(), 10);
        QCOMPARE(tiers.front(), QStringLiteral("5 + bonus"));
        QCOMPARE(tiers.back(), QStringLiteral("Any prize"));
        QCOMPARE(column(window, "grdOdds", 2).front(), QStringLiteral("1 in 292,201,338"));
        QCOMPARE(column(window, "grdOdds", 2).back(), QStringLiteral("1 in 24.87"));
        // The ticket file starts as the wheel output file.
        QCOMPARE(find<QLineEdit>(window, QStringLiteral("txtTicketFile"))->text(),
                 QString::fromStdString(shared->wheelOutputPath));
        window->close();
        QTRY_VERIFY(window.isNull());
    }

    void aFilesCoverageAndGuaranteeAreCountedToTheEnd() {
        // Six tickets of 6/49 on the numbers 1 to 9: every draw with six of them in the pool...
        const QString path = write(QStringLiteral("tickets.TB"), "1 2 3 4 5 6\r\n4 5 6 7 8 9\r\n1 2 3 7 8 9\r\n"
                                                                 "1 4 7 2 5 8\r\n3 6 9 1 5 8\r\n2 6 7 3 4 8\r\n");
        QPointer<OddsWindow> window = new OddsWindow(*platform, *shared);
        window->show();
        typeFile(window, path);
        QSignalSpy ended(window.data(), &OddsWindow::countEnded);
        QTest::keyClick(window, Qt::Key_Return); // Count Coverage is the default button
        QVERIFY(ended.count() == 1 || ended.wait(20000));
        QVERIFY(platform->messages.isEmpty());
        QCOMPARE(find<QProgressBar>(window, QStringLiteral("prgCount"))->value(), 1000);
        QCOMPARE(column(window, "grdCoverage", 0),
                 QStringList({"6", "5 or better", "4 or better", "3 or better", "No prize"}));
        // Six draws are a ticket; the first ticket alone wins 5 in 6 x 43 draws.
        QCOMPARE(column(window, "grdCoverage", 1).front(), QStringLiteral("6 of 13,983,816"));
        QVERIFY(find<QLabel>(window, QStringLiteral("lblCoverage"))->text().contains(QStringLiteral("(6 lines)")));
        // The pool of 9, counted by hand over its subsets: the least best match
        // for 6, 5, 4, 3 and 2 of the drawn numbers in it.
        const QStringList drawn = column(window, "grdGuarantee", 0);
        QCOMPARE(drawn, QStringList({"6 of 6", "5 of 6", "4 of 6", "3 of 6", "2 of 6"}));
        QCOMPARE(column(window, "grdGuarantee", 1), QStringList({"4", "4", "3", "2", "2"}));
        QVERIFY(column(window, "grdGuarantee", 2).front().startsWith(QStringLiteral("5 (")));
        window->close();
    }

    void stopAndClosingEndACountAndBadFilesAreNamed() {
        QPointer<OddsWindow> window = new OddsWindow(*platform, *shared);
        window->show();
        typeFile(window, folder.filePath(QStringLiteral("none.TB")));
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCount")), Qt::LeftButton);
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY(platform->messages.front().text.contains(QStringLiteral("none.TB")));
        QVERIFY(!window->counting());

        QByteArray many;
        for (int i = 0; i < 3000; ++i) many += QByteArray::number(1 + i % 40) + " 41 42 43 44 45\r\n";
        typeFile(window, write(QStringLiteral("many.TB"), many));
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCount")), Qt::LeftButton);
        QVERIFY(window->counting());
        QVERIFY(find<QPushButton>(window, QStringLiteral("cmdStop"))->isEnabled());
        QVERIFY(!find<QPushButton>(window, QStringLiteral("cmdCount"))->isEnabled());
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdStop")), Qt::LeftButton);
        QVERIFY(!window->counting());
        QVERIFY(find<QLabel>(window, QStringLiteral("lblCoverage"))->text().startsWith(QStringLiteral("Stopped")));
        QCOMPARE(find<QTableWidget>(window, QStringLiteral("grdCoverage"))->rowCount(), 0);

        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCount")), Qt::LeftButton);
        QVERIFY(window->counting());
        window->close(); // the title bar acts as Stop, and the window goes
        QTRY_VERIFY(window.isNull());
    }

    void theHistoryCheckShowsEachDrawAndTheTotals() {
        useGame("Powerball");
        write(QStringLiteral("POWERBALL.HIT"), "2026-12-01  01 02 03 04 05 + 07\r\n2026-12-03  10 20 30 40 50 + 01\r\n"
                                               "2026-12-05  01 02 03 40 50 + 09\r\n");
        const QString tickets = write(QStringLiteral("pb.TB"), "1 2 3 4 5 + 7\r\n1 2 3 40 60 + 9\r\n");
        QPointer<HistoryCheckWindow> window = new HistoryCheckWindow(*platform, *shared);
        window->show();
        QCOMPARE(window->objectName(), QStringLiteral("frmHistoryCheck"));
        typeFile(window, tickets);
        find<QSpinBox>(window, QStringLiteral("spnLast"))->setValue(2);
        QSignalSpy ended(window.data(), &HistoryCheckWindow::checkEnded);
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(ended.count() == 1 || ended.wait(20000));
        QVERIFY(platform->messages.isEmpty());
        QCOMPARE(column(window, "grdDraws", 0), QStringList({"2026-12-03", "2026-12-05"}));
        QCOMPARE(column(window, "grdDraws", 1), QStringList({"10 20 30 40 50 + 01", "01 02 03 40 50 + 09"}));
        // The second draw: line 1 makes 3 (and no bonus), line 2 makes 4 + bonus.
        QCOMPARE(column(window, "grdDraws", 2), QStringList({"none", "4 + bonus"}));
        QCOMPARE(column(window, "grdDraws", 3 + 2).back(), QStringLiteral("1")); // the "4 + bonus" column
        QCOMPARE(column(window, "grdDraws", 3 + 5).back(), QStringLiteral("1")); // the "3" column
        const QString totals = find<QLabel>(window, QStringLiteral("lblTotals"))->text();
        QVERIFY2(totals.contains(QStringLiteral("Draws with a prize: 1 of 2")), qPrintable(totals));
        QVERIFY(find<QLabel>(window, QStringLiteral("lblSummary"))
                    ->text()
                    .contains(QStringLiteral("against the last 2 of the 3 draws")));
        window->close();
    }

    void theHistoryCheckNamesWhatItCannotRead() {
        const QString tickets = write(QStringLiteral("t.TB"), "1 2 3 4 5 6\r\n");
        QPointer<HistoryCheckWindow> window = new HistoryCheckWindow(*platform, *shared);
        window->show();
        typeFile(window, tickets);
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QCOMPARE(platform->messages.size(), 1); // no history file in the data folder
        QVERIFY(platform->messages.front().text.contains(QStringLiteral("FL6-49.HIT")));
        typeFile(window, write(QStringLiteral("bad.TB"), "1 2 3 4 5 6\r\n1 2 3\r\n"));
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QCOMPARE(platform->messages.size(), 2);
        QVERIFY(platform->messages.back().text.contains(QStringLiteral("Line 2 of the ticket file")));
        typeFile(window, QString());
        QTest::mouseClick(find<QPushButton>(window, QStringLiteral("cmdCheck")), Qt::LeftButton);
        QVERIFY(platform->messages.back().text.startsWith(QStringLiteral("Type the name of a ticket file")));
        QVERIFY(!window->checking());
        window->close();
    }
};

QTEST_MAIN(OddsWindowsTest)
#include "OddsWindowsTest.moc"
