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

// A to D are shared by many blocks: what they give is kept, with the fifth
// numbers E after which every set fails some step.
void SetPipeline::startFirstFour(const Combination& set) const {
    firstFour_ = Leading{};
    for (int k = 0; k < 4; ++k) firstFour_.add(set[k]);
    const Leading& lead = firstFour_;
    std::uint64_t fail = 0;
    if (midpoint_.active) fail |= midpoint_.failingFifth(lead);
    if (pairs_.active) fail |= pairs_.failingFifth(lead);
    if (composition_.active) fail |= composition_.failingFifth(lead);
    if (lastDraw_.active) fail |= lastDraw_.failingFifth(lead);
    if (keys_.active) fail |= keys_.failingFifth(lead);
    if (sums_.active) fail |= sums_.failingFifth(lead);
    if (tens_.active()) fail |= tens_.failingFifth(lead);
    if (groups_.active) fail |= groups_.failingFifth(lead);
    if (positions_.active) fail |= positions_.failingFifth(lead);
    if (difference_.active) fail |= difference_.failingFifth(lead);
    if (ones_.active()) fail |= ones_.failingFifth(lead);
    if (locks_.active) fail |= locks_.failingFifth(lead);
    if (history_.active) fail |= history_.failingFifth(lead);
    failingFifth_ = fail;
}

// Each step says which last numbers F fail it after A to D and this E; a set
// fails when its F fails any step, exactly as when the steps test it one by one.
std::uint64_t SetPipeline::failingAfterFifth(int e) const {
    const Leading& lead = firstFour_;
    std::uint64_t fail = 0;
    if (midpoint_.active) fail |= midpoint_.failingLast(lead, e);
    if (pairs_.active) fail |= pairs_.failingLast(lead, e);
    if (composition_.active) fail |= composition_.failingLast(lead, e);
    if (lastDraw_.active) fail |= lastDraw_.failingLast(lead, e);
    if (keys_.active) fail |= keys_.failingLast(lead, e);
    if (sums_.active) fail |= sums_.failingLast(lead, e);
    if (tens_.active()) fail |= tens_.failingLast(lead, e);
    if (groups_.active) fail |= groups_.failingLast(lead, e);
    if (positions_.active) fail |= positions_.failingLast(lead, e);
    if (difference_.active) fail |= difference_.failingLast(lead, e);
    if (ones_.active()) fail |= ones_.failingLast(lead, e);
    if (locks_.active) fail |= locks_.failingLast(lead, e);
    if (history_.active) fail |= history_.failingLast(lead, e);
    return fail & kEveryNumber;
}

} // namespace orvane
