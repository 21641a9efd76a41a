#include "geo/Coordinates.h"

#include <QRegularExpression>

#include <cmath>

namespace geo {

namespace {

// Degrees, one hemisphere letter, two digits of minutes; maxDegrees bounds the whole value.
std::optional<double> angleFromText(QStringView text, QChar plus, QChar minus, int maxDegrees) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,3})([A-Za-z])(\\d\\d)$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QChar hemisphere = m.capturedView(2).front().toUpper();
    const int degrees = m.capturedView(1).toInt();
    const int minutes = m.capturedView(3).toInt();
    if ((hemisphere != plus && hemisphere != minus) || minutes >= 60 ||
        degrees * 60 + minutes > maxDegrees * 60)
        return std::nullopt;
    const double value = degrees + minutes / 60.0;
    return hemisphere == plus ? value : -value;
}

int letterIndex(QChar c, QChar first) {
    return c.toUpper().unicode() - first.unicode();
}

} // namespace

std::optional<double> latitudeFromText(QStringView text) {
    return angleFromText(text, u'N', u'S', 90);
}

std::optional<double> longitudeFromText(QStringView text) {
    return angleFromText(text, u'E', u'W', 180);
}

std::optional<LatLon> siteFromTexts(QStringView lati, QStringView longi) {
    const auto lat = latitudeFromText(lati);
    const auto lon = longitudeFromText(longi);
    if (!lat || !lon)
        return std::nullopt;
    return LatLon{*lat, *lon};
}

std::optional<LatLon> fromLocator(QStringView locator) {
    const QStringView l = locator.trimmed();
    if (l.size() != 4 && l.size() != 6)
        return std::nullopt;
    const int field[2] = {letterIndex(l[0], u'A'), letterIndex(l[1], u'A')};
    const int square[2] = {l[2].digitValue(), l[3].digitValue()};
    for (int i : {0, 1})
        if (field[i] < 0 || field[i] > 17 || square[i] < 0)
            return std::nullopt;
    double lon = field[0] * 20 - 180 + square[0] * 2;
    double lat = field[1] * 10 - 90 + square[1];
    if (l.size() == 4)
        return LatLon{lat + 0.5, lon + 1.0};
    const int sub[2] = {letterIndex(l[4], u'A'), letterIndex(l[5], u'A')};
    for (int i : {0, 1})
        if (sub[i] < 0 || sub[i] > 23)
            return std::nullopt;
    // A subsquare is 5 minutes of longitude by 2.5 minutes of latitude.
    return LatLon{lat + (sub[1] + 0.5) * 2.5 / 60, lon + (sub[0] + 0.5) * 5.0 / 60};
}

std::optional<LatLon> locationFromText(QStringView typed) {
    if (auto square = fromLocator(typed))
        return square;
    static const QRegularExpression pair(
        QStringLiteral("^([+-]?\\d+(?:\\.\\d+)?)\\s*([NnSs]?)\\s*[,;\\s]\\s*"
                       "([+-]?\\d+(?:\\.\\d+)?)\\s*([EeWw]?)$"));
    const QRegularExpressionMatch m = pair.match(typed.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    double lat = m.capturedView(1).toDouble();
    double lon = m.capturedView(3).toDouble();
    if (m.capturedView(2).compare(u"S", Qt::CaseInsensitive) == 0)
        lat = -lat;
    if (m.capturedView(4).compare(u"W", Qt::CaseInsensitive) == 0)
        lon = -lon;
    if (std::abs(lat) > 90 || std::abs(lon) > 180)
        return std::nullopt;
    return LatLon{lat, lon};
}

QString degreesText(LatLon p) {
    return QStringLiteral("%1° %2, %3° %4")
        .arg(std::abs(p.lat), 0, 'f', 2)
        .arg(QChar(p.lat < 0 ? u'S' : u'N'))
        .arg(std::abs(p.lon), 0, 'f', 2)
        .arg(QChar(p.lon < 0 ? u'W' : u'E'));
}

} // namespace geo
