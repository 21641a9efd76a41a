#include "app/Contrast.h"

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// One sRGB channel (0..255) as linear light.
double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(int rgb24) {
    return 0.2126 * linear(rgb24 & 0xff) + 0.7152 * linear((rgb24 >> 8) & 0xff) +
           0.0722 * linear((rgb24 >> 16) & 0xff);
}

double contrastRatio(int foreRgb24, int backRgb24) {
    const double a = relativeLuminance(foreRgb24);
    const double b = relativeLuminance(backRgb24);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

int readableOn(int backRgb24, const QList<int> &candidates) {
    int best = Black;
    double bestRatio = 0;
    for (int candidate : candidates) {
        const double ratio = contrastRatio(candidate, backRgb24);
        if (ratio >= ReadableContrast)
            return candidate;
        if (ratio > bestRatio) {
            best = candidate;
            bestRatio = ratio;
        }
    }
    return best;
}

} // namespace app
