// Kills a writer of each kind of file with SIGKILL at random moments and checks
// what it left: a replaced file must hold one whole version, old or new; the
// history, after appends, whole records only. The delays come from a seeded
// generator, so every run waits the same times.

#include "FolderWatch.h"
#include "ScratchFolder.h"
#include "WriterProcess.h"
#include "WrittenVersions.h"

#include "accessories/ManualFile.h"
#include "cli/CommandLine.h"
#include "core/AtomicFile.h"
#include "history/DrawImport.h"
#include "history/HistoryFile.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 200;
// The longest wait between a temporary's appearance and an aimed kill.
constexpr int kMaxAimMicros = 500;
// How long a writer may take to start on its file: a guard against a writer
// that never writes, not a wait the test relies on.
constexpr int kFirstWriteTimeoutMs = 20000;

// The random wait after the writer starts writing and before the kill.
class KillDelays {
public:
    KillDelays(unsigned seed, int maxMicros) : random_(seed), micros_(0, maxMicros) {}
    std::chrono::microseconds next() { return std::chrono::microseconds(micros_(random_)); }

private:
    std::mt19937 random_;
    std::uniform_int_distribution<int> micros_;
};

// Where a held file first departs from a version, for the failure message.
std::string departure(const std::string& held, const std::string& version) {
    const auto [at, unused] = std::mismatch(held.begin(), held.end(), version.begin(), version.end());
    return "first differs at byte " + std::to_string(at - held.begin()) + " of " + std::to_string(version.size());
}

// A file that is replaced whole: the versions it may hold, the writer that
// replaces it, and a write run here after a kill that left a temporary behind.
struct ReplacedFile {
    std::string kind;
    std::string fileName;
    std::vector<std::string> versions; // the first is the file before the writer starts
    bool writerEnds = false;           // the writer may finish before the kill
    int maxDelayMicros = 0;
    std::function<std::vector<std::string>(const std::string& file)> writerArgs;
    std::function<std::string(const std::string& file)> writeAgain; // returns a problem, or empty
    std::size_t versionWrittenAgain = 1;
};

// What the kills of one kind found.
struct Tally {
    int kills = 0;
    int finishedFirst = 0;
    int temporaryLeft = 0;    // the kill landed between the temporary's creation and the rename
    int temporaryPartial = 0; // ... inside the writing of its bytes
    int aimedKills = 0;
    int aimedTemporaryLeft = 0;
    std::vector<int> held; // rounds that left each version
};

void killAtRandom(const ReplacedFile& file, unsigned seed) {
    ScratchFolder scratch;
    KillDelays delays(seed, file.maxDelayMicros);
    KillDelays aims(seed + 1000, kMaxAimMicros);
    Tally tally;
    tally.held.assign(file.versions.size(), 0);
    for (int round = 0; round < kRounds; ++round) {
        const fs::path folder = scratch.path() / ("round-" + std::to_string(round));
        const std::string path = scratch.write((folder.filename() / file.fileName).string(), file.versions.front());
        // Even rounds kill at a random time after the writer starts; odd rounds
        // aim at a replace, counting the time from its temporary's appearance,
        // one in five of them at once (a small file is written in microseconds).
        const bool aimed = round % 2 == 1;
        const auto delay = aimed ? (round % 10 == 1 ? std::chrono::microseconds(0) : aims.next()) : delays.next();
        const std::string where = file.kind + ", round " + std::to_string(round) + " (seed " + std::to_string(seed) +
                                  "), killed " + std::to_string(delay.count()) + " us after " +
                                  (aimed ? "a temporary appeared" : "the writer started");

        FolderWatch creations(folder.string());
        WriterProcess writer(file.writerArgs(path));
        ASSERT_TRUE(writer.waitUntilWriting()) << where << ": the writer ended before writing";
        if (aimed) {
            ASSERT_TRUE(creations.waitForFileOtherThan(file.fileName, kFirstWriteTimeoutMs))
                << where << ": no temporary appeared";
        }
        if (delay.count() > 0) std::this_thread::sleep_for(delay);
        const std::string ended = writer.killAndReap();
        if (ended == kFinished && file.writerEnds)
            ++tally.finishedFirst;
        else
            ASSERT_EQ(ended, kKilled) << where;
        ++tally.kills;
        if (aimed) ++tally.aimedKills;

        bool exists = false;
        const std::string held = bytesOf(path, &exists);
        ASSERT_TRUE(exists) << where << ": the file is gone";
        const auto version = std::find(file.versions.begin(), file.versions.end(), held);
        ASSERT_TRUE(version != file.versions.end())
            << where << ": the file holds " << held.size()
            << " bytes that are no whole version; against the old one it " << departure(held, file.versions.front())
            << ", against the last " << departure(held, file.versions.back());
        ++tally.held[static_cast<std::size_t>(version - file.versions.begin())];

        const std::vector<fs::path> left = filesBeside(folder, file.fileName);
        if (!left.empty()) {
            ++tally.temporaryLeft;
            if (aimed) ++tally.aimedTemporaryLeft;
            const auto size = fs::file_size(left.front());
            if (std::none_of(file.versions.begin(), file.versions.end(),
                             [size](const std::string& v) { return v.size() == size; }))
                ++tally.temporaryPartial;
            // The temporary a killed write left behind must not stop the next one.
            ASSERT_EQ(file.writeAgain(path), "") << where << ": the write after the kill failed";
            ASSERT_TRUE(bytesOf(path) == file.versions[file.versionWrittenAgain])
                << where << ": the write after the kill";
        }
        fs::remove_all(folder);
    }

    std::printf("%s: %d kills (seed %u; %d at 0 to %d us after the start, %d at 0 to %d us after a temporary "
                "appeared); %d landed inside a replace (a temporary was left; %d of them aimed), %d of them while "
                "its bytes were being written; %d runs ended before the kill; versions held:",
                file.kind.c_str(), tally.kills, seed, tally.kills - tally.aimedKills, file.maxDelayMicros,
                tally.aimedKills, kMaxAimMicros, tally.temporaryLeft, tally.aimedTemporaryLeft, tally.temporaryPartial,
                tally.finishedFirst);
    for (int count : tally.held) std::printf(" %d", count);
    std::printf("\n");
    EXPECT_GT(tally.temporaryLeft, 0) << file.kind << ": no kill landed inside a replace; the test proves nothing";
}

