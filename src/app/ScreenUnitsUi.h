#pragma once

// What every window shares about the screen: stored colours, twips, the busy pointer.
#include <QColor>

class QWidget;

namespace app {

// Stored colours are red + 256 * green + 65536 * blue.
QColor colorFromRgb24(int rgb24);
int rgb24FromColor(const QColor &color);

// Twips (1440 per inch) and pixels at the screen's logical resolution (vertical DPI; square
// pixels on every screen the program meets).
double twipsPerPixel(const QWidget *w = nullptr);
int twipsToPixels(double twips, const QWidget *w = nullptr);
double pixelsToTwips(double pixels, const QWidget *w = nullptr);
// Windows laid out in twips were drawn for a small font: they grow by this factor when the
// desktop's font is larger than 10 points, so that their texts still fit.
double desktopFontScale();

// The hourglass for the lifetime of the guard.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

    // The normal pointer again, whatever was left busy (the main window's activation).
    static void clearAll();
};

} // namespace app
