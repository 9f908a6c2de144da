#pragma once

class QWidget;

namespace orvane {

// Gives every box in `window` that the user cannot type in (read-only or
// disabled) the window's colour instead of the white of an editable box, and
// keeps the look following each box as it is locked and unlocked later.
void showLockedBoxesAsLocked(QWidget* window);

} // namespace orvane
