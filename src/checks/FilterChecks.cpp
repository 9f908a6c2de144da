#include "checks/FilterChecks.h"

namespace orvane {

void SelectExactValues(const std::array<double, 10>& values, std::array<bool, 50>& selected) {
    // Values outside 1 to 49 (or not whole) name no number of the list and are skipped.
    const std::uint64_t mask = valueMask(values.data(), 10);
    for (int n = 1; n <= 49; ++n)
        if (mask >> n & 1) selected[n] = true;
}

} // namespace orvane
