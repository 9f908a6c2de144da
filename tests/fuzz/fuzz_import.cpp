// The CSV draw importer, into an empty history: whatever it adds must read
// back as a history.
#include "FuzzInput.h"
#include "history/DrawImport.h"
#include "history/HistoryFile.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string source = fuzz::inputFile("import.csv", data, size);
    const std::string history = fuzz::scratchPath("imported.HIT");
    std::remove(history.c_str());
    const orvane::DrawImport result = orvane::importDraws(source, history);
    orvane::importSummary(result, 20);
    if (result.ok() && result.added > 0)
        fuzz::require(orvane::readHistoryRecords(history).ok(), "an imported history that does not read");
    return 0;
}
