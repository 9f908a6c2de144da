// The report window's jobs, engine only: every history report over the sample
// history and over a 60,000-draw history, in one go and in the window's 15 ms
// steps (the longest step bounds how late Stop answers), and the output viewer
// over wheel output files of growing length up to its capacity. Each figure is
// the fastest of several runs, so a busy machine inflates it as little as it
// can. Every run's text and counting table are checked against the draws and
// sets the files were written from; a wrong result exits with 1.
#include "BenchFiles.h"
#include "reports/OutputViewer.h"
#include "reports/ReportJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace orvane;
using namespace bench;

namespace {

using Draw = std::array<int, 6>;

constexpr auto kStepBudget = std::chrono::milliseconds(15);
constexpr std::size_t kStepBytes = 256 * 1024;
constexpr int kSampleRuns = 15;
constexpr int kLargeRuns = 5;
constexpr std::size_t kLargeDraws = 60'000;

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Six different numbers 1 to 49, ascending.
Draw randomSet(std::mt19937& random) {
    std::array<int, 49> pool;
    std::iota(pool.begin(), pool.end(), 1);
    for (int i = 0; i < 6; ++i) {
        std::uniform_int_distribution<int> pick(i, 48);
        std::swap(pool[i], pool[pick(random)]);
    }
    Draw set;
    std::copy_n(pool.begin(), 6, set.begin());
    std::sort(set.begin(), set.end());
    return set;
}

// A history of weekly draws from 1 January 1999, dates as MMDDYY: "010199  03 11 24 30 41 49".
std::string historyText(const std::vector<Draw>& draws) {
    using namespace std::chrono;
    std::string text;
    text.reserve(draws.size() * 27);
    sys_days day = sys_days(year(1999) / January / 1);
    char line[40];
    for (const Draw& d : draws) {
        const year_month_day date(day);
        std::snprintf(line, sizeof line, "%02u%02u%02d  %02d %02d %02d %02d %02d %02d\r\n",
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                      static_cast<int>(date.year()) % 100, d[0], d[1], d[2], d[3], d[4], d[5]);
        text += line;
        day += days(7);
    }
    return text;
}

// The counting table a report should give over the draws, value to count,
// counted here draw by draw; empty for the reports without a table.
std::map<int, std::uint64_t> expectedTable(ReportKind kind, const std::vector<Draw>& draws) {
    std::map<int, std::uint64_t> counts;
    switch (kind) {
    case ReportKind::NumberCount:
        for (int n = 1; n <= 49; ++n) counts[n] = 0;
        for (const Draw& d : draws)
            for (int n : d) ++counts[n];
        break;
    case ReportKind::SpanOfSet:
        for (int s = 5; s <= 48; ++s) counts[s] = 0;
        for (const Draw& d : draws) ++counts[d[5] - d[0]];
        break;
    case ReportKind::SumHits:
        for (int s = 21; s <= 279; ++s) counts[s] = 0;
        for (const Draw& d : draws) ++counts[std::accumulate(d.begin(), d.end(), 0)];
        break;
    case ReportKind::EvensSignature:
        for (int e = 0; e <= 6; ++e) counts[e] = 0;
        for (const Draw& d : draws)
            ++counts[static_cast<int>(std::count_if(d.begin(), d.end(), [](int n) { return n % 2 == 0; }))];
        break;
    case ReportKind::SkipHit:
        // The draws since the number's latest one; all of them when it never came.
        for (int n = 1; n <= 49; ++n) {
            std::uint64_t since = 0;
            for (auto d = draws.rbegin(); d != draws.rend() && std::find(d->begin(), d->end(), n) == d->end(); ++d)
                ++since;
            counts[n] = since;
        }
        break;
    default: break;
    }
    return counts;
}

// What a finished job must have given: no problem, the table counted from the
// draws, the history viewer the file's own text, one line per draw for the
// reports that list the draws.
void checkReport(const ReportJob& job, const std::string& text, const std::vector<Draw>& draws,
                 const std::string& historyFile, const std::string& where) {
    const std::string name = reportCaption(job.kind()) + " over " + where;
    if (job.problem()) fail(name + " stopped: " + job.problem()->text);
    if (text.empty()) fail(name + " gave no text");
    const std::map<int, std::uint64_t> expected = expectedTable(job.kind(), draws);
    if (expected.empty() != !job.table()) fail(name + " gave a table where none was due, or none where one was");
    if (job.table()) {
        std::map<int, std::uint64_t> got;
        for (const ValueCount& row : job.table()->rows) got[row.value] = row.count;
        if (got != expected || job.table()->draws != draws.size()) fail(name + " counted its table wrong");
    }
    switch (job.kind()) {
    case ReportKind::HistoryViewer:
        if (text != historyFile) fail(name + " does not show the history file as it is");
        break;
    case ReportKind::Midpoint:
    case ReportKind::SumOfSets:
    case ReportKind::EvensSignature:
        if (lineCount(text) != draws.size()) fail(name + " does not give one line per draw");
        break;
    default: break;
    }
}

struct Stepped {
    std::string text;
    double longestMs = 0;
    double totalMs = 0;
};

// The job stepped as the window steps it, 15 ms and 256 KiB at a time, to its
// end; the text rebuilt as the text area would hold it. Every piece must end at
// a line end and stay within the bytes asked for unless it is a single line.
Stepped stepToEnd(ReportJob& job) {
    Stepped result;
    const auto start = Clock::now();
    std::uint64_t idleSteps = 0;
    while (!job.ended()) {
        const auto before = Clock::now();
        ReportPiece piece = job.step(kStepBudget, kStepBytes);
        result.longestMs = std::max(result.longestMs, msSince(before));
        if (piece.text.empty()) {
            if (++idleSteps > 100'000) fail(reportCaption(job.kind()) + " keeps stepping without text or end");
            continue;
        }
        idleSteps = 0;
        if (piece.text.back() != '\n') fail(reportCaption(job.kind()) + " handed over a piece cut inside a line");
        if (piece.text.size() > kStepBytes && piece.text.find('\n') != piece.text.size() - 1)
            fail(reportCaption(job.kind()) + " handed over a piece of several lines beyond the bytes asked for");
        if (piece.replaces) result.text.clear();
        result.text += piece.text;
    }
    result.totalMs = msSince(start);
    return result;
}

std::vector<ReportKind> historyReports() {
    std::vector<ReportKind> kinds = everyReport();
    std::erase(kinds, ReportKind::OutputViewer);
    return kinds;
}

// A wheel output file of `sets` plain lines ("1 2 3 4 5 6"), and the text the
// viewer should show for it ("01 02 03 04 05 06").
void writeOutputFile(const std::string& path, std::size_t sets, std::string& shown) {
    std::mt19937 random(4949);
    std::string text;
    text.reserve(sets * 20);
    shown.clear();
    shown.reserve(sets * 19);
    char line[40];
    for (std::size_t i = 0; i < sets; ++i) {
        const Draw s = randomSet(random);
        std::snprintf(line, sizeof line, "%d %d %d %d %d %d\r\n", s[0], s[1], s[2], s[3], s[4], s[5]);
        text += line;
        std::snprintf(line, sizeof line, "%02d %02d %02d %02d %02d %02d\r\n", s[0], s[1], s[2], s[3], s[4], s[5]);
        shown += line;
    }
    writeFile(path, text);
}

} // namespace

int main() {
    makeScratch("report-bench");

    std::printf("Report jobs, engine only, fastest of %d runs (sample) or %d (large), in ms; targets: sample < 10, "
                "60,000 draws < 500, longest %lld ms step < 50\n",
                kSampleRuns, kLargeRuns, static_cast<long long>(kStepBudget.count()));
    bool missed = false;
    const auto flag = [&missed](double ms, double limit) {
        if (ms < limit) return "";
        missed = true;
        return "  OVER TARGET";
    };

    // The sample history.
    const std::string samplePath = ORVANE_SAMPLE_HISTORY;
    const std::string sampleFile = fileText(samplePath);
    const std::vector<Draw> sampleDraws = plainDrawsOf(sampleFile);
    std::map<ReportKind, double> sampleMs;
    for (ReportKind kind : historyReports()) {
        double best = 1e9;
        for (int run = 0; run < kSampleRuns; ++run) {
            const auto start = Clock::now();
            ReportJob job(kind, ReportSources{samplePath, ""});
            const std::string text = job.runToEnd();
            best = std::min(best, msSince(start));
            checkReport(job, text, sampleDraws, sampleFile, "the sample history");
        }
        sampleMs[kind] = best;
        std::printf("sample history (%zu draws) %-28s %8.3f ms%s\n", sampleDraws.size(), reportCaption(kind).c_str(),
                    best, flag(best, 10));
    }

    // 60,000 draws.
    std::mt19937 random(649);
    std::vector<Draw> largeDraws(kLargeDraws);
    for (Draw& d : largeDraws) d = randomSet(random);
    const std::string largeFile = historyText(largeDraws);
    const std::string largePath = (scratch / "LARGE.HIT").string();
    writeFile(largePath, largeFile);
    const double drawRatio = static_cast<double>(kLargeDraws) / static_cast<double>(sampleDraws.size());
    for (ReportKind kind : historyReports()) {
        double whole = 1e9, longest = 1e9, stepped = 1e9;
        for (int run = 0; run < kLargeRuns; ++run) {
            const auto start = Clock::now();
            ReportJob job(kind, ReportSources{largePath, ""});
            const std::string text = job.runToEnd();
            whole = std::min(whole, msSince(start));
            checkReport(job, text, largeDraws, largeFile, "60,000 draws");

            ReportJob steppedJob(kind, ReportSources{largePath, ""});
            const Stepped steps = stepToEnd(steppedJob);
            longest = std::min(longest, steps.longestMs);
            stepped = std::min(stepped, steps.totalMs);
            checkReport(steppedJob, steps.text, largeDraws, largeFile, "60,000 draws, stepped");
            if (steps.text != text) fail(reportCaption(kind) + " stepped does not give the text it gives in one go");
        }
        std::printf("%zu draws %-28s %8.2f ms%s (x%.1f the sample's; draws x%.1f), stepped %.2f ms, longest step "
                    "%.2f ms%s\n",
                    kLargeDraws, reportCaption(kind).c_str(), whole, flag(whole, 500), whole / sampleMs[kind],
                    drawRatio, stepped, longest, flag(longest, 50));
    }

    // The output viewer, up to its capacity and one set beyond it.
    for (std::size_t sets :
         {std::size_t{250'000}, std::size_t{500'000}, std::size_t{1'000'000}, std::size_t{1'000'001}}) {
        const std::string path = (scratch / ("Wheeled-" + std::to_string(sets) + ".TB")).string();
        std::string shown;
        writeOutputFile(path, sets, shown);
        const bool beyond = sets > OutputViewer::kCapacity;
        if (beyond) shown.resize(shown.size() - shown.size() / sets); // every line is as long: the last one goes
        const std::size_t expectedLines = std::min<std::size_t>(sets, OutputViewer::kCapacity);
        double best = 1e9, longest = 1e9;
        std::string notice;
        for (int run = 0; run < kLargeRuns; ++run) {
            ReportJob job(ReportKind::OutputViewer, ReportSources{"", path});
            const Stepped steps = stepToEnd(job);
            best = std::min(best, steps.totalMs);
            longest = std::min(longest, steps.longestMs);
            const std::string name = "the output viewer over " + std::to_string(sets) + " sets";
            if (lineCount(steps.text) != expectedLines)
                fail(name + " shows " + std::to_string(lineCount(steps.text)) + " lines");
            if (steps.text != shown) fail(name + " does not show the file's sets");
            if (beyond != job.problem().has_value())
                fail(name +
                     (beyond ? " does not say it stopped at its capacity" : " gave a notice: " + job.problem()->text));
            if (job.problem()) notice = job.problem()->text;
        }
        std::filesystem::remove(path);
        if (beyond) {
            std::printf("output viewer, %zu sets: shows %zu, notice \"%s\"\n", sets, expectedLines, notice.c_str());
            continue;
        }
        std::printf("output viewer %9zu sets %10.1f ms (%.1f ms per 100,000 sets), longest step %.2f ms%s, no notice\n",
                    sets, best, best * 100'000 / static_cast<double>(sets), longest, flag(longest, 50));
    }

    removeScratch();
    if (missed) std::printf("some figures are over their targets\n");
    return 0;
}
