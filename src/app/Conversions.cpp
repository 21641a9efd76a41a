#include "app/Conversions.h"

#include "jet/SqlExpr.h"

#include <cmath>
#include <limits>

namespace app {

namespace {

template <typename Int> std::optional<Int> roundTo(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = std::nearbyint(v); // the default rounding mode sends halves to even
    if (r < double(std::numeric_limits<Int>::min()) || r > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(r);
}

} // namespace

double leadingNumber(const QString &text) {
    return jet::valOf(text);
}

std::optional<double> parseNumber(const QString &text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint16> roundToInt16(double v) {
    return roundTo<qint16>(v);
}
std::optional<qint32> roundToInt32(double v) {
    return roundTo<qint32>(v);
}

std::optional<bool> parseFlag(const QString &text) {
    const QString t = text.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (const auto n = parseNumber(t))
        return *n != 0;
    return std::nullopt;
}

QString flagText(bool v) {
    return v ? QStringLiteral("True") : QStringLiteral("False");
}

QString realText(double v) {
    return QString::number(v, 'g', 15);
}

TwipsLength::TwipsLength(double twips, double twipsPerPixel)
    : m_twips(twips), m_twipsPerPixel(twipsPerPixel > 0 ? twipsPerPixel : 15.0),
      m_pixels(int(twips / m_twipsPerPixel)) {}

double TwipsLength::twipsFor(int pixels) const {
    return pixels == m_pixels ? m_twips : std::round(pixels * m_twipsPerPixel);
}

} // namespace app
