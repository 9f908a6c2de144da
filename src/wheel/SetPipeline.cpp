#include "wheel/SetPipeline.h"

namespace orvane {

SetPipeline::SetPipeline(const FilterControls& controls, const RunTables& tables)
    : midpoint_(controls), pairs_(controls), composition_(controls, tables), lastDraw_(tables), keys_(controls),
      sums_(controls, tables), tens_(controls), positions_(controls), difference_(controls), ones_(controls),
      locks_(controls), history_(controls, tables) {
    setLiveControls(controls);
}

void SetPipeline::setLiveControls(const FilterControls& controls) {
    lastDraw_.setLimits(controls);
    groups_.setGroups(controls);
    exact_.setValues(controls);
    updateAnyStepActive();
    // The limits may differ: work the leading numbers out again.
    forgetLeadingNumbers();
}

void SetPipeline::forgetLeadingNumbers() { firstFive_ = {}; }

void SetPipeline::updateAnyStepActive() {
    anyStepActive_ = false;
    forEachActiveStep([this](const auto&) { anyStepActive_ = true; });
}

bool SetPipeline::passesStepByStep(const Combination& set) const {
    bool passes = true;
    forEachActiveStep([&](const auto& step) { passes = passes && step.passes(set); });
    return passes;
}

// A to D are shared by many blocks: what they give is kept, with the fifth
// numbers E after which every set fails some step.
void SetPipeline::startFirstFour(const Combination& set) const {
    firstFour_ = Leading{};
    for (int k = 0; k < 4; ++k) firstFour_.add(set[k]);
    const Leading& lead = firstFour_;
    std::uint64_t fail = 0;
    forEachActiveStep([&](const auto& step) { fail |= step.failingFifth(lead); });
    failingFifth_ = fail;
}

// Each step says which last numbers F fail it after A to D and this E; a set
// fails when its F fails any step, exactly as when the steps test it one by one.
std::uint64_t SetPipeline::failingAfterFifth(int e) const {
    const Leading& lead = firstFour_;
    std::uint64_t fail = 0;
    forEachActiveStep([&](const auto& step) { fail |= step.failingLast(lead, e); });
    return fail & kEveryNumber;
}

} // namespace orvane
