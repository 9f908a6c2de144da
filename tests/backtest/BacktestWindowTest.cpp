#include "backtest/BacktestWindow.h"

#include "backtest/BacktestReport.h"
#include "history/HistoryFile.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

using namespace orvane;

// The backtest window as the user reaches it: Analysis > Backtest Current
// Filters, with the sample history, a pick of twelve numbers so the sets are
// few, and the fake desktop.
class BacktestWindowTest : public QObject {
    Q_OBJECT

private:
    WindowFixture fixture;

    BacktestWindow* window() const { return fixture.window->findChild<BacktestWindow*>(QStringLiteral("frmBacktest")); }
    template <typename T> T* inWindow(const QString& name) const {
        T* control = window()->findChild<T*>(name);
        if (!control) qFatal("no backtest control named %s", qPrintable(name));
        return control;
    }
    void click(const QString& name) const { QTest::mouseClick(inWindow<QPushButton>(name), Qt::LeftButton); }
    bool beginToEnd() const {
        QSignalSpy ended(window(), &BacktestWindow::runEnded);
        click(QStringLiteral("cmdBegin"));
        return ended.count() == 1 || ended.wait(60000);
    }
    // The engine's result for the same request.
    BacktestResult expected(std::optional<std::size_t> last = std::nullopt) const {
        BacktestRequest request;
        request.controls = BacktestWindow::Start{}.controls;
        request.pick = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        request.draws = readHistoryRecords(fixture.shared->historyPath).draws;
        request.lastDraws = last;
        return runBacktest(request);
    }

    // The per-draw lines as the list shows them.
    static QString drawLines(const BacktestResult& result) {
        QString lines =
            QString::fromStdString(backtestDrawLines(result)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lines.chop(1);
        return lines;
    }

private slots:
    void init() {
        fixture.open();
        QVERIFY(fixture.useHistory(QStringLiteral(ORVANE_SAMPLE_HISTORY)));
        fixture.selectRange(0, 11);
        fixture.window->show();
        fixture.trigger(QStringLiteral("mnuBacktest"));
        QVERIFY(window() && window()->isVisible());
    }
    void cleanup() { fixture.close(); }

    void beginShowsTheEnginesResult() {
        QVERIFY(!inWindow<QPushButton>(QStringLiteral("cmdSaveAs"))->isEnabled());
        QVERIFY(beginToEnd());
        const BacktestResult engine = expected();
        auto* table = inWindow<QTableWidget>(QStringLiteral("tblFilters"));
        QCOMPARE(table->rowCount(), static_cast<int>(engine.filters.size()) + 1);
        QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), QStringLiteral("All active filters"));
        QTRY_COMPARE(inWindow<QPlainTextEdit>(QStringLiteral("txtDraws"))->toPlainText(), drawLines(engine));
        QCOMPARE(inWindow<QLabel>(QStringLiteral("lblScope"))->text(),
                 QString::fromStdString(backtestScopeText(engine)));
        const int reading = 8;
        QCOMPARE(table->horizontalHeaderItem(reading)->text(), QStringLiteral("Reading"));
        for (int row = 0; row < table->rowCount(); ++row) {
            const bool joint = row == table->rowCount() - 1;
            const FilterResult& expectedRow = joint ? engine.joint : engine.filters[static_cast<std::size_t>(row)];
            QCOMPARE(table->item(row, reading)->text(),
                     QString::fromStdString(readingText(engine, expectedRow, joint)));
            QCOMPARE(table->item(row, 6)->text(), QString::fromStdString(chanceText(expectedRow.chance)));
        }
        QCOMPARE(inWindow<QProgressBar>(QStringLiteral("prgSets"))->value(), 1000);
        // Save As: CSV for a .csv name, the text otherwise.
        const QString csv = QDir(fixture.folder.path()).filePath(QStringLiteral("bt.csv"));
        const QString text = QDir(fixture.folder.path()).filePath(QStringLiteral("bt.TXT"));
        fixture.platform->fileAnswers << csv << text;
        click(QStringLiteral("cmdSaveAs"));
        click(QStringLiteral("cmdSaveAs"));
        QCOMPARE(WindowFixture::fileBytes(csv), QByteArray::fromStdString(backtestCsv(engine)));
        QCOMPARE(WindowFixture::fileBytes(text), QByteArray::fromStdString(backtestText(engine)));
        click(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        QVERIFY(fixture.platform->printJobs[0].ended);
    }

    // A long history's draws reach the list a part per event-loop turn, so
    // the window answers while it fills; all of them in the end, in order.
    void aLongHistoryFillsTheListInParts() {
        const QByteArray sample = WindowFixture::fileBytes(QStringLiteral(ORVANE_SAMPLE_HISTORY));
        QVERIFY(WindowFixture::writeFile(QString::fromStdString(fixture.shared->historyPath), sample.repeated(20)));
        QVERIFY(beginToEnd());
        auto* draws = inWindow<QPlainTextEdit>(QStringLiteral("txtDraws"));
        const BacktestResult engine = expected();
        QCOMPARE(engine.draws.size(), std::size_t{599 * 20});
        QVERIFY(draws->blockCount() < static_cast<int>(engine.draws.size()));
        QTRY_COMPARE(draws->toPlainText(), drawLines(engine));
        inWindow<QTabWidget>(QStringLiteral("tabViews"))->setCurrentWidget(draws);
        QCOMPARE(draws->verticalScrollBar()->value(), 0); // the list opens at its first draw
        QVERIFY(draws->verticalScrollBar()->maximum() > 0);
    }

    void theLastDrawsOnly() {
        inWindow<QSpinBox>(QStringLiteral("spnLastDraws"))->setValue(50);
        QVERIFY(beginToEnd());
        QTRY_COMPARE(inWindow<QPlainTextEdit>(QStringLiteral("txtDraws"))->toPlainText().count(QLatin1Char('\n')) + 1,
                     static_cast<qsizetype>(expected(50).draws.size()));
    }

    // Stop before the sets are counted: the draws are shown, the run marked incomplete.
    void stopAndTheTitleBar() {
        QSignalSpy ended(window(), &BacktestWindow::runEnded);
        click(QStringLiteral("cmdBegin"));
        QVERIFY(inWindow<QPushButton>(QStringLiteral("cmdStop"))->isEnabled());
        click(QStringLiteral("cmdStop"));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window()->running());
        QVERIFY(inWindow<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
        QPointer<BacktestWindow> open = window();
        click(QStringLiteral("cmdBegin"));
        open->close();
        QTRY_VERIFY(open.isNull());
    }

    void aMissingHistorySaysSo() {
        QFile::remove(QString::fromStdString(fixture.shared->historyPath));
        click(QStringLiteral("cmdBegin"));
        QVERIFY(!window()->running());
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(QString::fromStdString(fixture.shared->historyPath)));
    }

    void anUnreadableFilterBoxIsNamedAndNothingStarts() {
        fixture.box(QStringLiteral("txtOnes_4"))->setText(QStringLiteral("ab"));
        click(QStringLiteral("cmdBegin"));
        QVERIFY(!window()->running());
        QCOMPARE(fixture.platform->messages.size(), 1);
        QCOMPARE(fixture.platform->messages[0].text,
                 QStringLiteral("Ones Place Limits 4 (Filters A) holds \"ab\": type a number from 0 to 6."));
        QCOMPARE(inWindow<QTableWidget>(QStringLiteral("tblFilters"))->rowCount(), 0);
    }
};

QTEST_MAIN(BacktestWindowTest)
#include "BacktestWindowTest.moc"
