#include "backtest/BacktestReport.h"

#include "core/LineEnd.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

namespace orvane {

namespace {

std::string padRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}
std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string dateText(long date) {
    char text[24]; // room for any long
    std::snprintf(text, sizeof text, "%06ld", date < 0 ? 0 : date);
    return text;
}

std::string numbersText(std::span<const int> numbers) {
    std::string text;
    for (int n : numbers) {
        if (!text.empty()) text += ' ';
        if (n >= 0 && n < 10) text += '0';
        text += std::to_string(n);
    }
    return text;
}

// The draw's date as its history holds it: "050788", or "2026-01-03" in another game.
std::string dateText(const DrawVerdict& verdict) {
    if (!verdict.gameDraw) return dateText(verdict.draw.date);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", verdict.gameDraw->year, verdict.gameDraw->month,
                  verdict.gameDraw->day);
    return text;
}

// "15 17 30 42 44 49", or "03 11 24 30 41 + 07" with the bonus numbers of another game.
std::string numbersText(const DrawVerdict& verdict) {
    if (!verdict.gameDraw) return numbersText(verdict.draw.numbers);
    std::string text = numbersText(verdict.gameDraw->numbers);
    if (!verdict.gameDraw->bonus.empty()) text += " + " + numbersText(verdict.gameDraw->bonus);
    return text;
}

std::string liftText(const std::optional<double>& lift) {
    if (!lift) return "-";
    return fixedText(*lift, 2);
}

int historyNeededBy(const BacktestResult& result, const FilterResult& row, bool joint) {
    if (!joint) return backtestFilterInfo(row.filter).historyNeeded;
    int most = 0;
    for (const FilterResult& other : result.filters)
        most = std::max(most, backtestFilterInfo(other.filter).historyNeeded);
    return most;
}

std::string keptText(const Proportion& share) {
    return formatCount(share.kept) + " of " + formatCount(share.of) + "  " + percentText(share.share());
}

std::string intervalText(const Interval& interval) {
    return percentText(interval.low) + " - " + percentText(interval.high);
}

std::string filterRow(const BacktestResult& result, const std::string& name, const FilterResult& row, bool joint) {
    std::string line = padRight(name, 28);
    line += padLeft(keptText(row.draws), 22) + "  " + padLeft(intervalText(row.drawsInterval), 17) + "  ";
    line += padLeft(formatCount(row.notJudged), 10) + "  " + padLeft(keptText(row.sets), 32) + "  ";
    line += padLeft(liftText(row.lift), 5) + "  " + padLeft(chanceText(row.chance), 17) + "  " +
            padLeft(liftIntervalText(row), 15);
    line += "  |  ";
    if (!joint) {
        line += padLeft(keptText(row.drawsWithout), 22) + "  " + padLeft(keptText(row.setsWithout), 32) + "  " +
                padLeft(liftText(row.liftWithout), 5);
    } else {
        line += std::string(22 + 2 + 32 + 2 + 5, ' ');
    }
    line += "  |  " + readingText(result, row, joint);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + kLineEnd;
}

std::string outcomeText(const DrawVerdict& verdict) {
    if (!verdict.inPick) return "outside the pick";
    switch (verdict.outcome) {
    case DrawVerdict::Outcome::Passed: return "kept";
    case DrawVerdict::Outcome::NotJudged: return "not judged";
    case DrawVerdict::Outcome::Failed:
        return verdict.firstRejecting ? "rejected by " + std::string(backtestFilterName(*verdict.firstRejecting))
                                      : std::string("rejected");
    }
    return {};
}

std::string csvProportion(const Proportion& share) {
    return std::to_string(share.kept) + "," + std::to_string(share.of);
}

std::string csvDouble(double value) { return fixedText(value, 6); }

std::string csvLiftBound(const FilterResult& row, double bound) {
    if (!row.chance.defined || row.reading == Reading::NoDrawJudged || row.reading == Reading::KeepsNoSet) return "";
    return std::isinf(bound) ? "inf" : csvDouble(bound);
}

std::string csvRow(const std::string& key, const FilterResult& row) {
    return key + "," + csvProportion(row.draws) + "," + csvDouble(row.drawsInterval.low) + "," +
           csvDouble(row.drawsInterval.high) + "," + std::to_string(row.notJudged) + "," + csvProportion(row.sets) +
           "," + (row.lift ? csvDouble(*row.lift) : "") + "," + csvProportion(row.drawsWithout) + "," +
           csvProportion(row.setsWithout) + "," + (row.liftWithout ? csvDouble(*row.liftWithout) : "") + "," +
           (row.chance.defined ? fixedText(row.chance.share, 9) : "") + "," + csvLiftBound(row, row.liftLow) + "," +
           csvLiftBound(row, row.liftHigh) + kLineEnd;
}

} // namespace

std::string percentText(double share) { return fixedText(share * 100.0, 2) + "%"; }

std::string chanceText(const ChanceShare& chance) {
    if (!chance.defined) return "-";
    std::string text = percentText(chance.share);
    // An estimate shows its 95% margin.
    if (chance.estimated && chance.error > 0) text += " +/- " + percentText(1.959963984540054 * chance.error);
    return text;
}

std::string liftIntervalText(const FilterResult& row) {
    if (!row.chance.defined || row.reading == Reading::NoDrawJudged || row.reading == Reading::KeepsNoSet) return "-";
    return fixedText(row.liftLow, 2) + " - " +
           (std::isinf(row.liftHigh) ? std::string("no bound") : fixedText(row.liftHigh, 2));
}

