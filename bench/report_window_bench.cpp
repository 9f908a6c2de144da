// Measures the report window (frmAnalysis) as the user drives it from the main
// window's menus, on the offscreen platform and the fake desktop:
//  - every history report and the history viewer over the sample history
//    (599 draws), Begin to the run's end on an empty text area;
//  - the same over a 60,000-draw history, with the longest wait between two
//    turns of the event loop during the run (what the user feels as the window
//    freezing) and how long Stop takes to end a run that is still going;
//  - the output viewer loading wheel output files of 250,000, 500,000 and
//    1,000,000 sets, per 100,000 sets, with the longest wait between two turns
//    and what the text area then costs to clear and to close.
// Times are the fastest of several runs, so a busy machine inflates them as
// little as it can; a time over its target says "OVER TARGET" but does not
// fail. A wrong result (text other than the report's, a wrong number of lines,
// an unexpected message, a run that does not end) exits with 1.
#include "app/MainWindow.h"
#include "reports/ReportWindow.h"
#include "reports/ReportJob.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <vector>

using namespace orvane;

namespace {

QElapsedTimer benchClock;
bool anyWrong = false;

constexpr double kSampleTargetMs = 500;
constexpr double kResponseTargetMs = 50; // Stop, and the longest wait between two event-loop turns
constexpr int kSampleRuns = 7;
constexpr int kLargeRuns = 3;
constexpr int kLargeDraws = 60'000;
// A run that has not ended after this long never will.
constexpr int kRunTimeoutMs = 300'000;

// Every command of the window that reads the history, in menu order.
constexpr std::array<const char*, 9> kHistoryCommands = {"mnuNumCount",    "mnuMidpoint", "mnuSetSpan",
                                                         "mnuSumHits",     "mnuSumCalc",  "mnuEvensCalculator",
                                                         "mnuNumberLines", "mnuSkipHit",  "mnuViewHistory"};

double msSince(qint64 startNs) { return (benchClock.nsecsElapsed() - startNs) / 1e6; }

const char* overTarget(double value, double target) { return value < target ? "" : "  OVER TARGET"; }

void wrong(const QString& what) {
    std::printf("WRONG: %s\n", qPrintable(what));
    anyWrong = true;
}

// The longest wait between two turns of the event loop while it is measured:
// a repeating zero-interval timer fires once a turn, so the time between two of
// its firings is one turn, a report slice and the repaints included.
class LoopTurns : public QObject {
public:
    LoopTurns() {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, &LoopTurns::turn);
    }
    void start() {
        gapsNs.clear();
        last_ = benchClock.nsecsElapsed();
        timer_.start();
    }
    // Counts the wait up to now as the last one: the run's last slice ends it.
    void stop() {
        if (!timer_.isActive()) return;
        turn();
        timer_.stop();
    }
    double longestMs() const { return gapsNs.empty() ? 0 : *std::max_element(gapsNs.begin(), gapsNs.end()) / 1e6; }
    std::vector<qint64> gapsNs;

private:
    void turn() {
        const qint64 now = benchClock.nsecsElapsed();
        gapsNs.push_back(now - last_);
        last_ = now;
    }
    QTimer timer_;
    qint64 last_ = 0;
};

// Lets the event loop run for `milliseconds`.
void processEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A history of `draws` draws, the same every time: a date, two blanks and six
// different ascending two-digit numbers from 1 to 49, CR LF.
QByteArray historyOf(int draws) {
    QByteArray text;
    text.reserve(draws * 27);
    unsigned state = 7;
    for (int i = 0; i < draws; ++i) {
        quint64 taken = 0;
        int picked = 0;
        while (picked < 6) {
            state = state * 1103515245u + 12345u;
            const int n = 1 + static_cast<int>((state >> 8) % 49);
            if (taken & (quint64{1} << n)) continue;
            taken |= quint64{1} << n;
            ++picked;
        }
        text += "010199 ";
        for (int n = 1; n <= 49; ++n)
            if (taken & (quint64{1} << n)) text += ' ' + QByteArray::number(n).rightJustified(2, '0');
        text += "\r\n";
    }
    return text;
}

