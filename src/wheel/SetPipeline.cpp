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

void SetPipeline::forgetLeadingNumbers() {
    firstFive_ = {};
    firstFour_ = Leading{};
}

void SetPipeline::updateAnyStepActive() {
    anyStepActive_ = midpoint_.active || pairs_.active || composition_.active || lastDraw_.active || keys_.active ||
                     sums_.active || tens_.active() || groups_.active || positions_.active || difference_.active ||
                     ones_.active() || locks_.active || history_.active;
}

bool SetPipeline::passesStepByStep(const Combination& set) const {
    if (midpoint_.active && !midpoint_.passes(set)) return false;
    if (pairs_.active && !pairs_.passes(set)) return false;
    if (composition_.active && !composition_.passes(set)) return false;
    if (lastDraw_.active && !lastDraw_.passes(set)) return false;
    if (keys_.active && !keys_.passes(set)) return false;
    if (sums_.active && !sums_.passes(set)) return false;
    if (tens_.active() && !tens_.passes(set)) return false;
    if (groups_.active && !groups_.passes(set)) return false;
    if (positions_.active && !positions_.passes(set)) return false;
    if (difference_.active && !difference_.passes(set)) return false;
    if (ones_.active() && !ones_.passes(set)) return false;
    if (locks_.active && !locks_.passes(set)) return false;
    if (history_.active && !history_.passes(set)) return false;
    return true;
}

// The fifth numbers E after these A to D with which every set fails some step.
std::uint64_t SetPipeline::failingFifthNumbers(const Leading& firstFour) const {
    std::uint64_t fail = 0;
    if (midpoint_.active) fail |= midpoint_.failingFifth(firstFour);
    if (pairs_.active) fail |= pairs_.failingFifth(firstFour);
    if (composition_.active) fail |= composition_.failingFifth(firstFour);
    if (lastDraw_.active) fail |= lastDraw_.failingFifth(firstFour);
    if (keys_.active) fail |= keys_.failingFifth(firstFour);
    if (sums_.active) fail |= sums_.failingFifth(firstFour);
    if (tens_.active()) fail |= tens_.failingFifth(firstFour);
    if (groups_.active) fail |= groups_.failingFifth(firstFour);
    if (positions_.active) fail |= positions_.failingFifth(firstFour);
    if (difference_.active) fail |= difference_.failingFifth(firstFour);
    if (ones_.active()) fail |= ones_.failingFifth(firstFour);
    if (locks_.active) fail |= locks_.failingFifth(firstFour);
    if (history_.active) fail |= history_.failingFifth(firstFour);
    return fail;
}

// Each step says which last numbers F fail it after these A to E; a set fails
// when its F fails any step, exactly as when the steps test it one by one.
// A to D are shared by many blocks: what they give is kept, and a fifth number
// that leaves no F passing fails its whole block at once.
std::uint64_t SetPipeline::computeFailingLastNumbers(const Combination& set) const {
    if (set[0] != firstFour_.numbers[0] || set[1] != firstFour_.numbers[1] || set[2] != firstFour_.numbers[2] ||
        set[3] != firstFour_.numbers[3]) {
        firstFour_ = Leading{};
        for (int k = 0; k < 4; ++k) firstFour_.add(set[k]);
        failingFifth_ = failingFifthNumbers(firstFour_);
    }
    if (failingFifth_ >> set[4] & 1) return kEveryNumber;
    Leading lead = firstFour_;
    lead.add(set[4]);
    std::uint64_t fail = 0;
    if (midpoint_.active) fail |= midpoint_.failingLast(lead);
    if (pairs_.active) fail |= pairs_.failingLast(lead);
    if (composition_.active) fail |= composition_.failingLast(lead);
    if (lastDraw_.active) fail |= lastDraw_.failingLast(lead);
    if (keys_.active) fail |= keys_.failingLast(lead);
    if (sums_.active) fail |= sums_.failingLast(lead);
    if (tens_.active()) fail |= tens_.failingLast(lead);
    if (groups_.active) fail |= groups_.failingLast(lead);
    if (positions_.active) fail |= positions_.failingLast(lead);
    if (difference_.active) fail |= difference_.failingLast(lead);
    if (ones_.active()) fail |= ones_.failingLast(lead);
    if (locks_.active) fail |= locks_.failingLast(lead);
    if (history_.active) fail |= history_.failingLast(lead);
    return fail & kEveryNumber;
}

} // namespace orvane
