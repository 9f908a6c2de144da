#include "core/AtomicFile.h"
#include "settings/SettingsFile.h"

#include "support/TempFolder.h"

#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace orvane;

namespace {

SettingsFile changedSettings() {
    SettingsFile s;
    s.pool.poolSize = "12";
    s.pool.style = 1;
    s.pool.draws = 3;
    s.pool.sendToPrinter = 1;
    s.historyPath = "/data/h.HIT";
    s.settingsPath = "/data/VNTB.INI";
    s.wheelOutputPath = "/data/Wheeled.TB";
    s.poolPath = "/data/Pool.GR";
    s.destination = OutputDestination::Printer;
    s.diskMode = DiskMode::Append;
    FilterControls& f = s.filters;
    f.enableRavelin = 1;
    f.evensAllowed[2] = 0;
    f.minSum = "100";
    f.maxSum = "";
    f.tens[4] = "2";
    f.ones[9] = "1";
    f.enablePairs = 1;
    f.requirePair = 2;
    f.enablePosAnalysis = 1;
    f.positionPreset = PositionPreset::Percent50;
    f.positionLimits[7] = "40";
    f.lockedOut[29] = "45";
    f.minAboveMid = "2";
    f.keyRule = KeyRule::AllowOnlyOne;
    f.keyNumbers[4] = "21";
    f.filterAgainstHistory = 1;
    f.maxFromHistory = "3";
    f.enableSumPick = 1;
    f.sumsAccepted[0] = f.sumsAccepted[258] = true;
    return s;
}

void expectSameSaved(const SettingsFile& a, const SettingsFile& b) { EXPECT_EQ(settingsText(a), settingsText(b)); }

} // namespace

TEST(SettingsFile, HasItsLinesInTheirEncodings) {
    const std::vector<std::string> lines = linesOf(settingsText(changedSettings()));
    ASSERT_EQ(lines.size(), 387u);
    EXPECT_EQ(lines[0], "12");
    EXPECT_EQ(lines[1], "False");
    EXPECT_EQ(lines[2], "True");
    EXPECT_EQ(lines[6], "True"); // four draws
    EXPECT_EQ(lines[11], " 1 "); // send to printer
    EXPECT_EQ(lines[12], "/data/h.HIT");
    EXPECT_EQ(lines[17], "True"); // printer
    EXPECT_EQ(lines[20], "True"); // append
    EXPECT_EQ(lines[21], " 1 ");  // Ravelin
    EXPECT_EQ(lines[24], " 0 ");  // two evens not allowed
    EXPECT_EQ(lines[29], "100");
    EXPECT_EQ(lines[30], "-"); // an empty box is written as "-"
    EXPECT_EQ(lines[39], "2");
    EXPECT_EQ(lines[49], "1");
    EXPECT_EQ(lines[54], " 2 ");
    EXPECT_EQ(lines[61], "True"); // 50%
    EXPECT_EQ(lines[70], "40");   // D maximum
    EXPECT_EQ(lines[76], "-");    // empty lock box
    EXPECT_EQ(lines[111], "45");  // F's fifth locked-out box
    EXPECT_EQ(lines[115], "2");
    EXPECT_EQ(lines[119], "True"); // allow only one key
    EXPECT_EQ(lines[124], "21");
    EXPECT_EQ(lines[125], " 1 ");
    EXPECT_EQ(lines[126], "3");
    EXPECT_EQ(lines[127], " 1 ");
    EXPECT_EQ(lines[128], "True");
    EXPECT_EQ(lines[129], "False");
    EXPECT_EQ(lines[386], "True");
}

TEST(SettingsFile, WrittenFileReadsBackToTheSameValues) {
    TempFolder folder;
    const std::string path = folder.file("VNTB.INI");
    const SettingsFile saved = changedSettings();
    ASSERT_EQ(saveSettingsFile(path, saved), "");
    SettingsFile read;
    ASSERT_TRUE(readSettingsFile(path, read).ok());
    expectSameSaved(read, saved);
    EXPECT_EQ(read.filters.maxSum, "");
    EXPECT_EQ(read.filters.positionPreset, PositionPreset::Percent50);
    EXPECT_EQ(read.destination, OutputDestination::Printer);
}

