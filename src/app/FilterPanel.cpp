#include "app/FilterPanel.h"

#include "app/FiltersATab.h"
#include "app/FiltersBTab.h"
#include "app/FiltersCTab.h"

namespace orvane {

FilterControls FilterPanel::read() const {
    FilterControls controls;
    a_.read(controls);
    b_.read(controls);
    c_.read(controls);
    return controls;
}

void FilterPanel::apply(const FilterControls& controls) {
    a_.apply(controls);
    b_.apply(controls);
}

void FilterPanel::showNormalised(const FilterControls& controls) { a_.showNormalised(controls); }

void FilterPanel::loadPositionalAnalysis(bool enabled) { a_.loadPositionalAnalysis(enabled); }

void FilterPanel::lockForRun() {
    a_.lockForRun();
    b_.lockForRun();
}

void FilterPanel::restoreAfterRun() {
    a_.restoreAfterRun();
    b_.restoreAfterRun();
}

} // namespace orvane
