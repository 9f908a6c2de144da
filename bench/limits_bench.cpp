// Drives one of the window-only readers over a file given on the command line,
// as the user would through the main window on the fake desktop, and prints
// the time it took, what the window showed and any message it gave. Run under
// /usr/bin/time -v by scripts/limits.sh, one reader per process, so that the
// peak memory reported is that reader's.
//
//   limits_bench settings FILE   Load Settings: the restore on the settings timer's tick
//   limits_bench picks FILE      Load Gathra's Picks from a pool file
//   limits_bench checker FILE    the win checker over a wheel output file
//   limits_bench viewer FILE     the report window's output viewer over a wheel output file
//   limits_bench backtest FILE SETTINGS
//                                the backtest window over a history, with the filters of a
//                                settings file restored first
//
// Exit status 1 when the reader did not end.
#include "app/MainWindow.h"
#include "backtest/BacktestWindow.h"
#include "history/HistoryFile.h"
#include "reports/ReportWindow.h"
#include "support/FakePlatform.h"
#include "tally/WinCheckerWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

using namespace orvane;

namespace {

// A run that has not ended after this long never will.
constexpr int kRunTimeoutMs = 600'000;

QElapsedTimer benchClock;

// The longest wait between two turns of the event loop: a zero-interval timer
// fires once a turn.
class LoopTurns : public QObject {
public:
    LoopTurns() {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, [this] {
            const qint64 now = benchClock.nsecsElapsed();
            longestNs_ = std::max(longestNs_, now - last_);
            last_ = now;
        });
    }
    void start() {
        last_ = benchClock.nsecsElapsed();
        timer_.start();
    }
    double longestMs() const { return static_cast<double>(longestNs_) / 1e6; }

private:
    QTimer timer_;
    qint64 last_ = 0;
    qint64 longestNs_ = 0;
};

struct Desk {
    QTemporaryDir folder;
    FakePlatform platform;
    SharedSettings shared;
    MainWindow window;

    Desk() : shared(dataPathsIn(folder.path().toStdString())), window(platform, shared) { window.show(); }

    template <typename T> T* find(QObject* parent, const char* name) {
        T* found = parent->findChild<T*>(QLatin1String(name));
        if (!found) qFatal("no control named %s", name);
        return found;
    }
    void tick(const char* timer) { QMetaObject::invokeMethod(find<QTimer>(&window, timer), "timeout"); }
    void printMessages() {
        for (const auto& message : platform.messages) {
            QString text = message.text;
            if (text.size() > 300) text = text.left(300) + QStringLiteral("... (%1 characters)").arg(text.size());
            std::printf("message \"%s\": %s\n", qPrintable(message.title), qPrintable(text));
        }
        if (platform.messages.isEmpty()) std::printf("no message\n");
    }
};

