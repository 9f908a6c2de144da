#include "cli/CommandLine.h"
#include "core/AtomicFile.h"

#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orvane;

namespace {

CliRun import(std::vector<std::string> args, const DataPaths& paths) {
    args.insert(args.begin(), "import");
    return runCli(args, paths);
}

const std::string kEarlierDraws = "050788  15 17 30 42 44 49\r\n051488  11 15 18 19 22 23\r\n";

} // namespace

TEST(CommandLineImport, PrintsTheCountsAndEveryRejectedLine) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kEarlierDraws);
    std::string text = "Date,N1,N2,N3,N4,N5,N6,Bonus\r\n"
                       "05/21/1988,08,15,22,25,40,47,3\r\n"
                       "05/07/1988,15,17,30,42,44,49,1\r\n"
                       "05/14/1988,01,02,03,04,05,06,1\r\n";
    for (int day = 1; day <= 25; ++day) text += "06/" + std::to_string(day) + "/1988,1,2,3,4,5\r\n";
    const std::string source = folder.write("draws.csv", text);
    const CliRun run = import({source, "--history", history}, dataPathsIn(folder.path()));
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("Draws added: 1\nDraws already in the history: 1\nLines rejected: 26\n"
                            "Line 4: the history holds another draw of that date: 051488  11 15 18 19 22 23: "
                            "05/14/1988,01,02,03,04,05,06,1\n",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("Line 29: it holds fewer than six numbers after the date: 06/25/1988,1,2,3,4,5\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("more"), std::string::npos);
    EXPECT_EQ(contentsOf(history), kEarlierDraws + "052188  08 15 22 25 40 47\r\n");
}

TEST(CommandLineImport, WithoutHistoryTheDataFoldersFileTakesTheDraws) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const CliRun run = import({ORVANE_SAMPLE_HISTORY}, paths);
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_TRUE(contentsOf(paths.history) == contentsOf(ORVANE_SAMPLE_HISTORY));
}

TEST(CommandLineImport, AmbiguousDatesNeedTheDateFormat) {
    TempFolder folder;
    const std::string history = folder.write("FL6-49.HIT", kEarlierDraws);
    const std::string source = folder.write("draws.csv", "01/02/2003,1,2,3,4,5,6\r\n");
    const CliRun refused = import({source, "--history", history}, dataPathsIn(folder.path()));
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("--date-format"), std::string::npos) << refused.err;
    EXPECT_EQ(contentsOf(history), kEarlierDraws);

    const CliRun dayFirst =
        import({source, "--history", history, "--date-format", "DD.MM.YYYY"}, dataPathsIn(folder.path()));
    EXPECT_EQ(dayFirst.status, kExitSuccess) << dayFirst.err;
    EXPECT_EQ(contentsOf(history), kEarlierDraws + "020103  01 02 03 04 05 06\r\n");
}

TEST(CommandLineImport, UnreadableFilesAndAFailedWriteExitOneWithTheHistoryUnchanged) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string history = folder.write("FL6-49.HIT", kEarlierDraws);
    const std::string source = folder.write("draws.csv", "05/21/1988,08,15,22,25,40,47\r\n");

    const CliRun missing = import({folder.file("absent.csv"), "--history", history}, paths);
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_NE(missing.err.find("absent.csv"), std::string::npos) << missing.err;

    const std::string broken = folder.write("broken.HIT", "050788  15 17 30\r\n");
    const CliRun unreadable = import({source, "--history", broken}, paths);
    EXPECT_EQ(unreadable.status, kExitFailed);
    EXPECT_NE(unreadable.err.find("Line 1"), std::string::npos) << unreadable.err;
    EXPECT_EQ(contentsOf(broken), "050788  15 17 30\r\n");

    // A folder where the temporary file would go: the new history cannot be written.
    std::filesystem::create_directory(temporaryPathFor(history));
    std::ofstream(temporaryPathFor(history) + "/kept.txt") << "kept";
    const CliRun unwritable = import({source, "--history", history}, paths);
    EXPECT_EQ(unwritable.status, kExitFailed);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_NE(unwritable.err.find("could not be written"), std::string::npos) << unwritable.err;
    EXPECT_TRUE(contentsOf(history) == kEarlierDraws);
}

TEST(CommandLineImport, UsageErrorsExitTwo) {
    TempFolder folder;
    const DataPaths paths = dataPathsIn(folder.path());
    const std::string history = folder.write("FL6-49.HIT", kEarlierDraws);
    const std::string source = folder.write("draws.csv", "05/21/1988,08,15,22,25,40,47\r\n");
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {source, "--date-format", "month first"},
                                                 {source, "--date-format"},
                                                 {source, "extra.csv"},
                                                 {source, "--bonus"}}) {
        const CliRun run = import(args, paths);
        EXPECT_EQ(run.status, kExitUsage) << run.err;
        EXPECT_EQ(contentsOf(history), kEarlierDraws);
    }
}