// A wheel output file of `sets` plain set lines ("1 2 3 4 5 6", CR LF), the
// same every time; `firstShown` and `lastShown` get the first and last set as
// the viewer shows them ("01 02 03 04 05 06").
QByteArray outputOf(int sets, QString& firstShown, QString& lastShown) {
    QByteArray text;
    text.reserve(static_cast<qsizetype>(sets) * 19);
    unsigned state = 11;
    for (int i = 0; i < sets; ++i) {
        quint64 taken = 0;
        int picked = 0;
        while (picked < 6) {
            state = state * 1103515245u + 12345u;
            const int n = 1 + static_cast<int>((state >> 8) % 49);
            if (taken & (quint64{1} << n)) continue;
            taken |= quint64{1} << n;
            ++picked;
        }
        QByteArray plain;
        QString shown;
        for (int n = 1; n <= 49; ++n) {
            if (!(taken & (quint64{1} << n))) continue;
            if (!plain.isEmpty()) plain += ' ', shown += QLatin1Char(' ');
            plain += QByteArray::number(n);
            shown += QString::number(n).rightJustified(2, QLatin1Char('0'));
        }
        text += plain + "\r\n";
        if (i == 0) firstShown = shown;
        lastShown = shown;
    }
    return text;
}

bool writeFile(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The main window on the fake desktop with a data folder of its own, and the
// report window reached through its menus.
struct Desk {
    QTemporaryDir folder;
    FakePlatform platform;
    SharedSettings shared;
    MainWindow window;

    Desk() : shared(dataPathsIn(folder.path().toStdString())), window(platform, shared) { window.show(); }

    // Chooses the menu item and gives the report window it opened or re-captioned.
    ReportWindow* open(const char* item) {
        auto* action = window.findChild<QAction*>(QLatin1String(item));
        if (!action) qFatal("no menu item named %s", item);
        action->trigger();
        auto* report = window.findChild<ReportWindow*>(QStringLiteral("frmAnalysis"));
        if (!report || !report->isVisible()) qFatal("%s opened no report window", item);
        return report;
    }
    // Done, and the window deleted as it deletes itself once closed.
    void close(ReportWindow* report) {
        QPointer<ReportWindow> closing(report);
        button(report, "cmdDone")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (closing) wrong(QStringLiteral("the report window was not deleted after Done"));
    }
    static QPushButton* button(ReportWindow* report, const char* name) {
        auto* found = report->findChild<QPushButton*>(QLatin1String(name));
        if (!found) qFatal("no report button named %s", name);
        return found;
    }
    static QPlainTextEdit* textArea(ReportWindow* report) {
        auto* found = report->findChild<QPlainTextEdit*>(QStringLiteral("txtAnalysis"));
        if (!found) qFatal("no text area txtAnalysis");
        return found;
    }
    // Clear, and the text area's repaint and whatever else is pending done
    // before the run, so that none of it is counted in the run.
    static void clear(ReportWindow* report) {
        button(report, "cmdClear")->click();
        QCoreApplication::processEvents();
    }

    // Begin, and the time until the run has ended; `turns`, when given, measures
    // the event loop meanwhile. Negative when the run did not end.
    static double beginToEnd(ReportWindow* report, LoopTurns* turns = nullptr) {
        bool ended = false;
        qint64 endedNs = 0;
        QEventLoop loop;
        const QMetaObject::Connection connection = QObject::connect(report, &ReportWindow::runEnded, [&] {
            endedNs = benchClock.nsecsElapsed();
            ended = true;
            if (turns) turns->stop();
            loop.quit();
        });
        QTimer::singleShot(kRunTimeoutMs, &loop, &QEventLoop::quit);
        if (turns) turns->start();
        const qint64 startNs = benchClock.nsecsElapsed();
        button(report, "cmdBegin")->click();
        if (!ended) loop.exec();
        QObject::disconnect(connection);
        if (!ended) {
            if (turns) turns->stop();
            wrong(report->windowTitle() + QStringLiteral(": the run did not end"));
            return -1;
        }
        return (endedNs - startNs) / 1e6;
    }

    // The text area holds exactly the report's text for the window's caption,
    // and nothing was said.
    void checkReportText(ReportWindow* report, const char* item) {
        const QString caption = report->windowTitle();
        const std::optional<ReportKind> kind = reportForCaption(caption.toStdString());
        if (!kind) {
            wrong(QLatin1String(item) + QStringLiteral(": the caption \"") + caption +
                  QStringLiteral("\" names no report"));
            return;
        }
        ReportJob job(*kind, ReportSources{shared.historyPath, shared.wheelOutputPath});
        const QString expected =
            QString::fromStdString(job.runToEnd()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (expected.isEmpty() || textArea(report)->toPlainText() != expected)
            wrong(QLatin1String(item) + QStringLiteral(": the text area does not hold the report's text"));
        checkNoMessage(item);
    }
    void checkNoMessage(const char* item) {
        if (platform.messages.isEmpty()) return;
        wrong(QLatin1String(item) + QStringLiteral(": a message was shown: ") + platform.messages.front().text);
        platform.messages.clear();
    }
};

// (a) Every history command over the sample history.
void sampleHistory(Desk& desk) {
    std::printf("-- sample history (599 draws): Begin to run ended on an empty text area, fastest of %d\n",
                kSampleRuns);
    for (const char* item : kHistoryCommands) {
        ReportWindow* report = desk.open(item);
        double best = std::numeric_limits<double>::max();
        for (int run = 0; run < kSampleRuns; ++run) {
            Desk::clear(report);
            best = std::min(best, Desk::beginToEnd(report));
        }
        desk.checkReportText(report, item);
        std::printf("%-20s %8.1f ms   (target < %.0f ms)%s\n", item, best, kSampleTargetMs,
                    overTarget(best, kSampleTargetMs));
        desk.close(report);
    }
}

// Stop during a run of `item`: Begin, the event loop until the text area shows
// something or 40 ms have passed, then the time the Stop click takes to end
// the run and leave the window idle. Negative when the run ended by itself
// before Stop could be clicked.
double stopLatency(Desk& desk, const char* item) {
    QPointer<ReportWindow> report = desk.open(item);
    Desk::clear(report);
    QPlainTextEdit* text = Desk::textArea(report);
    int ended = 0;
    QObject::connect(report.data(), &ReportWindow::runEnded, [&ended] { ++ended; });
    {
        QEventLoop wait;
        QObject::connect(text->document(), &QTextDocument::contentsChanged, &wait, &QEventLoop::quit);
        QObject::connect(report.data(), &ReportWindow::runEnded, &wait, &QEventLoop::quit);
        QTimer::singleShot(40, &wait, &QEventLoop::quit);
        Desk::button(report, "cmdBegin")->click();
        if (report->running() && text->document()->isEmpty()) wait.exec();
    }
    double latency = -1;
    if (report->running()) {
        const qint64 startNs = benchClock.nsecsElapsed();
        Desk::button(report, "cmdStop")->click();
        const bool idle = ended == 1 && report && !report->running();
        latency = msSince(startNs);
        if (!idle) wrong(QLatin1String(item) + QStringLiteral(": Stop did not end the run"));
        if (!desk.window.busy().idle())
            wrong(QLatin1String(item) + QStringLiteral(": the main window stayed busy after Stop"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (report) wrong(QLatin1String(item) + QStringLiteral(": the report window was not deleted after Stop"));
    } else {
        desk.close(report);
    }
    desk.checkNoMessage(item);
    return latency;
}

// The report's job alone, its first step as the window takes it (the history
// read, the report computed and its first piece cut), the fastest of
// kLargeRuns: the part of the run's first event-loop turn that is not the text area's.
double firstStepMs(const Desk& desk, ReportKind kind) {
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < kLargeRuns; ++run) {
        const qint64 startNs = benchClock.nsecsElapsed();
        ReportJob job(kind, ReportSources{desk.shared.historyPath, desk.shared.wheelOutputPath});
        job.step(std::chrono::milliseconds(10), ReportWindow::kFirstPieceBytes);
        best = std::min(best, msSince(startNs));
    }
    return best;
}

// (b) Every history command over a 60,000-draw history.
void largeHistory(Desk& desk) {
    if (!writeFile(desk.shared.historyPath, historyOf(kLargeDraws))) {
        wrong(QStringLiteral("the 60,000-draw history could not be written"));
        return;
    }
    std::printf("-- 60,000-draw history: Begin to run ended (fastest of %d), the longest wait between two event-loop "
                "turns during the run (least of %d runs), Stop to run ended and the window idle (fastest of %d)\n",
                kLargeRuns, kLargeRuns, kLargeRuns);
    double worstStop = -1, worstGap = 0;
    const char* worstStopItem = "";
    const char* worstGapItem = "";
    LoopTurns turns;
    for (const char* item : kHistoryCommands) {
        ReportWindow* report = desk.open(item);
        double best = std::numeric_limits<double>::max(), gap = std::numeric_limits<double>::max();
        std::size_t slices = 0;
        for (int run = 0; run < kLargeRuns; ++run) {
            Desk::clear(report);
            best = std::min(best, Desk::beginToEnd(report, &turns));
            if (turns.longestMs() < gap) {
                gap = turns.longestMs();
                slices = turns.gapsNs.size();
            }
        }
        desk.checkReportText(report, item);
        const std::optional<ReportKind> kind = reportForCaption(report->windowTitle().toStdString());
        const double firstStep = kind ? firstStepMs(desk, *kind) : -1;
        desk.close(report);

        double stop = std::numeric_limits<double>::max();
        for (int round = 0; round < kLargeRuns; ++round) {
            const double latency = stopLatency(desk, item);
            if (latency >= 0) stop = std::min(stop, latency);
        }
        const bool stopped = stop != std::numeric_limits<double>::max();
        char stopText[64];
        if (stopped)
            std::snprintf(stopText, sizeof stopText, "Stop %6.2f ms", stop);
        else
            std::snprintf(stopText, sizeof stopText, "Stop -- (the run ends in its first slice)");
        std::printf("%-20s %8.1f ms, %4zu turns, longest wait %6.1f ms%s (job's first step alone %5.1f ms), %s%s\n",
                    item, best, slices, gap, overTarget(gap, kResponseTargetMs), firstStep, stopText,
                    stopped ? overTarget(stop, kResponseTargetMs) : "");
        if (stopped && stop > worstStop) worstStop = stop, worstStopItem = item;
        if (gap > worstGap) worstGap = gap, worstGapItem = item;
    }
    std::printf("Stop latency, largest over the commands: %.2f ms (%s)   (target < %.0f ms)%s; a click that comes "
                "during a slice first waits for the slice's end, as long as the longest wait below\n",
                worstStop, worstStopItem, kResponseTargetMs, overTarget(worstStop, kResponseTargetMs));
    std::printf("longest wait between two event-loop turns, largest over the commands: %.1f ms (%s)   (target < %.0f "
                "ms)%s\n",
                worstGap, worstGapItem, kResponseTargetMs, overTarget(worstGap, kResponseTargetMs));
}

// The output viewer's job alone, as the window steps it, Begin to end: the
// share of the window's time the text area does not take.
double viewerEngineMs(const Desk& desk) {
    const qint64 startNs = benchClock.nsecsElapsed();
    ReportJob job(ReportKind::OutputViewer, ReportSources{desk.shared.historyPath, desk.shared.wheelOutputPath});
    std::size_t bytes = 0;
    while (!job.ended()) bytes += job.step(std::chrono::milliseconds(10), ReportWindow::kFirstPieceBytes).text.size();
    const double ms = msSince(startNs);
    return bytes > 0 ? ms : -1;
}

// (c) The output viewer over wheel output files of growing length.
void outputViewer(Desk& desk) {
    std::printf("-- output viewer: Begin to run ended on an empty text area (fastest of %d), per 100,000 sets; the "
                "longest wait between two event-loop turns (least of %d); the job alone as the window steps it\n",
                kLargeRuns, kLargeRuns);
    double firstPer100k = 0;
    for (const int sets : {250'000, 500'000, 1'000'000}) {
        QString firstShown, lastShown;
        if (!writeFile(desk.shared.wheelOutputPath, outputOf(sets, firstShown, lastShown))) {
            wrong(QStringLiteral("the wheel output file could not be written"));
            return;
        }
        ReportWindow* report = desk.open("mnuViewOutput");
        QPlainTextEdit* text = Desk::textArea(report);
        LoopTurns turns;
        double best = std::numeric_limits<double>::max(), gap = std::numeric_limits<double>::max();
        double clearMs = std::numeric_limits<double>::max();
        std::vector<qint64> bestGaps;
        for (int run = 0; run < kLargeRuns; ++run) {
            const qint64 clearNs = benchClock.nsecsElapsed();
            Desk::clear(report);
            if (run > 0) clearMs = std::min(clearMs, msSince(clearNs));
            const double ms = Desk::beginToEnd(report, &turns);
            if (ms < best) best = ms, bestGaps = turns.gapsNs;
            gap = std::min(gap, turns.longestMs());
            // Exactly one line per set, the first and last as the viewer shows them, nothing said.
            const QTextDocument* document = text->document();
            const bool right = document->blockCount() == sets + 1 && document->lastBlock().text().isEmpty() &&
                               document->firstBlock().text() == firstShown &&
                               document->findBlockByNumber(sets - 1).text() == lastShown;
            if (!right)
                wrong(QStringLiteral("output viewer, %1 sets: the text area holds %2 lines")
                          .arg(sets)
                          .arg(document->blockCount() - 1));
            desk.checkNoMessage("mnuViewOutput");
        }
        const double engine = viewerEngineMs(desk);
        const double per100k = best / (sets / 100'000.0);
        if (firstPer100k == 0) firstPer100k = per100k;
        // How the turns grow as the text area fills: the mean turn over the
        // first and over the last tenth of the run's turns.
        double firstTenth = 0, lastTenth = 0;
        const std::size_t tenth = std::max<std::size_t>(1, bestGaps.size() / 10);
        if (bestGaps.size() >= tenth) {
            for (std::size_t i = 0; i < tenth; ++i)
                firstTenth += bestGaps[i], lastTenth += bestGaps[bestGaps.size() - 1 - i];
            firstTenth /= tenth * 1e6, lastTenth /= tenth * 1e6;
        }
        std::printf("%9d sets %8.0f ms = %6.1f ms per 100,000 sets (x%.2f of the 250,000's), job alone %6.0f ms; "
                    "%4zu turns, mean turn first/last tenth %5.1f/%5.1f ms, longest wait %6.1f ms   (target < %.0f "
                    "ms)%s\n",
                    sets, best, per100k, per100k / firstPer100k, engine, bestGaps.size(), firstTenth, lastTenth, gap,
                    kResponseTargetMs, overTarget(gap, kResponseTargetMs));

        // What a full text area then costs the user: Clear, and Done closing the window.
        const qint64 clearNs = benchClock.nsecsElapsed();
        Desk::clear(report);
        clearMs = std::min(clearMs, msSince(clearNs));
        Desk::beginToEnd(report);
        const qint64 doneNs = benchClock.nsecsElapsed();
        desk.close(report);
        const double doneMs = msSince(doneNs);
        std::printf("%9d sets shown: Clear %6.1f ms, Done (closing the window) %6.1f ms   (target < %.0f ms)%s\n", sets,
                    clearMs, doneMs, kResponseTargetMs, overTarget(std::max(clearMs, doneMs), kResponseTargetMs));
    }
}

// The offscreen platform's notes on window calls it does without (raise(),
// size hints), said at every opening of the window: left out of the figures.
QtMessageHandler qtHandler = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (qtHandler)
        qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qtHandler = qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    benchClock.start();
    std::printf("report window (frmAnalysis) from the main window's menus, offscreen: report runs Begin to end, the "
                "event loop's longest wait during a run, Stop, the output viewer per 100,000 sets\n");

    Desk desk;
    QFile::remove(QString::fromStdString(desk.shared.historyPath));
    if (!QFile::copy(QStringLiteral(ORVANE_SAMPLE_HISTORY), QString::fromStdString(desk.shared.historyPath))) {
        std::printf("the sample history %s could not be copied\n", ORVANE_SAMPLE_HISTORY);
        return 1;
    }
    processEventsFor(50); // the main window's first paints are no run's
    sampleHistory(desk);
    largeHistory(desk);
    outputViewer(desk);
    return anyWrong ? 1 : 0;
}
