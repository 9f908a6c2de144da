#include "backtest/BacktestReport.h"

#include "core/LineEnd.h"
#include "core/NumberText.h"

#include <cstdio>

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

std::string numbersText(const DrawRecord& draw) {
    std::string text;
    for (int n : draw.numbers) {
        if (!text.empty()) text += ' ';
        if (n >= 0 && n < 10) text += '0';
        text += std::to_string(n);
    }
    return text;
}

std::string liftText(const std::optional<double>& lift) {
    if (!lift) return "-";
    return fixedText(*lift, 2);
}

std::string keptText(const Proportion& share) {
    return formatCount(share.kept) + " of " + formatCount(share.of) + "  " + percentText(share.share());
}

std::string intervalText(const Interval& interval) {
    return percentText(interval.low) + " - " + percentText(interval.high);
}

std::string filterRow(const std::string& name, const FilterResult& row, bool joint) {
    std::string line = padRight(name, 28);
    line += padLeft(keptText(row.draws), 22) + "  " + padLeft(intervalText(row.drawsInterval), 17) + "  ";
    line += padLeft(formatCount(row.notJudged), 10) + "  " + padLeft(keptText(row.sets), 32) + "  ";
    line += padLeft(liftText(row.lift), 5);
    if (!joint) {
        line += "  |  " + padLeft(keptText(row.drawsWithout), 22) + "  " + padLeft(keptText(row.setsWithout), 32) +
                "  " + padLeft(liftText(row.liftWithout), 5);
    }
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

std::string csvRow(const std::string& key, const FilterResult& row) {
    return key + "," + csvProportion(row.draws) + "," + csvDouble(row.drawsInterval.low) + "," +
           csvDouble(row.drawsInterval.high) + "," + std::to_string(row.notJudged) + "," + csvProportion(row.sets) +
           "," + (row.lift ? csvDouble(*row.lift) : "") + "," + csvProportion(row.drawsWithout) + "," +
           csvProportion(row.setsWithout) + "," + (row.liftWithout ? csvDouble(*row.liftWithout) : "") + kLineEnd;
}

} // namespace

std::string percentText(double share) { return fixedText(share * 100.0, 2) + "%"; }

std::string backtestFilterTable(const BacktestResult& result) {
    std::string text = padRight("Filter", 28) + padLeft("Draws kept", 22) + "  " + padLeft("95% interval", 17) + "  " +
                       padLeft("Not judged", 10) + "  " + padLeft("Sets kept", 32) + "  " + padLeft("Lift", 5) +
                       "  |  " + padLeft("Without it: draws kept", 22) + "  " + padLeft("sets kept", 32) + "  " +
                       padLeft("lift", 5) + kLineEnd;
    for (const FilterResult& row : result.filters)
        text += filterRow(std::string(backtestFilterName(row.filter)), row, false);
    text += filterRow("All active filters", result.joint, true);
    return text;
}

std::string backtestDrawLines(const BacktestResult& result) {
    std::string text;
    for (const DrawVerdict& verdict : result.draws)
        text += padLeft(std::to_string(verdict.index + 1), 6) + "  " + dateText(verdict.draw.date) + "  " +
                numbersText(verdict.draw) + "  " + outcomeText(verdict) + kLineEnd;
    return text;
}

std::string backtestText(const BacktestResult& result) {
    std::string text = "Backtest of the active filters over " + formatCount(result.draws.size()) + " draws";
    if (result.drawsOutsidePick > 0)
        text += " (" + formatCount(result.drawsOutsidePick) + " with a number outside the pick left out)";
    text += kLineEnd;
    text += "Lift is the share of the draws kept divided by the share of all sets kept; above 1 the filter kept more "
            "of the draws than of the sets.";
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
    std::string csv = "filter,draws_kept,draws_judged,draws_low,draws_high,not_judged,sets_kept,sets_total,lift,"
                      "without_draws_kept,without_draws_judged,without_sets_kept,without_sets_total,without_lift";
    csv += kLineEnd;
    for (const FilterResult& row : result.filters) csv += csvRow(backtestFilterInfo(row.filter).key, row);
    csv += csvRow("all", result.joint);
    csv += kLineEnd;
    csv += "draw,date,numbers,outcome,first_rejecting";
    csv += kLineEnd;
    for (const DrawVerdict& verdict : result.draws) {
        const char* outcome = !verdict.inPick                                           ? "outside-pick"
                              : verdict.outcome == DrawVerdict::Outcome::Passed     ? "kept"
                              : verdict.outcome == DrawVerdict::Outcome::NotJudged ? "not-judged"
                                                                                    : "rejected";
        csv += std::to_string(verdict.index + 1) + "," + dateText(verdict.draw.date) + "," + numbersText(verdict.draw) +
               "," + outcome + "," +
               (verdict.firstRejecting ? backtestFilterInfo(*verdict.firstRejecting).key : "") + kLineEnd;
    }
    return csv;
}

} // namespace orvane
