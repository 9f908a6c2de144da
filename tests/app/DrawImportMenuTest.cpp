#include "core/AtomicFile.h"
#include "pool/PoolWindow.h"
#include "reports/ReportWindow.h"
#include "support/WindowFixture.h"
#include "tally/WinCheckerWindow.h"

#include <QDir>
#include <QMenu>
#include <QRegularExpression>

using namespace orvane;

namespace {
const QByteArray kHistory = "050788  15 17 30 42 44 49\r\n051488  11 15 18 19 22 23\r\n";
const QString kTitle = QStringLiteral("Import Draws");
} // namespace

// File > Import Draws...: a file of draws chosen in the open dialog is added to
// the current history, and one message tells what became of its lines.
class DrawImportMenuTest : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

    QString history() const { return QString::fromStdString(f.shared->historyPath); }
    QString drawFile(const QByteArray& contents) const {
        const QString path = f.folder.filePath(QStringLiteral("draws.csv"));
        if (!WindowFixture::writeFile(path, contents)) qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QAction* item() const { return f.find<QAction>(QStringLiteral("mnuImportDraws")); }

private slots:
    void init() {
        f.open();
        QVERIFY(WindowFixture::writeFile(history(), kHistory));
    }
    void cleanup() {
        QDir::setCurrent(QDir::tempPath());
        f.close();
    }

    void theItemFollowsHistoryFile() {
        const QList<QAction*> items = f.find<QMenu>(QStringLiteral("mnuFile"))->actions();
        const qsizetype at = items.indexOf(f.find<QAction>(QStringLiteral("mnuHistoryFile")));
        QCOMPARE(items.value(at + 1), item());
        QCOMPARE(item()->text().remove(QLatin1Char('&')), QStringLiteral("Import Draws..."));
    }

    void addsTheNewDrawsToTheCurrentHistoryAndTellsTheCounts() {
        // The history chosen through History File... is the one that grows.
        const QString chosen = f.folder.filePath(QStringLiteral("Other.HIT"));
        QVERIFY(WindowFixture::writeFile(chosen, kHistory));
        f.shared->historyPath = chosen.toStdString();
        f.platform->fileAnswers.enqueue(drawFile("Date,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus\r\n"
                                                 "05/21/1988,47,40,25,22,15,08,1\r\n"
                                                 "05/07/1988,15,17,30,42,44,49,2\r\n"
                                                 "05/14/1988,01,02,03,04,05,06,3\r\n"));
        item()->trigger();

        QCOMPARE(f.platform->fileDialogs.size(), 1);
        const FileDialogRequest& asked = f.platform->fileDialogs[0];
        QVERIFY(!asked.save);
        QVERIFY(asked.filter.contains(QStringLiteral("*.CSV")));
        QVERIFY(asked.filter.contains(QStringLiteral("*.TXT")));
        QCOMPARE(f.platform->messages.size(), 1);
        const FakePlatform::Message& shown = f.platform->messages[0];
        QCOMPARE(shown.title, kTitle);
        QCOMPARE(shown.icon, NoticeIcon::Information);
        QVERIFY2(shown.text.startsWith(
                     QStringLiteral("Draws added: 1\nDraws already in the history: 1\nLines rejected: 1\nLine 4: ")),
                 qPrintable(shown.text));
        QCOMPARE(WindowFixture::fileBytes(chosen), kHistory + "052188  08 15 22 25 40 47\r\n");
        QCOMPARE(WindowFixture::fileBytes(QString::fromStdString(f.shared->defaults.history)), kHistory);
    }

    void theMessageShowsTheFirstTwentyRejectedLines() {
        QByteArray lines;
        for (int day = 1; day <= 25; ++day) lines += "06/" + QByteArray::number(day) + "/1988,1,2,3,4,5,99\r\n";
        f.platform->fileAnswers.enqueue(drawFile(lines));
        item()->trigger();
        QCOMPARE(f.platform->messages.size(), 1);
        const QString text = f.platform->messages[0].text;
        QVERIFY(text.contains(QStringLiteral("Lines rejected: 25\n")));
        QVERIFY(text.contains(QStringLiteral("\nLine 20: ")));
        QVERIFY(!text.contains(QStringLiteral("Line 21: ")));
        QVERIFY2(text.endsWith(QStringLiteral("... and 5 more rejected lines.")), qPrintable(text));
        QCOMPARE(WindowFixture::fileBytes(history()), kHistory);
    }

    void ambiguousDatesAskForTheirForm() {
        const QString file = drawFile("01/02/2003,1,2,3,4,5,6\r\n");
        // Cancelled: nothing imported, nothing more said.
        f.platform->fileAnswers.enqueue(file);
        item()->trigger();
        QCOMPARE(f.platform->inputPrompts.size(), 1);
        QVERIFY2(f.platform->inputPrompts[0].contains(QStringLiteral("MM/DD/YY or DD/MM/YY")),
                 qPrintable(f.platform->inputPrompts[0]));
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(WindowFixture::fileBytes(history()), kHistory);

        // A form that is none: said so, nothing imported.
        f.platform->fileAnswers.enqueue(file);
        f.platform->inputAnswers.enqueue(QStringLiteral("day first"));
        item()->trigger();
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Exclamation);
        QCOMPARE(WindowFixture::fileBytes(history()), kHistory);

        f.platform->fileAnswers.enqueue(file);
        f.platform->inputAnswers.enqueue(QStringLiteral("DD/MM/YYYY"));
        item()->trigger();
        QCOMPARE(f.platform->messages.size(), 2);
        QVERIFY(f.platform->messages[1].text.startsWith(QStringLiteral("Draws added: 1\n")));
        QCOMPARE(WindowFixture::fileBytes(history()), kHistory + "020103  01 02 03 04 05 06\r\n");
    }

    // The dialog's filter caption is what the desktop's dialog matches names
    // against: blank-separated patterns, in both letter cases.
    void theDialogListsDrawFilesInEitherCase() {
        item()->trigger();
        const QString caption = f.platform->fileDialogs[0].filter.section(QLatin1Char('|'), 0, 0);
        const qsizetype open = caption.indexOf(QLatin1Char('(')), close = caption.indexOf(QLatin1Char(')'));
        QVERIFY(open > 0 && close > open);
        const QStringList patterns = caption.mid(open + 1, close - open - 1).split(QLatin1Char(' '));
        auto listed = [&patterns](const QString& name) {
            for (const QString& pattern : patterns)
                if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch())
                    return true;
            return false;
        };
        for (const char* name : {"draws.csv", "DRAWS.CSV", "draws.txt", "DRAWS.TXT"})
            QVERIFY2(listed(QLatin1String(name)), name);
        QVERIFY(!listed(QStringLiteral("draws.HIT")));

        // The next import opens where the last one came from.
        f.platform->fileAnswers.enqueue(drawFile("05/21/1988,08,15,22,25,40,47\r\n"));
        item()->trigger();
        item()->trigger();
        QCOMPARE(f.platform->fileDialogs.last().fileName, f.folder.filePath(QStringLiteral("draws.csv")));
    }

    void aCancelledDialogImportsNothing() {
        item()->trigger();
        QCOMPARE(f.platform->fileDialogs.size(), 1);
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(WindowFixture::fileBytes(history()), kHistory);
    }

    void aFailedWriteIsShownAndTheHistoryKept() {
        // A folder where the temporary file would go: the new history cannot be written.
        const QString temporary = QString::fromStdString(temporaryPathFor(history().toStdString()));
        QVERIFY(QDir().mkdir(temporary));
        QVERIFY(WindowFixture::writeFile(temporary + QStringLiteral("/kept.txt"), "kept"));
        f.platform->fileAnswers.enqueue(drawFile("05/21/1988,08,15,22,25,40,47\r\n"));
        item()->trigger();
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Exclamation);
        QVERIFY2(f.platform->messages[0].text.contains(QStringLiteral("could not be written")),
                 qPrintable(f.platform->messages[0].text));
        QCOMPARE(WindowFixture::fileBytes(history()), kHistory);
    }

    void operationsThatReadTheHistoryKeepItOff() {
        for (const QString& operation : {ReportWindow::kReportRun, PoolWindow::kPoolRun, WinCheckerWindow::kWinCheck}) {
            f.window->busy().begin(operation);
            QVERIFY2(!item()->isEnabled(), qPrintable(operation));
            f.window->busy().end(operation);
            QVERIFY2(item()->isEnabled(), qPrintable(operation));
        }
        f.window->busy().begin(MainWindow::kWheelRun);
        QVERIFY(!f.find<QMenu>(QStringLiteral("mnuFile"))->menuAction()->isEnabled());
        f.window->busy().end(MainWindow::kWheelRun);
    }
};

QTEST_MAIN(DrawImportMenuTest)
#include "DrawImportMenuTest.moc"
