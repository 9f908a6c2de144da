#include "platform/FixedFont.h"
#include "reports/ReportChart.h"
#include "reports/ReportWindow.h"

#include "reports/ReportJob.h"
#include "support/WindowFixture.h"
#include "tally/WinCheckerWindow.h"

#include <QDir>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>

using namespace orvane;

// The report window as the user reaches it: from the main window's menus, on
// the fake desktop, with the sample history in the window's data folder.
class ReportWindowTest : public QObject {
    Q_OBJECT

private:
    WindowFixture fixture;

    QString historyPath() const { return QString::fromStdString(fixture.shared->historyPath); }
    void writeFile(const QString& path, const QByteArray& bytes) const {
        QVERIFY(WindowFixture::writeFile(path, bytes));
    }
    QByteArray fileBytes(const QString& path) const { return WindowFixture::fileBytes(path); }
    // A history of `draws` draws, the same every time.
    QByteArray historyOf(int draws) const {
        QByteArray text;
        unsigned state = 7;
        for (int i = 0; i < draws; ++i) {
            quint64 taken = 0;
            QList<int> numbers;
            while (numbers.size() < 6) {
                state = state * 1103515245u + 12345u;
                const int n = 1 + static_cast<int>((state >> 8) % 49);
                if (taken & (quint64{1} << n)) continue;
                taken |= quint64{1} << n;
                numbers << n;
            }
            std::sort(numbers.begin(), numbers.end());
            text += "010199 ";
            for (int n : numbers) text += ' ' + QByteArray::number(n).rightJustified(2, '0');
            text += "\r\n";
        }
        return text;
    }

