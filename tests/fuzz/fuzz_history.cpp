// The history file in each of the forms the program reads it: the records of
// the filters and the backtest, the last draw's date, the lines of the viewer
// and the reports' reading.
#include "FuzzInput.h"
#include "history/HistoryFile.h"
#include "reports/ReportHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::inputFile("history", data, size);
    const orvane::HistoryRead read = orvane::readHistoryRecords(path);
    if (read.ok())
        for (const orvane::DrawRecord& draw : read.draws)
            for (int n : draw.numbers) fuzz::require(n >= 1 && n <= 49, "a draw read with a number outside 1..49");
    orvane::readLastDrawDate(path);
    orvane::readHistoryLines(path);
    orvane::readReportHistory(path);
    return 0;
}