std::string readingText(const BacktestResult& result, const FilterResult& row, bool joint) {
    if (!result.complete) return "stopped before every set was counted";
    std::string text;
    switch (row.reading) {
    case Reading::NoDrawJudged:
        if (result.drawsInPick() == 0) return "no draw lies inside the pick";
        if (row.notJudged > 0) {
            const int needed = historyNeededBy(result, row, joint);
            return std::string("no draw judged: ") + (joint ? "the filters need " : "it needs ") +
                   std::to_string(needed) + (needed == 1 ? " earlier draw" : " earlier draws");
        }
        return "no draw judged";
    case Reading::KeepsNoSet: return "keeps no set of the pick at any draw judged";
    case Reading::ConsistentWithChance: text = "consistent with chance"; break;
    case Reading::AboveChance: text = "kept more draws than chance would"; break;
    case Reading::BelowChance: text = "kept fewer draws than chance would"; break;
    }
    // A filter that reads the history may keep sets early and none today.
    if (row.sets.kept == 0) text += "; keeps no set with the whole history";
    return text;
}

std::string backtestScopeText(const BacktestResult& result) {
    const std::size_t all = result.draws.size();
    if (result.pickIsEveryNumber) return formatCount(all) + (all == 1 ? " draw judged." : " draws judged.");
    const std::size_t inside = result.drawsInPick();
    std::string text = formatCount(inside) + " of " + formatCount(all) + (all == 1 ? " draw" : " draws") +
                       (inside == 1 ? " lies" : " lie") + " wholly inside your " + formatCount(result.pick.size()) +
                       " numbers and " + (inside == 1 ? "was" : "were") + " judged";
    if (result.drawsOutsidePick > 0)
        text += "; the other " + formatCount(result.drawsOutsidePick) + " could never have been wheeled from them";
    return text + ".";
}

std::string backtestFilterTable(const BacktestResult& result) {
    std::string text = padRight("Filter", 28) + padLeft("Draws kept", 22) + "  " + padLeft("95% interval", 17) + "  " +
                       padLeft("Not judged", 10) + "  " + padLeft("Sets kept", 32) + "  " + padLeft("Lift", 5) + "  " +
                       padLeft("Chance share", 17) + "  " + padLeft("Lift interval", 15) + "  |  " +
                       padLeft("Without it: draws kept", 22) + "  " + padLeft("sets kept", 32) + "  " +
                       padLeft("lift", 5) + "  |  Reading" + kLineEnd;
    for (const FilterResult& row : result.filters)
        text += filterRow(result, std::string(backtestFilterName(row.filter)), row, false);
    text += filterRow(result, "All active filters", result.joint, true);
    return text;
}

std::string backtestDrawLines(const BacktestResult& result, std::size_t first, std::size_t count) {
    std::string text;
    for (std::size_t i = first; i < result.draws.size() && i - first < count; ++i) {
        const DrawVerdict& verdict = result.draws[i];
        text += padLeft(std::to_string(verdict.index + 1), 6) + "  " + dateText(verdict) + "  " + numbersText(verdict) +
                "  " + outcomeText(verdict) + kLineEnd;
    }
    return text;
}

std::string backtestDrawLines(const BacktestResult& result) {
    return backtestDrawLines(result, 0, result.draws.size());
}

std::string backtestText(const BacktestResult& result) {
    // Another game is named, so that a saved or printed backtest says whose draws it judged.
    std::string text = "Backtest of the active filters over " + formatCount(result.draws.size()) + " draws" +
                       (result.game.empty() ? "" : " of " + result.game) + ". ";
    text += backtestScopeText(result);
    text += kLineEnd;
    text += "Chance share: the share of the draws chance alone would keep, the mean over the draws judged of the share "
            "of the pick's sets the filter keeps with only the draws before each.";
    text += kLineEnd;
    text += "Lift: the share of the draws kept divided by the chance share. On random draws it lies near 1 whatever "
            "the filter; a row whose lift interval covers 1 is consistent with chance.";
    text += kLineEnd;
    if (!result.complete) {
        text += "Stopped before every set was counted: the set shares and lifts are incomplete.";
        text += kLineEnd;
    }
    text += kLineEnd;
    text += backtestFilterTable(result);
    text += kLineEnd;
    text += backtestDrawLines(result);
    return text;
}

std::string backtestCsv(const BacktestResult& result) {
    std::string csv =
        "filter,draws_kept,draws_judged,draws_low,draws_high,not_judged,sets_kept,sets_total,lift,"
        "without_draws_kept,without_draws_judged,without_sets_kept,without_sets_total,without_lift,null_share,lift_low,"
        "lift_high";
    csv += kLineEnd;
    for (const FilterResult& row : result.filters) csv += csvRow(backtestFilterInfo(row.filter).key, row);
    csv += csvRow("all", result.joint);
    csv += kLineEnd;
    csv += "draw,date,numbers,outcome,first_rejecting";
    csv += kLineEnd;
    for (const DrawVerdict& verdict : result.draws) {
        const char* outcome = !verdict.inPick                                      ? "outside-pick"
                              : verdict.outcome == DrawVerdict::Outcome::Passed    ? "kept"
                              : verdict.outcome == DrawVerdict::Outcome::NotJudged ? "not-judged"
                                                                                   : "rejected";
        csv += std::to_string(verdict.index + 1) + "," + dateText(verdict) + "," + numbersText(verdict) + "," +
               outcome + "," + (verdict.firstRejecting ? backtestFilterInfo(*verdict.firstRejecting).key : "") +
               kLineEnd;
    }
    return csv;
}

} // namespace orvane
