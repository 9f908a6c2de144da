#pragma once

#include <QFont>

namespace orvane {

// The fixed-pitch font of the program's columns, on screen and on paper, at
// `pointSize`. The program's own choice, "Courier New" (or the metric twin a
// desktop maps it to), comes first, then the desktop's fixed font, then a few
// free monospace families. A family counts only when it really sets every
// character at one width: a font's fixed-pitch flag is metadata, and desktops
// map unknown families to proportional fonts.
QFont fixedPitchFont(int pointSize);

// Whether `font` sets "iiii" as wide as "WWWW", measured.
bool measuresFixedPitch(const QFont& font);

} // namespace orvane
