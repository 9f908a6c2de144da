#include "backtest/DrawCounts.h"

namespace orvane {

// The draw counts of every active filter, of all together and of all but one.
void countDraws(const std::vector<BacktestFilter>& active, BacktestResult& result) {
    result.filters.clear();
    for (BacktestFilter filter : active) {
        FilterResult row;
        row.filter = filter;
        result.filters.push_back(row);
    }
    result.joint = FilterResult{};
    result.drawsOutsidePick = 0;
    for (const DrawVerdict& draw : result.draws) {
        if (!draw.inPick) {
            ++result.drawsOutsidePick;
            continue;
        }
        int rejected = 0, unjudged = 0;
        for (BacktestFilter filter : active) {
            const Verdict v = draw.verdicts[static_cast<std::size_t>(filter)];
            rejected += v == Verdict::Rejected;
            unjudged += v == Verdict::NotJudged;
        }
        if (unjudged == 0) {
            ++result.joint.draws.of;
            result.joint.draws.kept += rejected == 0;
        }
        for (FilterResult& row : result.filters) {
            const Verdict v = draw.verdicts[static_cast<std::size_t>(row.filter)];
            if (v == Verdict::NotJudged) {
                ++row.notJudged;
            } else {
                ++row.draws.of;
                row.draws.kept += v == Verdict::Kept;
            }
            // Without this filter: the others all judged it, and none rejected it.
            const int othersUnjudged = unjudged - (v == Verdict::NotJudged);
            const int othersRejected = rejected - (v == Verdict::Rejected);
            if (othersUnjudged == 0) {
                ++row.drawsWithout.of;
                row.drawsWithout.kept += othersRejected == 0;
            }
        }
    }
    result.joint.notJudged = result.draws.size() - result.drawsOutsidePick - result.joint.draws.of;
    for (FilterResult& row : result.filters) {
        row.drawsInterval = wilsonInterval(row.draws.kept, row.draws.of);
        row.drawsWithoutInterval = wilsonInterval(row.drawsWithout.kept, row.drawsWithout.of);
    }
    result.joint.drawsInterval = wilsonInterval(result.joint.draws.kept, result.joint.draws.of);
    result.joint.drawsWithout = result.joint.draws;
    result.joint.drawsWithoutInterval = result.joint.drawsInterval;
}

} // namespace orvane
