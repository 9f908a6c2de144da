#pragma once

class QWidget;

namespace orvane {

enum class UserLevel { Beginner, Intermediate, Advanced };

// Applies a user level to the main window: checks its menu item, sets the
// explanatory tooltips (Beginner only) and shows or hides the advanced filter
// panels, fields and report items. No value, selection or check state is
// touched, so a hidden filter keeps its settings and stays in force.
void applyUserLevel(QWidget& window, UserLevel level);
// The level the window's User Level menu has checked.
UserLevel userLevelOf(QWidget& window);

} // namespace orvane
