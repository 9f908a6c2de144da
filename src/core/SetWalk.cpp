#include "core/SetWalk.h"

namespace orvane {

SetWalk::SetWalk(std::vector<int> pick, int perSet) : pick_(std::move(pick)) {
    const auto size = static_cast<std::size_t>(perSet < 0 ? 0 : perSet);
    ended_ = perSet <= 0 || pick_.size() < size;
    if (ended_) return;
    for (std::size_t k = 0; k < size; ++k) {
        at_.push_back(k);
        set_.push_back(pick_[k]);
    }
}

bool SetWalk::next() {
    if (ended_) return false;
    const std::size_t size = at_.size(), count = pick_.size();
    // The rightmost number that can still move up, then the ones after it just above it.
    for (std::size_t k = size; k-- > 0;) {
        if (at_[k] < count - size + k) {
            ++at_[k];
            set_[k] = pick_[at_[k]];
            for (std::size_t j = k + 1; j < size; ++j) {
                at_[j] = at_[j - 1] + 1;
                set_[j] = pick_[at_[j]];
            }
            return true;
        }
    }
    ended_ = true;
    return false;
}

std::vector<std::string> bonusParts(const std::vector<int>& pickedBonus, int drawn) {
    std::vector<std::string> parts;
    for (SetWalk walk(pickedBonus, drawn); !walk.ended(); walk.next()) {
        std::string part = " +";
        for (int n : walk.set()) part += " " + std::to_string(n);
        parts.push_back(part);
    }
    return parts;
}

} // namespace orvane
