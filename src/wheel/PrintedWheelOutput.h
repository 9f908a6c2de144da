#pragma once

#include "platform/Platform.h"
#include "wheel/WheelOutput.h"

namespace orvane {

// Passing sets on the printer: a header, then one line per set in Courier New 12.
class PrintedWheelOutput final : public WheelOutput {
public:
    // Starts the document and prints the header for a pool of `poolSize` numbers.
    PrintedWheelOutput(Platform& platform, int poolSize, bool numbered);

    bool record(const Combination& set, std::uint64_t passingCount, std::uint64_t generatedCount) override;
    bool close() override;
    Notice failure() const override { return {}; }

private:
    std::unique_ptr<PrintDocument> document_;
    bool numbered_;
};

} // namespace orvane
