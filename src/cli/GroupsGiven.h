#pragma once

#include "wheel/FilterControls.h"

#include <string>
#include <vector>

namespace orvane {

// The number groups given with --group, in place of the settings file's, so
// none of its groups (or the rest of one) stays in force beside them.
inline void takeGroupsGiven(FilterControls& controls, const std::vector<std::vector<int>>& groups) {
    if (groups.empty()) return;
    controls.enableGroups = 1;
    controls.groups = {};
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (std::size_t i = 0; i < groups[g].size(); ++i) controls.groups[g][i] = std::to_string(groups[g][i]);
}

} // namespace orvane
