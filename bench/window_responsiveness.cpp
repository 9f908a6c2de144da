// Measures the main window on the offscreen platform: during a full 49-number
// wheel into a file, how often the results frame repaints and how long "Stop
// Wheel" takes to end the run; during a printed run of 230,230 sets (the
// numbers 1 to 26), the longest wait between two repaints and the run's time,
// on the fake printer and on the real print document writing a PDF.
#include "app/MainWindow.h"
#include "platform/QtPlatform.h"
#include "support/FakePlatform.h"
#include "tally/WinCheckerWindow.h"
#include "tally/WinTally.h"
#include "wheel/WheelJob.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace orvane;

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void waitFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QElapsedTimer benchClock;

// The moments of every repaint of one widget.
class PaintTimes : public QObject {
public:
    std::vector<qint64> times;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) times.push_back(benchClock.nsecsElapsed());
        return QObject::eventFilter(watched, event);
    }
};

// A print document that notes when each line was printed, when the document
// was ended and how long that took.
struct DocumentEnd {
    std::vector<qint64> lineNs;
    qint64 startNs = -1, endNs = -1;
};
class TimedDocument : public PrintDocument {
public:
    TimedDocument(std::unique_ptr<PrintDocument> document, DocumentEnd& end)
        : document_(std::move(document)), end_(end) {}
    void printLine(const QString& line) override {
        document_->printLine(line);
        end_.lineNs.push_back(benchClock.nsecsElapsed());
    }
    void printImage(const QImage& image) override { document_->printImage(image); }
    void end() override {
        end_.startNs = benchClock.nsecsElapsed();
        document_->end();
        end_.endNs = benchClock.nsecsElapsed();
    }

private:
    std::unique_ptr<PrintDocument> document_;
    DocumentEnd& end_;
};

// The real desktop, except that its messages are noted and answered Yes (or
// OK) instead of waiting on a modal box.
class PdfPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    QStringList messages;
    DocumentEnd documentEnd;
    Reply message(const QString& text, const QString&, NoticeIcon, Buttons buttons) override {
        messages << text;
        return buttons == Buttons::Ok ? Reply::Ok : Reply::Yes;
    }
    std::unique_ptr<PrintDocument> beginPrint(const PrintRequest& request) override {
        return std::make_unique<TimedDocument>(QtPlatform::beginPrint(request), documentEnd);
    }
};

class TimedFakePlatform : public FakePlatform {
public:
    DocumentEnd documentEnd;
    std::unique_ptr<PrintDocument> beginPrint(const PrintRequest& request) override {
        return std::make_unique<TimedDocument>(FakePlatform::beginPrint(request), documentEnd);
    }
};

// Wheels the numbers 1 to 26 (230,230 sets, each passing the default filters)
// to the printer and prints how the window kept up.
void printedRun(const char* label, Platform& platform, const DocumentEnd& documentEnd, const QString& dataFolder) {
    SharedSettings shared(dataPathsIn(dataFolder.toStdString()));
    MainWindow window(platform, shared);
    window.show();
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstNumbers"));
    for (int i = 0; i < 26; ++i) list->item(i)->setSelected(true);
    window.findChild<QRadioButton*>(QStringLiteral("optnOutToPrinter"))->click();
    PaintTimes paints;
    window.findChild<QWidget*>(QStringLiteral("txtGenerated"))->installEventFilter(&paints);
    waitFor(50); // the window's first paints are not the run's

    paints.times.clear();
    qint64 endedNs = -1, idleNs = -1;
    QEventLoop loop;
    QObject::connect(&window, &MainWindow::wheelRunEnded, [&] {
        endedNs = benchClock.nsecsElapsed();
        // Idle again once the event loop turns after the run's end.
        QTimer::singleShot(0, &loop, [&] {
            idleNs = benchClock.nsecsElapsed();
            loop.quit();
        });
    });
    const qint64 startNs = benchClock.nsecsElapsed();
    QTimer::singleShot(0, [&] { window.findChild<QPushButton*>(QStringLiteral("cmdWheel"))->click(); });
    loop.exec();

    // Between two repaints: the whole wait, and the part of it spent printing
    // (from the first line printed to the last), which is the slice's work.
    double longestGap = 0, longestPrinting = 0;
    const std::vector<qint64>& lines = documentEnd.lineNs;
    for (std::size_t i = 1; i < paints.times.size(); ++i) {
        longestGap = std::max(longestGap, (paints.times[i] - paints.times[i - 1]) / 1e6);
        const auto first = std::lower_bound(lines.begin(), lines.end(), paints.times[i - 1]);
        const auto last = std::lower_bound(first, lines.end(), paints.times[i]);
        if (last - first > 1) longestPrinting = std::max(longestPrinting, (*(last - 1) - *first) / 1e6);
    }
    const double firstPaint = paints.times.empty() ? -1 : (paints.times.front() - startNs) / 1e6;
    std::printf("%s: %zu repaints of txtGenerated, longest gap between two %.1f ms, of which printing at most "
                "%.1f ms (click to the first repaint %.1f ms)\n",
                label, paints.times.size(), longestGap, longestPrinting, firstPaint);
    std::printf("%s: run %.0f ms from click to run ended; closing the document %.1f ms; "
                "from the document's end to the window idle %.1f ms\n",
                label, (endedNs - startNs) / 1e6, (documentEnd.endNs - documentEnd.startNs) / 1e6,
                (idleNs - documentEnd.startNs) / 1e6);
}
} // namespace

