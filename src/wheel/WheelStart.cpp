#include "wheel/WheelStart.h"

#include "wheel/FilterBoxes.h"
#include "wheel/RunPreparation.h"

namespace orvane {

namespace {
WheelStart refuse(WheelStart start, Notice why) {
    start.refusal = std::move(why);
    return start;
}
} // namespace

std::uint64_t mostSetsOf(const WheelStartRequest& request) {
    return setsInPick(static_cast<int>(pickWithExactValues(request.pick, request.controls).size()));
}

WheelStart startWheel(WheelStartRequest request) {
    WheelStart start;
    // A box that cannot be read stops the start before anything is changed.
    if (std::optional<Notice> problem = checkFilterBoxes(request.controls)) {
        start.normalised = std::move(request.controls);
        start.pick = std::move(request.pick);
        return refuse(std::move(start), *problem);
    }
    start.normalised = std::move(request.controls);
    start.pick = pickWithExactValues(request.pick, start.normalised);
    start.notices = normaliseForRun(start.normalised);
    const FilterControls& controls = start.normalised;
    if (static_cast<int>(start.pick.size()) < kMinimumPoolSize) return refuse(std::move(start), poolTooSmallNotice());

    // The history is read now, so a draw recorded since a filter was switched on counts.
    RunTables tables;
    if (auto problem = readRunTables(controls, request.historyPath, tables)) return refuse(std::move(start), *problem);

    std::unique_ptr<WheelOutput> output;
    if (request.openOutput) {
        Notice failure;
        output = request.openOutput(static_cast<int>(start.pick.size()), failure);
        if (!output && !failure.text.empty()) return refuse(std::move(start), failure);
    }

    std::optional<WheelJob::SkipLimits> skip;
    if (isChecked(controls.enableRavelin)) skip = WheelJob::skipLimitsFor(controls);
    start.job = std::make_unique<WheelJob>(start.pick, SetPipeline(controls, tables), std::move(output), skip);
    return start;
}

} // namespace orvane
