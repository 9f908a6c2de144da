#include "platform/FixedFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

namespace orvane {

namespace {

QFont candidate(const QString& family, int pointSize) {
    QFont font(family, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// The first family that measures fixed pitch, found once: the font database
// does not change while the program runs.
QString chosenFamily() {
    static const QString family = [] {
        QStringList families{
            QStringLiteral("Courier New"),     QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
            QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
            QStringLiteral("Noto Mono"),       QStringLiteral("Nimbus Mono PS"),
            QStringLiteral("FreeMono"),        QStringLiteral("Monospace")};
        for (const QString& name : families)
            if (measuresFixedPitch(candidate(name, 12))) return name;
        return families[1];
    }();
    return family;
}

} // namespace

bool measuresFixedPitch(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal narrow = metrics.horizontalAdvance(QStringLiteral("iiii"));
    const qreal wide = metrics.horizontalAdvance(QStringLiteral("WWWW"));
    return narrow > 0 && qAbs(narrow - wide) < 0.01 * wide;
}

QFont fixedPitchFont(int pointSize) { return candidate(chosenFamily(), pointSize); }

} // namespace orvane