// The settings timer's tick that saves the 387 lines, and the one that
// restores them through the controls: the fastest of 20 each, and the slowest.
bool timeSettings(MainWindow& window, SharedSettings& shared, const QString& folder) {
    shared.settingsPath = (folder + QStringLiteral("/VNTB.INI")).toStdString();
    auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer3"));
    const auto tickMs = [timer] {
        QElapsedTimer clock;
        clock.start();
        QMetaObject::invokeMethod(timer, "timeout");
        return clock.nsecsElapsed() / 1e6;
    };
    double save[2] = {1e9, 0}, restore[2] = {1e9, 0};
    for (int round = 0; round < 20; ++round) {
        shared.saveRequest = true;
        const double saved = tickMs();
        shared.restoreRequest = true;
        const double restored = tickMs();
        save[0] = std::min(save[0], saved), save[1] = std::max(save[1], saved);
        restore[0] = std::min(restore[0], restored), restore[1] = std::max(restore[1], restored);
    }
    if (shared.saveRequest || shared.restoreRequest ||
        !QFileInfo::exists(QString::fromStdString(shared.settingsPath))) {
        std::printf("the settings timer did not serve the requests\n");
        return false;
    }
    std::printf("settings save: %.2f ms (slowest %.2f ms); restore: %.2f ms (slowest %.2f ms)\n", save[0], save[1],
                restore[0], restore[1]);
    return true;
}