TEST(SettingsFile, ReadingAppliesTheEncodings) {
    TempFolder folder;
    std::vector<std::string> lines = linesOf(settingsText(SettingsFile{}));
    lines[0] = "";       // empty pool size combo: 49
    lines[8] = "";       // empty trend length: 5
    lines[29] = "-";     // a box holding "-" comes back empty
    lines[21] = "  1  "; // blanks around a check value
    lines[58] = "False"; // every preset False but 90%: 90% stays chosen
    lines[60] = "TRUE";
    std::string text;
    for (const std::string& line : lines) text += line + "\n"; // LF line ends read too
    SettingsFile read;
    ASSERT_TRUE(readSettingsFile(folder.write("s.INI", text), read).ok());
    EXPECT_EQ(read.pool.poolSize, "49");
    EXPECT_EQ(read.pool.trendLength, "5");
    EXPECT_EQ(read.filters.minSum, "");
    EXPECT_EQ(read.filters.enableRavelin, 1);
    EXPECT_EQ(read.filters.positionPreset, PositionPreset::Percent90);
}

TEST(SettingsFile, ProblemsAreReportedWithTheirLine) {
    TempFolder folder;
    std::vector<std::string> lines = linesOf(settingsText(SettingsFile{}));
    std::string cut;
    for (int i = 0; i < 200; ++i) cut += lines[i] + "\r\n";
    SettingsFile read;
    read.filters.enableSumPick = 1;
    const std::string cutPath = folder.write("cut.INI", cut);
    SettingsReadResult result = readSettingsFile(cutPath, read);
    EXPECT_EQ(result.failedLine, 201);
    EXPECT_NE(result.error.find(cutPath), std::string::npos);
    EXPECT_NE(result.error.find("201"), std::string::npos);
    EXPECT_EQ(read.filters.enableSumPick, 0); // lines before the cut are applied

    for (auto [line, text] : {std::pair{22, "yes"}, std::pair{18, "maybe"}, std::pair{23, "3"}, std::pair{200, "x"}}) {
        std::vector<std::string> bad = lines;
        bad[line - 1] = text;
        std::string body;
        for (const std::string& l : bad) body += l + "\r\n";
        SettingsFile into;
        result = readSettingsFile(folder.write("bad.INI", body), into);
        EXPECT_EQ(result.failedLine, line) << text;
        EXPECT_NE(result.error.find("Line " + std::to_string(line)), std::string::npos);
    }

    SettingsFile missing;
    EXPECT_FALSE(readSettingsFile(folder.file("absent.INI"), missing).ok());
}

TEST(SettingsFile, AFailedSaveKeepsTheEarlierFileAndLeavesNoTemporary) {
    TempFolder folder;
    const std::string unwritable = folder.file("no-folder/VNTB.INI");
    EXPECT_NE(saveSettingsFile(unwritable, SettingsFile{}).find(unwritable), std::string::npos);

    // A folder where the file should be: the temporary is written, the replace fails.
    const std::string aFolder = folder.file("VNTB.INI");
    std::filesystem::create_directory(aFolder);
    const std::string inside = folder.write("VNTB.INI/kept.txt", "kept");
    const std::string problem = saveSettingsFile(aFolder, changedSettings());
    EXPECT_NE(problem.find(aFolder), std::string::npos) << problem;
    EXPECT_EQ(contentsOf(inside), "kept");
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(aFolder)));

    // A save over an earlier file replaces it whole.
    const std::string earlier = folder.write("earlier.INI", "old\r\n");
    ASSERT_EQ(saveSettingsFile(earlier, changedSettings()), "");
    EXPECT_EQ(contentsOf(earlier), settingsText(changedSettings()));
}

