#pragma once

#include "reports/ReportHistory.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

// Histories for the pool tests: written as the history file holds them, and
// made up at random or to order.

// "050788  15 17 30 42 44 49" lines, CR LF ended, a made-up date per line.
inline std::string historyText(const std::vector<orvane::ReportDraw>& draws) {
    std::string text;
    char line[64];
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const orvane::ReportDraw& d = draws[i];
        std::snprintf(line, sizeof line, "%02zu%02zu%02zu  %02d %02d %02d %02d %02d %02d\r\n", i / 28 % 12 + 1,
                      i % 28 + 1, 88 + i / 336 % 12, d[0], d[1], d[2], d[3], d[4], d[5]);
        text += line;
    }
    return text;
}

// Six different numbers drawn from `lowest` to `highest`, ascending.
inline orvane::ReportDraw randomDraw(std::mt19937& random, int lowest, int highest) {
    std::vector<int> numbers(static_cast<std::size_t>(highest - lowest + 1));
    std::iota(numbers.begin(), numbers.end(), lowest);
    std::shuffle(numbers.begin(), numbers.end(), random);
    orvane::ReportDraw draw{};
    std::copy_n(numbers.begin(), 6, draw.begin());
    std::sort(draw.begin(), draw.end());
    return draw;
}

inline std::vector<orvane::ReportDraw> randomDraws(std::mt19937& random, std::size_t count, int lowest = 1,
                                                   int highest = 49) {
    std::vector<orvane::ReportDraw> draws;
    for (std::size_t i = 0; i < count; ++i) draws.push_back(randomDraw(random, lowest, highest));
    return draws;
}

// `drawn` different numbers from 1 to `highest`, ascending.
inline std::vector<int> randomNumbers(std::mt19937& random, int highest, int drawn) {
    std::vector<int> numbers(static_cast<std::size_t>(highest));
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), random);
    numbers.resize(static_cast<std::size_t>(drawn));
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The six numbers from `first` on.
inline orvane::ReportDraw drawFrom(int first) { return {first, first + 1, first + 2, first + 3, first + 4, first + 5}; }
