#include "cover/Guarantee.h"

#include "core/NumberText.h"

#include <bit>
#include <cctype>

namespace orvane {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// One digit 1..9 standing alone.
std::optional<int> singleDigit(std::string_view text) {
    text = trimmed(text);
    if (text.size() != 1 || text[0] < '1' || text[0] > '9') return std::nullopt;
    return text[0] - '0';
}

} // namespace

std::optional<Guarantee> parseGuarantee(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = lower.find("if");
    if (at == std::string::npos) {
        const std::optional<int> t = singleDigit(lower);
        if (!t) return std::nullopt;
        return Guarantee{*t, *t, kTicketSize};
    }
    const std::optional<int> t = singleDigit(std::string_view(lower).substr(0, at));
    const std::optional<int> m = singleDigit(std::string_view(lower).substr(at + 2));
    if (!t || !m) return std::nullopt;
    return Guarantee{*t, *m, kTicketSize};
}

std::string guaranteeText(Guarantee guarantee) {
    return std::to_string(guarantee.match) + " if " + std::to_string(guarantee.drawn);
}

std::optional<std::string> guaranteeFault(int poolSize, Guarantee g) {
    const int k = g.ticket;
    if (k < kSmallestTicket || k > kLargestTicket)
        return "A ticket holds " + std::to_string(kSmallestTicket) + " to " + std::to_string(kLargestTicket) +
               " numbers, not " + std::to_string(k) + ".";
    // Six-number tickets keep the words they always had.
    const std::string kText = k == kTicketSize ? std::string("six") : std::to_string(k);
    if (poolSize < k) return "The pool holds " + std::to_string(poolSize) + " numbers; a ticket needs " + kText + ".";
    if (poolSize > kLargestPool) return "The pool holds more than " + std::to_string(kLargestPool) + " numbers.";
    if (g.match < 2 || g.match > k) return "The guarantee's match must be 2 to " + std::to_string(k) + ".";
    if (g.drawn < g.match) return "The guarantee " + guaranteeText(g) + " asks for more matches than drawn numbers.";
    if (g.drawn > k) return "The guarantee's drawn numbers must be at most " + std::to_string(k) + ".";
    if (g.drawn > poolSize)
        return "The guarantee " + guaranteeText(g) + " needs a pool of at least " + std::to_string(g.drawn) +
               " numbers.";
    // Every t numbers of the pool sit in some ticket, which holds C(k,t) of
    // them: past this the list is no longer abbreviated, and would take too long.
    if (subsetCount(poolSize, g.match) / subsetCount(k, g.match) > kLongestList)
        return "A list for " + guaranteeText(g) + " on " + std::to_string(poolSize) +
               " numbers would hold more than 10,000 tickets: choose fewer numbers or a lower guarantee.";
    // The search counts, for every m numbers of the pool, the tickets holding t of them.
    if (subsetCount(poolSize, g.drawn) > kMostDrawnSubsets)
        return "A list for " + guaranteeText(g) + " on " + std::to_string(poolSize) +
               " numbers is out of reach: " + formatCount(subsetCount(poolSize, g.drawn)) + " ways to draw " +
               std::to_string(g.drawn) +
               " of them are more than the search can weigh. Choose fewer numbers or fewer drawn numbers.";
    return std::nullopt;
}

std::uint64_t subsetCount(int n, int k) {
    if (k < 0 || n < 0 || k > n) return 0;
    std::uint64_t count = 1;
    // Each partial product is itself a binomial coefficient, so every division is exact.
    for (int i = 1; i <= k; ++i) count = count * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return count;
}

int ticketLowerBound(int poolSize, Guarantee g) {
    if (g.drawn != g.match) return 1;
    // L(v,k,t) = ceil(v/k * L(v-1,k-1,t-1)), with L(.,.,0) = 1.
    std::uint64_t bound = 1;
    for (int i = g.match - 1; i >= 0; --i) {
        const auto v = static_cast<std::uint64_t>(poolSize - i);
        const auto k = static_cast<std::uint64_t>(g.ticket - i);
        bound = (v * bound + k - 1) / k;
    }
    return static_cast<int>(bound);
}

std::vector<Combination> ticketSets(const std::vector<TicketMask>& tickets, const std::vector<int>& pool) {
    std::vector<Combination> sets;
    sets.reserve(tickets.size());
    for (TicketMask ticket : tickets) {
        Combination set{};
        std::size_t filled = 0;
        for (TicketMask rest = ticket; rest && filled < set.size(); rest &= rest - 1)
            set[filled++] = pool[static_cast<std::size_t>(lowestBit(rest))];
        sets.push_back(set);
    }
    return sets;
}

std::vector<std::vector<int>> ticketNumbers(const std::vector<TicketMask>& tickets, const std::vector<int>& pool) {
    std::vector<std::vector<int>> lists;
    lists.reserve(tickets.size());
    for (TicketMask ticket : tickets) {
        std::vector<int>& numbers = lists.emplace_back();
        for (TicketMask rest = ticket; rest; rest &= rest - 1)
            numbers.push_back(pool[static_cast<std::size_t>(lowestBit(rest))]);
    }
    return lists;
}

} // namespace orvane