// The win checker over the full 49-number wheel output (on /dev/shm where there
// is one): the check in the window from Check to its end, against the same
// check run to its end in one go as the command line runs it, in turns, the
// fastest of three each; and how often the set being checked repaints.
bool timeWinCheck() {
    const QString folder = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const std::string path = (folder + QStringLiteral("/orvane-win-check-bench.TB")).toStdString();
    {
        std::vector<int> pick(49);
        std::iota(pick.begin(), pick.end(), 1);
        Notice failure;
        WheelJob wheel(pick, SetPipeline{}, FileWheelOutput::open(path, DiskMode::Overwrite, false, failure));
        wheel.runToEnd();
        if (wheel.failure() || wheel.passing() != 13'983'816) {
            std::printf("the full wheel output could not be written to %s\n", path.c_str());
            return false;
        }
    }
    const std::uint64_t winning = *winningNumberMask({3, 11, 24, 30, 41, 49});
    FakePlatform platform;
    SharedSettings shared(dataPathsIn(folder.toStdString()));
    shared.wheelOutputPath = path;
    BusyState busy;
    double bestEngine = 1e9, bestWindow = 1e9, lowestRate = 1e9, longestGap = 0;
    bool right = true;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer clock;
        clock.start();
        WinTallyJob job(path, winning);
        job.runToEnd();
        bestEngine = std::min(bestEngine, clock.nsecsElapsed() / 1e9);

        auto* window = new WinCheckerWindow(platform, shared, busy);
        window->show();
        const char* const boxes[6] = {"txtPosA", "txtPosB", "txtPosC", "txtPosD", "txtPosE", "txtPosF"};
        const char* const numbers[6] = {"3", "11", "24", "30", "41", "49"};
        for (int k = 0; k < 6; ++k)
            window->findChild<QLineEdit*>(QLatin1String(boxes[k]))->setText(QLatin1String(numbers[k]));
        PaintTimes paints;
        window->findChild<QLabel*>(QStringLiteral("lblChecking"))->installEventFilter(&paints);
        waitFor(50); // the window's first paints are not the check's
        paints.times.clear();
        QEventLoop loop;
        QObject::connect(window, &WinCheckerWindow::checkEnded, &loop, &QEventLoop::quit);
        const qint64 startNs = benchClock.nsecsElapsed();
        QTimer::singleShot(0, window,
                           [window] { window->findChild<QPushButton*>(QStringLiteral("cmdCheck"))->click(); });
        loop.exec();
        const double seconds = (benchClock.nsecsElapsed() - startNs) / 1e9;
        bestWindow = std::min(bestWindow, seconds);
        lowestRate = std::min(lowestRate, paints.times.size() / seconds);
        for (std::size_t i = 1; i < paints.times.size(); ++i)
            longestGap = std::max(longestGap, (paints.times[i] - paints.times[i - 1]) / 1e6);
        right = right && window->findChild<QLineEdit*>(QStringLiteral("txt6of6"))->text() == QStringLiteral("1") &&
                platform.messages.isEmpty();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::remove(path.c_str());
    if (!right) {
        std::printf("the win check in the window went wrong\n");
        return false;
    }
    std::printf("win check of the full wheel output: window %.3f s, in one go %.3f s (ratio %.2f, limit 1.20); "
                "the set being checked repainted at least %.0f times a second, longest gap %.1f ms\n",
                bestWindow, bestEngine, bestWindow / bestEngine, lowestRate, longestGap);
    return true;
}

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The real platform's settings store goes to a folder of the benchmark's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchClock.start();
    QTemporaryDir folder;
    FakePlatform platform;
    SharedSettings shared(dataPathsIn(folder.path().toStdString()));
    MainWindow window(platform, shared);
    window.show();
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstNumbers"));
    for (int i = 0; i < 49; ++i) list->item(i)->setSelected(true);

    PaintCounter counter;
    // The generated count changes at every slice, so its box repaints with the frame.
    window.findChild<QWidget*>(QStringLiteral("txtGenerated"))->installEventFilter(&counter);

    // A full wheel into a file ends in well under a second, so the figures are
    // taken over its first 100 ms.
    bool ended = false;
    QObject::connect(&window, &MainWindow::wheelRunEnded, [&] { ended = true; });
    window.findChild<QPushButton*>(QStringLiteral("cmdWheel"))->click();
    QElapsedTimer clock;
    clock.start();
    waitFor(100);
    const double seconds = clock.elapsed() / 1000.0;
    const int paints = counter.paints;
    if (ended) {
        std::printf("the run ended before it could be stopped\n");
        return 1;
    }
    clock.restart();
    QTimer::singleShot(0, [&] { window.findChild<QPushButton*>(QStringLiteral("cmdStopWheeling"))->click(); });
    QEventLoop loop;
    QObject::connect(&window, &MainWindow::wheelRunEnded, &loop, &QEventLoop::quit);
    if (!ended) loop.exec();
    const qint64 stopMs = clock.elapsed();

    std::printf("results frame repaints (txtGenerated): %d in %.2f s (%.0f per second)\n", paints, seconds,
                paints / seconds);
    std::printf("Stop Wheel to run ended: %lld ms\n", static_cast<long long>(stopMs));
    if (!timeSettings(window, shared, folder.path())) return 1;
    if (!timeWinCheck()) return 1;

    {
        QTemporaryDir data;
        TimedFakePlatform fake;
        fake.replies << Platform::Reply::Yes; // print the 230,230 sets
        printedRun("printed run, fake printer", fake, fake.documentEnd, data.path());
        if (fake.printJobs.size() != 1 || fake.printJobs[0].lines.size() != 4 + 230'230) {
            std::printf("the fake printer did not receive the header and 230,230 sets\n");
            return 1;
        }
    }
    {
        QTemporaryDir data;
        PdfPlatform pdf(data.path());
        printedRun("printed run, PDF", pdf, pdf.documentEnd, data.path());
        const QFileInfoList written =
            QDir(data.filePath(QStringLiteral("Printouts"))).entryInfoList({QStringLiteral("*.pdf")});
        if (written.size() != 1) {
            std::printf("the PDF was not written\n");
            return 1;
        }
        std::printf("printed run, PDF: %.1f MB written\n", written[0].size() / 1e6);
    }
    return 0;
}