std::string writerPath() { return ORVANE_CRASH_WRITER; }

std::string sampleHistory() { return bytesOf(ORVANE_SAMPLE_HISTORY); }

// Runs the command line here, its output discarded.
int runQuietly(const std::vector<std::string>& args) {
    std::FILE* discarded = std::fopen("/dev/null", "w");
    const int status = orvane::runCommandLine(args, discarded, stderr, orvane::dataPathsIn("."));
    std::fclose(discarded);
    return status;
}

TEST(CrashSafety, SettingsFileIsOldOrNew) {
    ReplacedFile file;
    file.kind = "settings file";
    file.fileName = "VNTB.INI";
    file.versions = {orvane::settingsText(crash::settingsVersion(0)), orvane::settingsText(crash::settingsVersion(1))};
    file.maxDelayMicros = 4000;
    file.writerArgs = [](const std::string& path) { return std::vector<std::string>{writerPath(), "settings", path}; };
    file.writeAgain = [](const std::string& path) { return orvane::saveSettingsFile(path, crash::settingsVersion(1)); };
    killAtRandom(file, 1);
}

TEST(CrashSafety, ManualIsOldOrNew) {
    ScratchFolder shared;
    ReplacedFile file;
    file.kind = "manual";
    file.fileName = "Manual.TXT";
    file.versions = {orvane::manualFileText(crash::manualVersion(0)), orvane::manualFileText(crash::manualVersion(1))};
    const std::string texts[2] = {shared.write("saved-0", file.versions[0]), shared.write("saved-1", file.versions[1])};
    file.maxDelayMicros = 4000;
    file.writerArgs = [&texts](const std::string& path) {
        return std::vector<std::string>{writerPath(), "manual", path, texts[0], texts[1]};
    };
    file.writeAgain = [&file](const std::string& path) {
        return orvane::writeFileAtomically(path, file.versions[1]).value_or("");
    };
    killAtRandom(file, 2);
}

TEST(CrashSafety, PoolFileIsOldOrNew) {
    ScratchFolder shared;
    const std::string history = shared.write("FL6-49.HIT", sampleHistory());
    ReplacedFile file;
    file.kind = "pool file";
    file.fileName = "Pool.GR";
    for (int which : {0, 1}) {
        const std::string saved = (shared.path() / ("version-" + std::to_string(which))).string();
        ASSERT_EQ(runQuietly(crash::poolArguments(which, history, saved)), orvane::kExitSuccess);
        file.versions.push_back(bytesOf(saved));
    }
    ASSERT_NE(file.versions[0], file.versions[1]);
    file.maxDelayMicros = 4000;
    file.writerArgs = [&history](const std::string& path) {
        return std::vector<std::string>{writerPath(), "pool", path, history};
    };
    file.writeAgain = [&history](const std::string& path) {
        return runQuietly(crash::poolArguments(1, history, path)) == orvane::kExitSuccess ? "" : "pool --save failed";
    };
    killAtRandom(file, 3);
}

