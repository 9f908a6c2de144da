#pragma once

#include <array>
#include <cstdint>

namespace orvane {

// n choose k from a table built at compile time, for the counts of sets and
// of their parts: n up to 90, k up to 8; 0 outside 0 <= k <= n.
inline constexpr int kBinomialLargestN = 90;
inline constexpr int kBinomialLargestK = 8;

namespace detail {
constexpr auto binomialTable() {
    std::array<std::array<std::uint64_t, kBinomialLargestK + 1>, kBinomialLargestN + 1> table{};
    for (std::size_t n = 0; n <= kBinomialLargestN; ++n) {
        table[n][0] = 1;
        for (std::size_t k = 1; k <= kBinomialLargestK && k <= n; ++k)
            table[n][k] = table[n - 1][k - 1] + table[n - 1][k];
    }
    return table;
}
inline constexpr auto kBinomialTable = binomialTable();
} // namespace detail

constexpr std::uint64_t binomial(int n, int k) {
    if (n < 0 || k < 0 || k > n || n > kBinomialLargestN || k > kBinomialLargestK) return 0;
    return detail::kBinomialTable[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

} // namespace orvane