// Garbage in place of a settings file is refused at its first line that is no
// setting, and the message stays short whatever the line held.
TEST(SettingsFile, GarbageIsRefusedWithAShortMessage) {
    TempFolder folder;
    const std::vector<std::string> lines = linesOf(settingsText(changedSettings()));
    const std::string megabyte(std::size_t{1} << 20, 'x');

    // A saved file whose history path (line 13) has become a megabyte long:
    // refused at that line, not kept as a path.
    std::string body;
    const std::string longPath = "/" + megabyte;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        body += i == 12 ? longPath : lines[i];
        body += "\r\n";
    }
    SettingsFile read;
    SettingsReadResult result = readSettingsFile(folder.write("long.INI", body), read);
    EXPECT_EQ(result.failedLine, 13);
    EXPECT_NE(result.error.find("Line 13 of the settings file"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("longer than 32767 characters"), std::string::npos) << result.error;
    EXPECT_LT(result.error.size(), 300u);
    EXPECT_TRUE(read.historyPath.empty());

    // One line of a megabyte and no line end: the pool size box does not take it.
    SettingsFile oneLine;
    result = readSettingsFile(folder.write("one-line.INI", megabyte), oneLine);
    EXPECT_EQ(result.failedLine, 1);
    EXPECT_EQ(oneLine.pool.poolSize, "49");

    // The longest line a text box can save still reads back.
    SettingsFile longest = changedSettings();
    longest.historyPath = std::string(kLongestSettingsLine, 'h');
    SettingsFile back;
    EXPECT_TRUE(readSettingsFile(folder.write("longest.INI", settingsText(longest)), back).ok());
    EXPECT_EQ(back.historyPath, longest.historyPath);

    // A line that cannot be read is quoted in part, its binary bytes as '?'.
    const std::string unreadable = std::string("\x01\x02\xff", 3) + std::string(500, 'y');
    std::string binary;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        binary += i == 1 ? unreadable : lines[i];
        binary += "\r\n";
    }
    SettingsFile junk;
    result = readSettingsFile(folder.write("binary.INI", binary), junk);
    EXPECT_EQ(result.failedLine, 2);
    EXPECT_NE(result.error.find("\"???yyy"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("...\""), std::string::npos) << result.error;
    EXPECT_LT(result.error.size(), 300u);
}

// Another game's file names its game first and sizes its lists from it; a
// reader standing at another game switches to the file's.
TEST(SettingsFile, AnotherGamesFileNamesItsGameAndSizesItsLists) {
    TempFolder folder;
    const Game oz = *gameFromMatrix("7/47");
    SettingsFile seven = settingsFor(oz);
    seven.filters.positionLimits[13] = "45";  // G's maximum
    seven.filters.tens[4] = "3";              // 40 to 47
    seven.filters.sumsAccepted.back() = true; // the largest sum, 308 (the smallest is 28)
    const std::string text = settingsText(seven);
    const auto lines = linesOf(text);
    EXPECT_EQ(lines.front(), "Game |  | 7/47");
    EXPECT_EQ(lines[1], "47"); // the pool generator's size: every number
    // One more evens box, position pair, lock, five locks out and 21 more sums than 6/49.
    EXPECT_EQ(lines.size(), 1 + 387 + (8 - 7) + 2 * (7 - 6) + 5 * (7 - 6) + (7 - 6) + (281 - 259));
    EXPECT_EQ(lines.back(), "True");

    ASSERT_EQ(saveSettingsFile(folder.file("oz.INI"), seven), "");
    SettingsFile read; // standing at 6/49
    ASSERT_TRUE(readSettingsFile(folder.file("oz.INI"), read).ok());
    EXPECT_EQ(read.game.matrix(), "7/47");
    EXPECT_EQ(settingsText(read), text);

    // And back: a 6/49 file read by a reader standing at 7/47.
    ASSERT_EQ(saveSettingsFile(folder.file("lotto.INI"), changedSettings()), "");
    ASSERT_TRUE(readSettingsFile(folder.file("lotto.INI"), read).ok());
    EXPECT_TRUE(read.game.isLotto649());
    expectSameSaved(read, changedSettings());

    // A named catalogue game keeps its name; a game line that names no game is refused by its line.
    const Game powerball = *gameFromMatrix("5/69+1/26");
    SettingsFile named = settingsFor(Game::make("Powerball", 69, 5, false, 26, 1, {}).value());
    ASSERT_EQ(saveSettingsFile(folder.file("pb.INI"), named), "");
    ASSERT_TRUE(readSettingsFile(folder.file("pb.INI"), read).ok());
    EXPECT_EQ(read.game.title(), "Powerball (5/69 + 1/26)");
    EXPECT_EQ(read.game.bonusPool(), powerball.bonusPool());
    folder.write("bad.INI", "Game | Huge | 6/95\r\n" + text.substr(text.find('\n') + 1));
    const SettingsReadResult bad = readSettingsFile(folder.file("bad.INI"), read);
    EXPECT_EQ(bad.failedLine, 1);
    EXPECT_NE(bad.error.find("Line 1 of the settings file " + folder.file("bad.INI") + " names no game"),
              std::string::npos)
        << bad.error;
}