TEST(CrashSafety, ImportedHistoryIsOneWholeStage) {
    // Each import of the sequence rewrites the whole history; after a kill it
    // must hold the history as one of the imports left it.
    constexpr int kHistoryDraws = 1500;
    constexpr int kImports = 5;
    constexpr int kDrawsPerImport = 150;
    ScratchFolder shared;
    ReplacedFile file;
    file.kind = "imported history";
    file.fileName = "FL6-49.HIT";
    file.writerEnds = true;
    file.versions.push_back(crash::historyEveryOtherDay(kHistoryDraws));
    const std::string stages = shared.write("stages.HIT", file.versions.front());
    std::vector<std::string> sources;
    for (int i = 0; i < kImports; ++i) {
        sources.push_back(shared.write("draws-" + std::to_string(i) + ".csv",
                                       crash::importFileOfSkippedDays(i * kDrawsPerImport, kDrawsPerImport)));
        ASSERT_TRUE(orvane::importDraws(sources.back(), stages).ok());
        file.versions.push_back(bytesOf(stages));
    }
    const std::string everyDraw =
        shared.write("every-draw.csv", crash::importFileOfSkippedDays(0, kImports * kDrawsPerImport));
    file.maxDelayMicros = 10000;
    file.writerArgs = [&sources](const std::string& path) {
        std::vector<std::string> args{writerPath(), "import", path};
        args.insert(args.end(), sources.begin(), sources.end());
        return args;
    };
    file.writeAgain = [&everyDraw](const std::string& path) { return orvane::importDraws(everyDraw, path).error; };
    file.versionWrittenAgain = kImports;
    killAtRandom(file, 4);
}

// The history a killed run of `orvane record` left must hold `before`
// unchanged, then whole records only, draw 0, 1, 2, ... in order: the count of
// records appended, or what is wrong.
struct AppendCheck {
    int appended = 0;
    std::string fault;
};

AppendCheck checkAppended(const std::string& held, const std::string& before) {
    AppendCheck check;
    if (held.size() < before.size() || held.compare(0, before.size(), before) != 0) {
        check.fault = "the lines before the appends changed: " + departure(held, before);
        return check;
    }
    std::string_view added(held);
    added.remove_prefix(before.size());
    // A record after a last line without its line end brings that line end with it.
    const bool owed = !before.empty() && before.back() != '\n';
    if (owed && !added.empty()) {
        if (added.substr(0, 2) != "\r\n") {
            check.fault = "the first record does not start a line of its own";
            return check;
        }
        added.remove_prefix(2);
        if (added.empty()) {
            check.fault = "the last line got its line end without a record after it";
            return check;
        }
    }
    while (!added.empty()) {
        const std::string expected = crash::recordedLine(check.appended) + "\r\n";
        if (added.substr(0, expected.size()) != expected) {
            check.fault = "appended record " + std::to_string(check.appended) + " is not whole: \"" +
                          std::string(added.substr(0, expected.size())) + "\"";
            return check;
        }
        added.remove_prefix(expected.size());
        ++check.appended;
    }
    return check;
}

TEST(CrashSafety, HistoryAppendLeavesWholeRecords) {
    constexpr unsigned kSeed = 5;
    constexpr int kMaxDelayMicros = 4000;
    constexpr const char* kHistory = "FL6-49.HIT";
    ScratchFolder scratch;
    KillDelays delays(kSeed, kMaxDelayMicros);
    const std::string ended = sampleHistory();
    ASSERT_TRUE(ended.size() > 2 && ended.compare(ended.size() - 2, 2, "\r\n") == 0);
    // Every other round the history's last line lacks its line end.
    const std::string unended = ended.substr(0, ended.size() - 2);
    int roundsAppended = 0;
    int unendedAppended = 0;
    int insideWrite = 0; // a temporary was left: the kill landed inside a record's write
    long recordsAppended = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string& before = round % 2 == 0 ? ended : unended;
        const fs::path folder = scratch.path() / ("round-" + std::to_string(round));
        const std::string path = scratch.write((folder.filename() / kHistory).string(), before);
        const auto delay = delays.next();
        const std::string where = "history append, round " + std::to_string(round) + " (seed " + std::to_string(kSeed) +
                                  "), killed " + std::to_string(delay.count()) + " us after the first record";

        // The delay counts from the first record, however long the writer takes to start.
        FolderWatch changes(folder.string());
        WriterProcess writer({writerPath(), "record", path});
        ASSERT_TRUE(writer.waitUntilWriting()) << where << ": the writer ended before writing";
        ASSERT_TRUE(changes.waitForChangeOf(kHistory, kFirstWriteTimeoutMs)) << where << ": nothing was recorded";
        std::this_thread::sleep_for(delay);
        ASSERT_EQ(writer.killAndReap(), kKilled) << where;

        const std::string held = bytesOf(path);
        const AppendCheck check = checkAppended(held, before);
        ASSERT_EQ(check.fault, "") << where;
        const orvane::HistoryRead read = orvane::readHistoryRecords(path);
        ASSERT_TRUE(read.ok()) << where << ": " << read.error;
        if (check.appended > 0) {
            ++roundsAppended;
            if (&before == &unended) ++unendedAppended;
        }
        recordsAppended += check.appended;
        if (!filesBeside(folder, kHistory).empty()) ++insideWrite;
        fs::remove_all(folder);
    }
    std::printf("history append: %d kills (seed %u, 0 to %d us after the first record); %d landed inside a "
                "record's write (a temporary was left); %d left records (%ld in all), %d of them after a last line "
                "without its line end\n",
                kRounds, kSeed, kMaxDelayMicros, insideWrite, roundsAppended, recordsAppended, unendedAppended);
    EXPECT_GT(roundsAppended, 0);
}

} // namespace