// Runs the event loop until `ended` fires, measuring the longest turn; the
// milliseconds from `start` to the end, negative when it did not end.
template <typename Sender, typename Signal, typename Start>
double untilSignal(Sender* sender, Signal ended, Start start, LoopTurns& turns) {
    bool done = false;
    QEventLoop loop;
    const auto connection = QObject::connect(sender, ended, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(kRunTimeoutMs, &loop, &QEventLoop::quit);
    turns.start();
    const qint64 startNs = benchClock.nsecsElapsed();
    start();
    if (!done) loop.exec();
    QObject::disconnect(connection);
    return done ? static_cast<double>(benchClock.nsecsElapsed() - startNs) / 1e6 : -1;
}

int settings(Desk& desk, const std::string& file) {
    desk.shared.settingsPath = file;
    desk.shared.restoreRequest = true;
    const qint64 startNs = benchClock.nsecsElapsed();
    desk.tick("Timer3");
    std::printf("settings restore: %.1f ms\n", static_cast<double>(benchClock.nsecsElapsed() - startNs) / 1e6);
    desk.printMessages();
    return 0;
}

int picks(Desk& desk, const std::string& file) {
    desk.shared.poolPath = file;
    desk.find<QAction>(&desk.window, "mnuLoadGRPool")->trigger();
    const qint64 startNs = benchClock.nsecsElapsed();
    desk.tick("Timer2");
    std::printf("load picks: %.1f ms, pool size %s\n", static_cast<double>(benchClock.nsecsElapsed() - startNs) / 1e6,
                qPrintable(desk.find<QLabel>(&desk.window, "lblPoolSize")->text()));
    desk.printMessages();
    return 0;
}

int checker(Desk& desk, const std::string& file) {
    desk.shared.wheelOutputPath = file;
    desk.find<QAction>(&desk.window, "mnuTallor")->trigger();
    auto* window = desk.find<WinCheckerWindow>(&desk.window, "frmVNTallorMain");
    const char* boxes[] = {"txtPosA", "txtPosB", "txtPosC", "txtPosD", "txtPosE", "txtPosF"};
    const char* winning[] = {"3", "11", "24", "30", "41", "49"};
    for (int k = 0; k < 6; ++k) desk.find<QLineEdit>(window, boxes[k])->setText(QLatin1String(winning[k]));
    LoopTurns turns;
    const double ms = untilSignal(
        window, &WinCheckerWindow::checkEnded, [&] { desk.find<QPushButton>(window, "cmdCheck")->click(); }, turns);
    if (ms < 0) return std::printf("win check: did not end\n"), 1;
    std::printf("win check: %.1f ms, longest event-loop turn %.1f ms, tallies", ms, turns.longestMs());
    for (const char* name : {"txt0of6", "txt1of6", "txt2of6", "txt3of6", "txt4of6", "txt5of6", "txt6of6"})
        std::printf(" %s", qPrintable(desk.find<QLineEdit>(window, name)->text()));
    std::printf("\n");
    desk.printMessages();
    return 0;
}

int viewer(Desk& desk, const std::string& file) {
    desk.shared.wheelOutputPath = file;
    desk.find<QAction>(&desk.window, "mnuViewOutput")->trigger();
    auto* report = desk.find<ReportWindow>(&desk.window, "frmAnalysis");
    LoopTurns turns;
    const double ms = untilSignal(
        report, &ReportWindow::runEnded, [&] { desk.find<QPushButton>(report, "cmdBegin")->click(); }, turns);
    if (ms < 0) return std::printf("output viewer: did not end\n"), 1;
    std::printf("output viewer: %.1f ms, longest event-loop turn %.1f ms, %d lines shown\n", ms, turns.longestMs(),
                desk.find<QPlainTextEdit>(report, "txtAnalysis")->document()->blockCount());
    desk.printMessages();
    return 0;
}

int backtest(Desk& desk, const std::string& history, const std::string& settingsFile) {
    desk.shared.settingsPath = settingsFile;
    desk.shared.restoreRequest = true;
    desk.tick("Timer3");
    desk.shared.historyPath = history;
    desk.find<QAction>(&desk.window, "mnuBacktest")->trigger();
    auto* window = desk.find<BacktestWindow>(&desk.window, "frmBacktest");
    LoopTurns turns;
    const double ms = untilSignal(
        window, &BacktestWindow::runEnded, [&] { desk.find<QPushButton>(window, "cmdBegin")->click(); }, turns);
    if (ms < 0) return std::printf("backtest: did not end\n"), 1;
    // The per-draw list fills a part per turn after the run: the turns are measured until it is whole.
    auto* draws = desk.find<QPlainTextEdit>(window, "txtDraws");
    const auto total = static_cast<int>(readHistoryRecords(history).draws.size());
    const qint64 fillStart = benchClock.nsecsElapsed();
    QEventLoop filling;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &filling, [&] {
        if (draws->document()->blockCount() >= total) filling.quit();
    });
    poll.start(1);
    QTimer::singleShot(kRunTimeoutMs, &filling, &QEventLoop::quit);
    filling.exec();
    std::printf("backtest: %.1f ms, then %.1f ms to list the draws; longest event-loop turn %.1f ms, %d of %d lines "
                "of draws\n",
                ms, static_cast<double>(benchClock.nsecsElapsed() - fillStart) / 1e6, turns.longestMs(),
                draws->document()->blockCount(), total);
    desk.printMessages();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: limits_bench settings|picks|checker|viewer FILE, or backtest FILE SETTINGS\n");
        return 2;
    }
    benchClock.start();
    Desk desk;
    const std::string reader = argv[1];
    const std::string file = argv[2];
    if (reader == "settings") return settings(desk, file);
    if (reader == "picks") return picks(desk, file);
    if (reader == "checker") return checker(desk, file);
    if (reader == "viewer") return viewer(desk, file);
    if (reader == "backtest" && argc == 4) return backtest(desk, file, argv[3]);
    std::fprintf(stderr, "unknown reader %s\n", argv[1]);
    return 2;
}
