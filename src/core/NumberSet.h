#pragma once

#include "core/BitCount.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace orvane {

// A set of numbers from 1 to 90, the main or bonus numbers of any game: bit n
// for number n, in two words. Numbers outside 1 to 90 are never held.
class NumberSet {
public:
    static constexpr int kLargest = 90;

    constexpr NumberSet() = default;
    constexpr NumberSet(std::initializer_list<int> numbers) {
        for (int n : numbers) add(n);
    }
    // The numbers from `first` to `last`.
    static constexpr NumberSet range(int first, int last) {
        NumberSet set;
        for (int n = first; n <= last; ++n) set.add(n);
        return set;
    }

    constexpr void add(int n) {
        if (n >= 1 && n <= kLargest) words_[n >> 6] |= std::uint64_t{1} << (n & 63);
    }
    constexpr void remove(int n) {
        if (n >= 1 && n <= kLargest) words_[n >> 6] &= ~(std::uint64_t{1} << (n & 63));
    }
    constexpr bool has(int n) const { return n >= 1 && n <= kLargest && (words_[n >> 6] >> (n & 63) & 1) != 0; }
    constexpr int count() const { return countOf(words_[0]) + countOf(words_[1]); }
    constexpr bool empty() const { return (words_[0] | words_[1]) == 0; }
    // How many numbers the two sets share.
    constexpr int shared(const NumberSet& other) const {
        return countOf(words_[0] & other.words_[0]) + countOf(words_[1] & other.words_[1]);
    }
    constexpr NumberSet operator&(const NumberSet& other) const {
        return NumberSet(words_[0] & other.words_[0], words_[1] & other.words_[1]);
    }
    constexpr NumberSet operator|(const NumberSet& other) const {
        return NumberSet(words_[0] | other.words_[0], words_[1] | other.words_[1]);
    }
    constexpr bool operator==(const NumberSet& other) const = default;

    // Calls `visit` with each number, ascending.
    template <typename Visit> constexpr void forEach(Visit visit) const {
        for (int word = 0; word < 2; ++word)
            for (std::uint64_t rest = words_[word]; rest != 0; rest &= rest - 1) {
                int bit = 0;
                while ((rest >> bit & 1) == 0) ++bit;
                visit(word * 64 + bit);
            }
    }
    // The numbers, ascending.
    std::vector<int> numbers() const {
        std::vector<int> list;
        forEach([&](int n) { list.push_back(n); });
        return list;
    }
    // Numbers 1 to 63 as one word (bit n: number n), for the fast paths of games up to 63.
    constexpr std::uint64_t low() const { return words_[0]; }

private:
    constexpr NumberSet(std::uint64_t low, std::uint64_t high) : words_{low, high} {}
    std::uint64_t words_[2] = {0, 0};
};

} // namespace orvane
