#pragma once

#include "wheel/FilterControls.h"

namespace orvane {

class FiltersATab;
class FiltersBTab;
class FiltersCTab;

// The three filter tabs of frmOrvaneMain seen as one: the run reads them into
// one plain value, locks them at its start and gives them back at its end.
class FilterPanel {
public:
    FilterPanel(FiltersATab& a, FiltersBTab& b, FiltersCTab& c) : a_(a), b_(b), c_(c) {}

    // Every filter control as the user set it.
    FilterControls read() const;
    // Sets the saved filter controls in the settings file's order, as the user would.
    void apply(const FilterControls& controls);
    void showNormalised(const FilterControls& controls);
    void loadPositionalAnalysis(bool enabled);
    void lockForRun();
    void restoreAfterRun();

private:
    FiltersATab& a_;
    FiltersBTab& b_;
    FiltersCTab& c_;
};

} // namespace orvane
