#include "app/ScreenUnitsUi.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace app {

namespace {
constexpr double TwipsPerInch = 1440.0;
constexpr double DesignFontPoints = 10.0;
} // namespace

QColor colorFromRgb24(int rgb24) {
    return QColor(rgb24 & 0xff, (rgb24 >> 8) & 0xff, (rgb24 >> 16) & 0xff);
}

int rgb24FromColor(const QColor &color) {
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

double twipsPerPixel(const QWidget *w) {
    const QScreen *screen = w ? w->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return TwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

int twipsToPixels(double twips, const QWidget *w) {
    return int(std::lround(twips / twipsPerPixel(w)));
}

double pixelsToTwips(double pixels, const QWidget *w) {
    return pixels * twipsPerPixel(w);
}

double desktopFontScale() {
    const double points = QFontInfo(QApplication::font()).pointSizeF();
    return std::max(1.0, points / DesignFontPoints);
}

BusyPointer::BusyPointer() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer() {
    QApplication::restoreOverrideCursor();
}

void BusyPointer::clearAll() {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace app
