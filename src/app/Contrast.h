#pragma once

// How well one colour reads on another, by the WCAG 2 measure. Colours are stored values,
// red + 256 * green + 65536 * blue.
#include <QList>

namespace app {

inline constexpr int Black = 0;
inline constexpr int White = 0xffffff;
// Normal-size text reads well from this ratio on.
inline constexpr double ReadableContrast = 4.5;

// 0 for black to 1 for white.
double relativeLuminance(int rgb24);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double contrastRatio(int foreRgb24, int backRgb24);
// The first candidate that reads well on back, or else the one that reads best.
int readableOn(int backRgb24, const QList<int> &candidates);
// Black or white, whichever reads better on back.
inline int textOn(int backRgb24) {
    return readableOn(backRgb24, {Black, White});
}

} // namespace app
