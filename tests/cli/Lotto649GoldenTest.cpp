#include "cli/CommandLine.h"
#include "settings/SettingsFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace orvane;

namespace {

// Four 6/49 settings that put every filter family to work.
std::vector<SettingsFile> recordedSettings(const std::string& history) {
    std::vector<SettingsFile> all;
    SettingsFile a;
    a.historyPath = history;
    a.filters.minSum = "60";
    a.filters.maxSum = "120";
    a.filters.evensAllowed = {0, 1, 1, 1, 1, 1, 0};
    a.filters.enablePairs = 1;
    a.filters.allowTwoPairs = 0;
    a.filters.tens = {"3", "3", "2", "2", "6"};
    a.filters.lastDrawNumMax = "2";
    all.push_back(a);
    SettingsFile b;
    b.historyPath = history;
    b.filters.enablePosAnalysis = 1;
    b.filters.positionPreset = PositionPreset::Percent90;
    b.filters.filterAgainstHistory = 1;
    b.filters.maxFromHistory = "3";
    b.filters.maxDif = "15";
    b.filters.evensSignatures = 1;
    b.filters.enableRavelin = 1;
    all.push_back(b);
    SettingsFile c;
    c.historyPath = history;
    c.filters.enableKeyNumbers = 1;
    c.filters.keyRule = KeyRule::RequireAny;
    c.filters.keyNumbers = {"3", "11", "", "", ""};
    c.filters.enableLocks = 1;
    c.filters.lockedOut[0] = "1";
    c.filters.lockedIn[5] = "";
    c.filters.maxBelowMid = "4";
    c.filters.minAboveMid = "1";
    c.filters.ones = {"1", "2", "2", "2", "2", "2", "2", "2", "2", "2"};
    c.filters.rejectLast15Sums = 1;
    c.filters.enableSumPick = 1;
    for (std::size_t i = 0; i < c.filters.sumsAccepted.size(); ++i) c.filters.sumsAccepted[i] = i % 3 != 0;
    all.push_back(c);
    SettingsFile d;
    d.historyPath = history;
    d.filters.enableGroups = 1;
    d.filters.groups[0] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    d.filters.enableExactValues = 1;
    d.filters.exactValues[5] = {"18", "19", "20", "", "", "", "", "", "", ""};
    d.filters.lastDrawNumMaxPos = "1";
    d.filters.enablePairs = 1;
    d.filters.maxConsecutives = "1";
    d.filters.requirePair = 1;
    all.push_back(d);
    return all;
}

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
    return hash;
}

} // namespace

// The 6/49 wheel's output byte for byte: the digests and counts of these runs
// were taken from the build before the games of every matrix came in, and
// must never move.
TEST(Lotto649Outputs, MatchWhatTheyHaveAlwaysBeen) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.file("Varnel"));
    const std::string pick = "1,3,5,7,9,11,13,15,17,19,21,23,25,27,29,31,33,35,37,39,41,43,45,47,49,2,10,20,30,40";
    struct Recorded {
        std::uint64_t digest;
        const char* summary;
    };
    const Recorded recorded[] = {
        {0xbfde8bcd7b76c97eull, "Sets generated: 593775\nSets passing: 76451\n"},
        {0x37ecde94a855f52aull, "Sets generated: 279138\nSets passing: 103994\n"},
        {0x0766398b3dcbe812ull, "Sets generated: 593775\nSets passing: 61934\n"},
        {0xdd1696e2b903a98eull, "Sets generated: 593775\nSets passing: 111853\n"},
    };
    const std::vector<SettingsFile> settings = recordedSettings(ORVANE_SAMPLE_HISTORY);
    ASSERT_EQ(settings.size(), std::size(recorded));
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const std::string file = folder.file("s" + std::to_string(i) + ".INI");
        ASSERT_EQ(saveSettingsFile(file, settings[i]), "");
        const CliRun run = runCli({"wheel", "--pick", pick, "--settings", file, "--output", "-", "--numbered"}, paths);
        EXPECT_EQ(run.status, kExitSuccess) << run.err;
        EXPECT_EQ(run.err.rfind(recorded[i].summary, 0), 0u) << "settings " << i << ": " << run.err;
        EXPECT_EQ(fnv1a(run.out), recorded[i].digest) << "settings " << i;
    }
}