    ReportWindow* report() const { return fixture.window->findChild<ReportWindow*>(QStringLiteral("frmAnalysis")); }
    template <typename T> T* inReport(const QString& name) const {
        T* control = report()->findChild<T*>(name);
        if (!control) qFatal("no report control named %s", qPrintable(name));
        return control;
    }
    QPushButton* button(const QString& name) const { return inReport<QPushButton>(name); }
    void clickReport(const QString& name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString shown() const { return inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis"))->toPlainText(); }
    void setShown(const QString& text) const {
        inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis"))->setPlainText(text);
    }
    ReportChart* chart() const { return report()->findChild<ReportChart*>(); }
    // Types at the end of the text, as the user would.
    void typeAtEnd(const QString& typed) const {
        auto* text = inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis"));
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, typed);
    }
    // The questions asked so far (messages with more than an OK button).
    QList<FakePlatform::Message> questions() const {
        QList<FakePlatform::Message> asked;
        for (const FakePlatform::Message& message : fixture.platform->messages)
            if (message.buttons != Platform::Buttons::Ok) asked << message;
        return asked;
    }
    QString dataFile(const QString& name) const { return QDir(fixture.folder.path()).filePath(name); }

    // Opens the window from the menu item and runs its report to the end.
    bool runFromMenu(const QString& item) const {
        fixture.trigger(item);
        return beginToEnd();
    }
    bool beginToEnd() const {
        QSignalSpy ended(report(), &ReportWindow::runEnded);
        clickReport(QStringLiteral("cmdBegin"));
        return ended.count() == 1 || ended.wait(20000);
    }
    // The engine's text for the window's caption, with the text area's line ends.
    QString engineText(ReportKind kind) const {
        ReportJob job(kind, ReportSources{fixture.shared->historyPath, fixture.shared->wheelOutputPath});
        return QString::fromStdString(job.runToEnd()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    bool idleButtons() const {
        return button(QStringLiteral("cmdBegin"))->isEnabled() && button(QStringLiteral("cmdPrint"))->isEnabled() &&
               button(QStringLiteral("cmdClear"))->isEnabled() && button(QStringLiteral("cmdDone"))->isEnabled() &&
               !button(QStringLiteral("cmdStop"))->isEnabled();
    }
    bool mainEnabled() const {
        return fixture.window->centralWidget()->isEnabled() && fixture.window->menuBar()->isEnabled();
    }
    // The main window's commands a running report disables.
    QStringList lockedCommands() const {
        QStringList locked;
        for (const char* name : {"mnuSaveSettings", "mnuRestoreSettings", "mnuSaveGRAs", "mnuHistoryFile", "mnuExit",
                                 "mnuUpdateHistory", "mnuViewHistory", "mnuViewOutput"})
            if (!fixture.find<QAction>(QLatin1String(name))->isEnabled()) locked << QLatin1String(name);
        if (!fixture.find<QMenu>(QStringLiteral("mnuAnalysis"))->menuAction()->isEnabled()) locked << "mnuAnalysis";
        if (!fixture.find<QPushButton>(QStringLiteral("cmdWheel"))->isEnabled()) locked << "cmdWheel";
        return locked;
    }
    const QStringList kAllLocked = {
        "mnuSaveSettings",  "mnuRestoreSettings", "mnuSaveGRAs",   "mnuHistoryFile", "mnuExit",
        "mnuUpdateHistory", "mnuViewHistory",     "mnuViewOutput", "mnuAnalysis",    "cmdWheel"};

private slots:
    void init() {
        fixture.open();
        QVERIFY(fixture.useHistory(QStringLiteral(ORVANE_SAMPLE_HISTORY)));
        fixture.window->show();
    }
    void cleanup() { fixture.close(); }

    void menuCommandsOpenOneWindowCaptionedWithTheirReport() {
        const QList<QPair<QString, QString>> commands = {
            {"mnuNumCount", "Historic Number Count"},
            {"mnuMidpoint", "Midpoint Analysis Report"},
            {"mnuSetSpan", "Span of Set Calculator"},
            {"mnuSumHits", "Sum Hits Counter"},
            {"mnuSumCalc", "Sum of Sets Calculator"},
            {"mnuNumberLines", "Number Lines Calculator"},
            {"mnuSkipHit", "Skip/Hit Report"},
            {"mnuViewHistory", "View & Manipulate History"},
            {"mnuViewOutput", "View & Manipulate Output File"},
        };
        QPointer<ReportWindow> first;
        for (const auto& [item, caption] : commands) {
            QVERIFY2(fixture.find<QAction>(item)->isEnabled(), qPrintable(item));
            fixture.trigger(item);
            QVERIFY(report());
            if (!first) first = report();
            QCOMPARE(report(), first.data());
            QCOMPARE(report()->windowTitle(), caption);
            QVERIFY(report()->isVisible());
            QVERIFY(idleButtons());
            QVERIFY2(mainEnabled(), qPrintable(item));
        }
        QCOMPARE(fixture.window->findChildren<ReportWindow*>().size(), 1);
        // The text area: a font measured to be fixed pitch, at 12 points.
        auto* text = inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis"));
        QVERIFY(measuresFixedPitch(text->font()));
        QCOMPARE(text->font().pointSize(), 12);
    }

    void beginShowsTheReportAndRestoresEverythingAtTheEnd() {
        fixture.trigger(QStringLiteral("mnuNumCount"));
        QSignalSpy ended(report(), &ReportWindow::runEnded);
        clickReport(QStringLiteral("cmdBegin"));
        // Running: the caption says so, only Stop works, the main window's commands wait.
        QCOMPARE(report()->windowTitle(), QStringLiteral("Historic Number Count - Working..."));
        QVERIFY(button(QStringLiteral("cmdStop"))->isEnabled());
        for (const char* name : {"cmdBegin", "cmdPrint", "cmdClear", "cmdDone", "cmdSaveAs"})
            QVERIFY2(!button(QLatin1String(name))->isEnabled(), name);
        QCOMPARE(lockedCommands(), kAllLocked);
        QVERIFY(fixture.find<QAction>(QStringLiteral("mnuTallor"))->isEnabled());
        QVERIFY(ended.wait(20000));

        QCOMPARE(report()->windowTitle(), QStringLiteral("Historic Number Count"));
        QCOMPARE(shown(), engineText(ReportKind::NumberCount));
        QVERIFY(shown().startsWith(QStringLiteral("There are currently 599 draws recorded in the history file.\n\n")));
        QVERIFY(shown().contains(QStringLiteral("\n13 has been drawn ")));
        QVERIFY(idleButtons());
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    void beginTwiceAppendsOnlyTheAppendingReports() {
        const QList<QPair<QString, ReportKind>> reports = {
            {"mnuNumCount", ReportKind::NumberCount},     {"mnuMidpoint", ReportKind::Midpoint},
            {"mnuSetSpan", ReportKind::SpanOfSet},        {"mnuSumHits", ReportKind::SumHits},
            {"mnuSumCalc", ReportKind::SumOfSets},        {"mnuEvensCalculator", ReportKind::EvensSignature},
            {"mnuNumberLines", ReportKind::NumberLines},  {"mnuSkipHit", ReportKind::SkipHit},
            {"mnuViewHistory", ReportKind::HistoryViewer}};
        for (const auto& [item, kind] : reports) {
            if (report()) clickReport(QStringLiteral("cmdClear"));
            QVERIFY(runFromMenu(item));
            const QString once = engineText(kind);
            QCOMPARE(shown(), once);
            QVERIFY(beginToEnd());
            const bool replaces =
                kind == ReportKind::NumberCount || kind == ReportKind::NumberLines || kind == ReportKind::SkipHit;
            QCOMPARE(shown(), replaces ? once : once + once);
            // The report just run is in view, its first line at the top.
            auto* text = inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis"));
            const int firstLine = replaces ? 0 : static_cast<int>(once.count(QLatin1Char('\n')));
            QCOMPARE(text->textCursor().blockNumber(), firstLine);
            QCOMPARE(text->verticalScrollBar()->value(), firstLine);
        }
        QCOMPARE(shown().count(QLatin1Char('\n')), 2 * 599);
        // The history viewer shows the file exactly.
        QCOMPARE(shown().toUtf8().replace("\n", "\r\n"), fileBytes(historyPath()) + fileBytes(historyPath()));
    }

    void outputViewerShowsTheSetsWithTwoDigits() {
        writeFile(fixture.outputFile(), "3 11 24 30 41 49\r\n17 : 5 12 23 34 41 49\r\n");
        QVERIFY(runFromMenu(QStringLiteral("mnuViewOutput")));
        QCOMPARE(shown(), QStringLiteral("03 11 24 30 41 49\n17 : 05 12 23 34 41 49\n"));
        QVERIFY(fixture.platform->messages.isEmpty());
        QCOMPARE(report()->windowTitle(), QStringLiteral("View & Manipulate Output File"));
    }

    void missingFilesGiveTheMessageAndLeaveTheText() {
        QFile::remove(fixture.outputFile());
        fixture.trigger(QStringLiteral("mnuViewOutput"));
        setShown(QStringLiteral("kept\n"));
        QVERIFY(beginToEnd());
        QCOMPARE(shown(), QStringLiteral("kept\n"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QCOMPARE(fixture.platform->messages[0].title, QStringLiteral("Cannot Execute Command"));
        QCOMPARE(fixture.platform->messages[0].text,
                 QStringLiteral("The file ") + fixture.outputFile() +
                     QStringLiteral(" could not be opened.  It may not exist, has been renamed, or is currently in "
                                    "use by some other process."));
        QCOMPARE(fixture.platform->messages[0].icon, NoticeIcon::Exclamation);
        // The caption is back before the message shows.
        QCOMPARE(report()->windowTitle(), QStringLiteral("View & Manipulate Output File"));

        QFile::remove(historyPath());
        for (const QString& item :
             {QStringLiteral("mnuNumCount"), QStringLiteral("mnuViewHistory"), QStringLiteral("mnuNumberLines")}) {
            fixture.platform->messages.clear();
            QVERIFY(runFromMenu(item));
            QCOMPARE(shown(), QStringLiteral("kept\n"));
            QCOMPARE(fixture.platform->messages.size(), 1);
            QCOMPARE(fixture.platform->messages[0].title, QStringLiteral("Cannot Execute Command"));
            QVERIFY(fixture.platform->messages[0].text.contains(historyPath()));
        }
        QVERIFY(idleButtons());
        QVERIFY(lockedCommands().isEmpty());
    }

    void malformedHistoryNamesTheLineAndWritesNothing() {
        writeFile(historyPath(), "010199  01 02 03 04 05 06\r\n020199  01 02 03 04 05\r\n");
        fixture.trigger(QStringLiteral("mnuMidpoint"));
        setShown(QStringLiteral("kept\n"));
        QVERIFY(beginToEnd());
        QCOMPARE(shown(), QStringLiteral("kept\n"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(QStringLiteral("Line 2")));
        QVERIFY(fixture.platform->messages[0].text.contains(historyPath()));
    }

    void aDescendingRecordIsReadSorted() {
        writeFile(historyPath(), "061299  49 41 30 24 11 03\r\n");
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        QCOMPARE(shown(), QStringLiteral("---+++  3\n"));
        QVERIFY(runFromMenu(QStringLiteral("mnuSetSpan")));
        QVERIFY(shown().startsWith(QStringLiteral("---+++  3\n001  46\n")));
    }

    // Stop ends the run, closes the window and gives every command back; the
    // window goes only once its run has ended.
    void stopDuringARunClosesTheWindowAndRestoresTheMainWindow() {
        writeFile(historyPath(), historyOf(60000));
        fixture.trigger(QStringLiteral("mnuMidpoint"));
        QPointer<ReportWindow> window = report();
        QSignalSpy ended(window.data(), &ReportWindow::runEnded);
        clickReport(QStringLiteral("cmdBegin"));
        // One slice: the history read and the first piece shown, the rest still to come.
        QTRY_VERIFY(!shown().isEmpty());
        QVERIFY(window->running());
        QVERIFY(shown().count(QLatin1Char('\n')) < 60000);
        clickReport(QStringLiteral("cmdStop"));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window->running());
        QVERIFY(!window->isVisible());
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(mainEnabled());
        QVERIFY(fixture.window->busy().idle());
        QTRY_VERIFY(window.isNull()); // deleted once closed
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    // The evens signature command disables the main window until its window
    // closes, however it closes.
    void evensSignatureKeepsTheMainWindowDisabledUntilTheWindowCloses() {
        writeFile(historyPath(), historyOf(60000));
        fixture.trigger(QStringLiteral("mnuEvensCalculator"));
        QVERIFY(!mainEnabled());
        QVERIFY(report()->isEnabled());
        QVERIFY(button(QStringLiteral("cmdBegin"))->isEnabled());
        // The title bar's close during a run.
        QPointer<ReportWindow> window = report();
        clickReport(QStringLiteral("cmdBegin"));
        QTRY_VERIFY(!shown().isEmpty());
        QVERIFY(window->running());
        window->close();
        QVERIFY(!window->running());
        QVERIFY(mainEnabled());
        QVERIFY(lockedCommands().isEmpty());
        QTRY_VERIFY(window.isNull());

        // Done from idle, and Escape.
        fixture.trigger(QStringLiteral("mnuEvensCalculator"));
        QVERIFY(!mainEnabled());
        clickReport(QStringLiteral("cmdDone"));
        QVERIFY(mainEnabled());
        QTRY_VERIFY(!report());
        fixture.trigger(QStringLiteral("mnuEvensCalculator"));
        // Escape where the focus usually is, in the text area.
        QTest::keyClick(inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis")), Qt::Key_Escape);
        QVERIFY(mainEnabled());
        QTRY_VERIFY(!report());
        // The other reports leave the main window as it is.
        fixture.trigger(QStringLiteral("mnuSumCalc"));
        QVERIFY(mainEnabled());
    }

    void aCaptionNamingNoReportRunsOnlyTheFrame() {
        fixture.trigger(QStringLiteral("mnuNumCount"));
        report()->setWindowTitle(QStringLiteral("Hot & Cold Numbers"));
        setShown(QStringLiteral("kept\n"));
        QVERIFY(beginToEnd());
        QCOMPARE(shown(), QStringLiteral("kept\n"));
        QCOMPARE(report()->windowTitle(), QStringLiteral("Hot & Cold Numbers"));
        QVERIFY(idleButtons());
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    // A report and a win check both hold cmdWheel: it comes back when the last ends.
    void aWinCheckRunningMeanwhileKeepsItsCommandsDisabled() {
        BusyState& busy = fixture.window->busy();
        busy.begin(WinCheckerWindow::kWinCheck);
        QVERIFY(runFromMenu(QStringLiteral("mnuSumHits")));
        QVERIFY(!fixture.find<QPushButton>(QStringLiteral("cmdWheel"))->isEnabled());
        QVERIFY(!fixture.find<QAction>(QStringLiteral("mnuSaveSettings"))->isEnabled());
        QVERIFY(fixture.find<QMenu>(QStringLiteral("mnuAnalysis"))->menuAction()->isEnabled());
        busy.end(WinCheckerWindow::kWinCheck);
        QVERIFY(lockedCommands().isEmpty());
    }

    void theOutputViewerWaitsForAWheelRun() {
        writeFile(fixture.outputFile(), "1 2 3 4 5 6\r\n");
        fixture.trigger(QStringLiteral("mnuViewOutput"));
        fixture.window->busy().begin(MainWindow::kWheelRun);
        clickReport(QStringLiteral("cmdBegin"));
        QVERIFY(!report()->running());
        QCOMPARE(shown(), QString());
        QCOMPARE(fixture.platform->messages.size(), 1);
        fixture.window->busy().end(MainWindow::kWheelRun);
        QVERIFY(beginToEnd());
        QCOMPARE(shown(), QStringLiteral("01 02 03 04 05 06\n"));
    }

    void numberLinesLeavesTheOutputPathAndFilesAlone() {
        const std::string output = fixture.shared->wheelOutputPath;
        QVERIFY(runFromMenu(QStringLiteral("mnuNumberLines")));
        QCOMPARE(shown().count(QLatin1Char('\n')), 14700);
        QCOMPARE(fixture.shared->wheelOutputPath, output);
        QVERIFY(!QFile::exists(QStringLiteral("temp.fil")));
        QVERIFY(!QFile::exists(QDir(fixture.folder.path()).filePath(QStringLiteral("temp.fil"))));
    }

    // The chart's bars are the report's counts; a report without a table shows none.
    void chartShowsTheCountsOfTheLastCountingReport() {
        const QList<QPair<QString, ReportKind>> counting = {{"mnuNumCount", ReportKind::NumberCount},
                                                            {"mnuSetSpan", ReportKind::SpanOfSet},
                                                            {"mnuSumHits", ReportKind::SumHits},
                                                            {"mnuEvensCalculator", ReportKind::EvensSignature},
                                                            {"mnuSkipHit", ReportKind::SkipHit}};
        for (const auto& [item, kind] : counting) {
            QVERIFY(runFromMenu(item));
            ReportJob job(kind, ReportSources{fixture.shared->historyPath, ""});
            job.runToEnd();
            QList<qreal> expected;
            for (const ValueCount& row : job.table()->rows) expected << static_cast<qreal>(row.count);
            QVERIFY(chart()->hasChart());
            QCOMPARE(chart()->barValues(), expected);
            QCOMPARE(chart()->title(), QString::fromStdString(reportCaption(kind)) + QStringLiteral(" of 599 draws"));
            clickReport(QStringLiteral("cmdDone"));
        }
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        QVERIFY(!chart()->hasChart());
        QVERIFY(chart()->barValues().isEmpty());
        // The chart is a tab beside the text.
        auto* tabs = inReport<QTabWidget>(QStringLiteral("tabViews"));
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Chart"));
    }

    void printSendsTheTextAndTheChart() {
        QVERIFY(runFromMenu(QStringLiteral("mnuNumCount")));
        clickReport(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        const FakePlatform::PrintJob& job = fixture.platform->printJobs[0];
        QCOMPARE(job.title, QStringLiteral("Historic Number Count"));
        QVERIFY(job.headings.isEmpty()); // its lines say what they count
        QVERIFY(measuresFixedPitch(job.font));
        QCOMPARE(job.pointSize, 12);
        QVERIFY(job.ended);
        QCOMPARE(job.lines.size(), 51);
        QCOMPARE(job.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'), shown());
        QCOMPARE(job.images.size(), 1);
        QVERIFY(!job.images[0].isNull());

        clickReport(QStringLiteral("cmdClear"));
        QCOMPARE(shown(), QString());
        QVERIFY(!chart()->hasChart());
        fixture.platform->printerFails = true;
        clickReport(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QCOMPARE(fixture.platform->messages[0].title, QStringLiteral("Printing"));
    }

    // The skip/hit table's column line is printed where it stands and heads every later page.
    void printedTablesRepeatTheirColumnHeadings() {
        QVERIFY(runFromMenu(QStringLiteral("mnuSkipHit")));
        clickReport(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        const FakePlatform::PrintJob& job = fixture.platform->printJobs[0];
        QCOMPARE(job.title, QStringLiteral("Skip/Hit Report"));
        QStringList lines = shown().split(QLatin1Char('\n'));
        lines.removeLast();
        QCOMPARE(lines.size(), 52);
        QVERIFY(lines[2].startsWith(QStringLiteral("No  Drawn  Current")));
        QCOMPARE(job.headings, QStringList{lines[2]});
        QCOMPARE(job.lines, lines);

        // An appended report after it has no table: the text prints as it is, without headings.
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        clickReport(QStringLiteral("cmdPrint"));
        QVERIFY(fixture.platform->printJobs[1].headings.isEmpty());
        QCOMPARE(fixture.platform->printJobs[1].lines.size(), 52 + 599);
        QCOMPARE(fixture.platform->printJobs[1].title, QStringLiteral("Midpoint Analysis Report"));
    }

    void theOutputViewersPrintoutShowsTwoDigitNumbers() {
        writeFile(fixture.outputFile(), "3 11 24 30 41 49\r\n1 2 3 4 5 6\r\n");
        QVERIFY(runFromMenu(QStringLiteral("mnuViewOutput")));
        clickReport(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        QCOMPARE(fixture.platform->printJobs[0].title, QStringLiteral("View & Manipulate Output File"));
        QCOMPARE(fixture.platform->printJobs[0].lines, QStringList({"03 11 24 30 41 49", "01 02 03 04 05 06"}));
    }

    // Clear and a report that replaces the text ask before the user's edits go; a report's own text is no edit.
    void editsAreNotThrownAwayWithoutAQuestion() {
        QVERIFY(runFromMenu(QStringLiteral("mnuNumCount")));
        QVERIFY(!report()->textEdited());
        typeAtEnd(QStringLiteral("my note"));
        QVERIFY(report()->textEdited());
        const QString edited = shown();

        // Begin of a replacing report: No (the default) keeps the text and runs nothing.
        QSignalSpy ended(report(), &ReportWindow::runEnded);
        clickReport(QStringLiteral("cmdBegin"));
        QCOMPARE(questions().size(), 1);
        QCOMPARE(questions()[0].text, QStringLiteral("Discard your changes to the report?"));
        QCOMPARE(questions()[0].buttons, Platform::Buttons::YesNoDefaultNo);
        QCOMPARE(questions()[0].title, QStringLiteral("Historic Number Count"));
        QVERIFY(!report()->running());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(shown(), edited);
        QVERIFY(idleButtons());
        QVERIFY(lockedCommands().isEmpty());

        // Clear: No keeps the text, Yes clears it.
        clickReport(QStringLiteral("cmdClear"));
        QCOMPARE(questions().size(), 2);
        QCOMPARE(shown(), edited);
        fixture.platform->replies << Platform::Reply::Yes;
        clickReport(QStringLiteral("cmdClear"));
        QCOMPARE(questions().size(), 3);
        QCOMPARE(shown(), QString());
        QVERIFY(!report()->textEdited());

        // An appending report keeps the edits, and they stay marked.
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        typeAtEnd(QStringLiteral("kept"));
        QVERIFY(beginToEnd());
        QCOMPARE(questions().size(), 3);
        QVERIFY(report()->textEdited());
        QVERIFY(shown().contains(QStringLiteral("\nkept")));
        // The replacing report, answered Yes, replaces the text, which is unedited again.
        fixture.platform->replies << Platform::Reply::Yes;
        QVERIFY(runFromMenu(QStringLiteral("mnuNumCount")));
        QCOMPARE(questions().size(), 4);
        QCOMPARE(shown(), engineText(ReportKind::NumberCount));
        QVERIFY(!report()->textEdited());
        // Unedited text clears and is replaced without a question.
        QVERIFY(beginToEnd());
        clickReport(QStringLiteral("cmdClear"));
        QCOMPARE(questions().size(), 4);
        QCOMPARE(shown(), QString());
    }

    void closingEditedTextOffersToSaveIt_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Done") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("title bar") << 2;
    }
    void closingEditedTextOffersToSaveIt() {
        QFETCH(int, way);
        const auto closeReport = [&] {
            if (way == 0)
                clickReport(QStringLiteral("cmdDone"));
            else if (way == 1)
                QTest::keyClick(inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis")), Qt::Key_Escape);
            else
                report()->close();
        };
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        typeAtEnd(QStringLiteral("my note"));
        QPointer<ReportWindow> window = report();

        // Cancel: the window stays, with its text.
        fixture.platform->replies << Platform::Reply::Cancel;
        closeReport();
        QCOMPARE(questions().size(), 1);
        QCOMPARE(questions()[0].buttons, Platform::Buttons::YesNoCancel);
        QVERIFY(questions()[0].text.contains(QStringLiteral("Save your changes")));
        QVERIFY(window->isVisible());
        QVERIFY(shown().endsWith(QStringLiteral("my note")));
        // Yes, then the dialog cancelled: nothing saved, the window stays.
        fixture.platform->replies << Platform::Reply::Yes;
        closeReport();
        QCOMPARE(fixture.platform->fileDialogs.size(), 1);
        QVERIFY(!fixture.platform->fileDialogs[0].filter.contains(QStringLiteral("*.CSV")));
        QVERIFY(window->isVisible());
        // Yes, saved: the text with its edits is in the file, and the window closes.
        const QString saved = dataFile(QStringLiteral("notes.TXT"));
        fixture.platform->replies << Platform::Reply::Yes;
        fixture.platform->fileAnswers << saved;
        const QString text = shown();
        closeReport();
        QCOMPARE(QString::fromUtf8(fileBytes(saved)),
                 QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        QVERIFY(window.isNull() || !window->isVisible());
        QVERIFY(mainEnabled());
        QTRY_VERIFY(window.isNull());

        // No: the edits go with the window.
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        typeAtEnd(QStringLiteral("let go"));
        window = report();
        fixture.platform->replies << Platform::Reply::No;
        closeReport();
        QCOMPARE(questions().size(), 4);
        QTRY_VERIFY(window.isNull());
        // Unedited text closes without a question.
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        window = report();
        closeReport();
        QCOMPARE(questions().size(), 4);
        QTRY_VERIFY(window.isNull());
    }

    // Closing the program closes the report window first: its edits are asked
    // about, and keeping them open keeps the program open.
    void closingTheProgramAsksAboutTheReportsEdits() {
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        typeAtEnd(QStringLiteral("my note"));
        QPointer<ReportWindow> window = report();
        fixture.platform->replies << Platform::Reply::Cancel;
        QVERIFY(!fixture.window->close());
        QCOMPARE(questions().size(), 1);
        QVERIFY(questions()[0].text.contains(QStringLiteral("Save your changes")));
        QVERIFY(fixture.window->isVisible());
        QVERIFY(window && window->isVisible());
        QVERIFY(shown().endsWith(QStringLiteral("my note")));

        fixture.platform->replies << Platform::Reply::No;
        QVERIFY(fixture.window->close());
        QCOMPARE(questions().size(), 2);
        QTRY_VERIFY(window.isNull());
    }

    // Stop ends the run as ever; with edits the window then asks before it goes.
    void stopWithEditsEndsTheRunThenAsks() {
        writeFile(historyPath(), historyOf(60000));
        fixture.trigger(QStringLiteral("mnuMidpoint"));
        typeAtEnd(QStringLiteral("my note"));
        QTest::keyClick(inReport<QPlainTextEdit>(QStringLiteral("txtAnalysis")), Qt::Key_Return);
        QPointer<ReportWindow> window = report();
        QSignalSpy ended(window.data(), &ReportWindow::runEnded);
        clickReport(QStringLiteral("cmdBegin"));
        QTRY_VERIFY(shown().size() > 8);
        QVERIFY(window->running());
        fixture.platform->replies << Platform::Reply::Cancel;
        clickReport(QStringLiteral("cmdStop"));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window->running());
        QCOMPARE(questions().size(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(idleButtons());
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(shown().startsWith(QStringLiteral("my note\n")));
    }

    // The dialog opens in the data folder, then where a report was last saved, and
    // offers the report's name without an extension, so the type chosen gives it one.
    // The menu captions the window for the next report before its Begin; the
    // text and table shown are still the last report's, and so are the name
    // Save As suggests and the printout's title.
    void aWindowCaptionedForTheNextReportSavesAndPrintsTheReportItShows() {
        QVERIFY(runFromMenu(QStringLiteral("mnuNumCount")));
        fixture.trigger(QStringLiteral("mnuMidpoint"));
        QCOMPARE(report()->windowTitle(), QStringLiteral("Midpoint Analysis Report"));
        clickReport(QStringLiteral("cmdSaveAs"));
        QCOMPARE(fixture.platform->fileDialogs.last().fileName, dataFile(QStringLiteral("Historic Number Count")));
        QVERIFY(fixture.platform->fileDialogs.last().filter.contains(QStringLiteral("*.CSV")));
        clickReport(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->printJobs.last().title, QStringLiteral("Historic Number Count"));
    }

    void saveAsFollowsTheNameTheDialogReturns() {
        QVERIFY(runFromMenu(QStringLiteral("mnuNumCount")));
        typeAtEnd(QStringLiteral("edited"));
        fixture.platform->fileAnswers << dataFile(QStringLiteral("NAME.CSV"));
        clickReport(QStringLiteral("cmdSaveAs"));
        const FileDialogRequest& first = fixture.platform->fileDialogs[0];
        QCOMPARE(first.fileName, dataFile(QStringLiteral("Historic Number Count")));
        QCOMPARE(first.defaultExtension, QStringLiteral(".TXT"));
        QVERIFY(first.filter.contains(QStringLiteral("(*.CSV)|*.CSV")));
        QVERIFY(fileBytes(dataFile(QStringLiteral("NAME.CSV"))).startsWith("Number,Count\r\n"));
        // The table was saved, not the edited text: closing still asks.
        QVERIFY(report()->textEdited());

        QVERIFY(QDir(fixture.folder.path()).mkdir(QStringLiteral("kept")));
        const QString elsewhere = dataFile(QStringLiteral("kept/NAME.TXT"));
        fixture.platform->fileAnswers << elsewhere;
        clickReport(QStringLiteral("cmdSaveAs"));
        QVERIFY(fileBytes(elsewhere).startsWith("There are currently 599 draws"));
        QVERIFY(fileBytes(elsewhere).endsWith("edited"));
        QVERIFY(!report()->textEdited());
        // Saved: Done closes without a question, and the next window's dialog opens where the last save went.
        QPointer<ReportWindow> window = report();
        clickReport(QStringLiteral("cmdDone"));
        QVERIFY(questions().isEmpty());
        QTRY_VERIFY(window.isNull());
        QVERIFY(runFromMenu(QStringLiteral("mnuSumHits")));
        clickReport(QStringLiteral("cmdSaveAs"));
        QCOMPARE(fixture.platform->fileDialogs.last().fileName, dataFile(QStringLiteral("kept/Sum Hits Counter")));
        // A folder that has gone: back to the data folder.
        QVERIFY(QDir(dataFile(QStringLiteral("kept"))).removeRecursively());
        clickReport(QStringLiteral("cmdSaveAs"));
        QCOMPARE(fixture.platform->fileDialogs.last().fileName, dataFile(QStringLiteral("Sum Hits Counter")));
    }

    void saveAsWritesTheTextOrTheTable() {
        QVERIFY(runFromMenu(QStringLiteral("mnuNumCount")));
        const QString text = QDir(fixture.folder.path()).filePath(QStringLiteral("count.TXT"));
        const QString csv = QDir(fixture.folder.path()).filePath(QStringLiteral("count.csv"));
        fixture.platform->fileAnswers << text << csv;
        clickReport(QStringLiteral("cmdSaveAs"));
        clickReport(QStringLiteral("cmdSaveAs"));
        QVERIFY(fixture.platform->fileDialogs[0].filter.contains(QStringLiteral("*.CSV")));
        QVERIFY(fixture.platform->fileDialogs[0].save);
        QCOMPARE(QString::fromUtf8(fileBytes(text)), shown().replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        const QList<QByteArray> rows = fileBytes(csv).split('\n');
        QCOMPARE(rows.size(), 51); // a header, 49 numbers, nothing after the last line end
        QCOMPARE(rows[0], QByteArray("Number,Count\r"));
        long long total = 0;
        for (int i = 1; i <= 49; ++i) total += rows[i].split(',')[1].trimmed().toLongLong();
        QCOMPARE(total, 6LL * 599);

        // A report without a table offers text only; a place that cannot be written says so.
        QVERIFY(runFromMenu(QStringLiteral("mnuMidpoint")));
        fixture.platform->fileAnswers << QDir(fixture.folder.path()).filePath(QStringLiteral("no/such/folder/m.TXT"));
        clickReport(QStringLiteral("cmdSaveAs"));
        QVERIFY(!fixture.platform->fileDialogs.last().filter.contains(QStringLiteral("*.CSV")));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(QStringLiteral("no/such/folder/m.TXT")));
        // Cancelled: nothing written, nothing said.
        clickReport(QStringLiteral("cmdSaveAs"));
        QCOMPARE(fixture.platform->messages.size(), 1);
    }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
