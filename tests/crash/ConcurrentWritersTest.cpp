// Two programs saving the same file at once: each save must still replace the
// file whole, so a reader only ever finds one complete version, and neither
// program's save fails because of the other's.

#include "ScratchFolder.h"
#include "WriterProcess.h"
#include "WrittenVersions.h"

#include "accessories/ManualFile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ConcurrentWriters, ReaderFindsOnlyWholeVersionsWhileTwoProgramsSave) {
    constexpr int kReads = 300;
    ScratchFolder scratch;
    const std::string versions[2] = {orvane::manualFileText(crash::manualVersion(0)),
                                     orvane::manualFileText(crash::manualVersion(1))};
    const std::string saved0 = scratch.write("saved-0", versions[0]);
    const std::string saved1 = scratch.write("saved-1", versions[1]);
    const std::string path = scratch.write("Manual.TXT", versions[0]);
    WriterProcess first({ORVANE_CRASH_WRITER, "manual", path, saved0, saved1});
    WriterProcess second({ORVANE_CRASH_WRITER, "manual", path, saved0, saved1});
    ASSERT_TRUE(first.waitUntilWriting());
    ASSERT_TRUE(second.waitUntilWriting());
    int torn = 0;
    for (int read = 0; read < kReads; ++read)
        if (const std::string held = bytesOf(path); held != versions[0] && held != versions[1]) ++torn;
    EXPECT_EQ(torn, 0) << "reads of " << kReads << " found neither version";
    EXPECT_EQ(first.killAndReap(), kKilled) << "the first writer stopped on its own";
    EXPECT_EQ(second.killAndReap(), kKilled) << "the second writer stopped on its own";
    const std::string held = bytesOf(path);
    EXPECT_TRUE(held == versions[0] || held == versions[1]);
}

} // namespace
