#include "app/Conversions.h"

#include <cmath>
#include <limits>

namespace app {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

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
    QString digits;
    bool seenDigit = false, seenPoint = false, seenExp = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isBlank(c))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            seenDigit = true;
        } else if ((c == u'+' || c == u'-') && (digits.isEmpty() || digits.back() == u'e')) {
        } else if (c == u'.' && !seenPoint && !seenExp) {
            seenPoint = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && seenDigit && !seenExp) {
            seenExp = true;
            digits += u'e';
            continue;
        } else {
            break;
        }
        digits += c;
    }
    // A dangling exponent or sign is not part of the number.
    while (!digits.isEmpty() && !digits.back().isDigit() && digits.back() != u'.')
        digits.chop(1);
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0.0;
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

} // namespace app
