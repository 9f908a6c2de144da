#pragma once

#include <array>

// Visits the sets of a pool of `poolSize` numbers in run order, as indexes into
// the pool, A first. The visitor may move the indexes forward (as the skip
// does) and returns false to stop.
template <typename Visit> void forEachSetInRunOrder(int poolSize, Visit visit) {
    std::array<int, 6> index{0, 1, 2, 3, 4, 5};
    while (visit(index)) {
        int k = 5;
        while (k >= 0 && index[k] == poolSize - 6 + k) --k;
        if (k < 0) return;
        ++index[k];
        for (int j = k + 1; j < 6; ++j) index[j] = index[j - 1] + 1;
    }
}
