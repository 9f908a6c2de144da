#pragma once

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

// The numbers from `first` to `last`, ascending.
inline std::vector<int> range(int first, int last) {
    std::vector<int> pick(last - first + 1);
    std::iota(pick.begin(), pick.end(), first);
    return pick;
}

// A random pick of `smallest` to `largest` numbers from 1 to 49, ascending.
inline std::vector<int> randomPick(std::mt19937& random, int smallest, int largest) {
    std::vector<int> pick = range(1, 49);
    std::shuffle(pick.begin(), pick.end(), random);
    pick.resize(std::uniform_int_distribution<int>(smallest, largest)(random));
    std::sort(pick.begin(), pick.end());
    return pick;
}
