#pragma once

#include <QString>

#include <optional>

namespace geo {

// A point on the earth in degrees, north and east positive.
struct LatLon {
    double lat = 0;
    double lon = 0;
};

// The schedule's site coordinates, degrees, hemisphere letter and minutes: "48N15", "016E22".
// Empty, malformed or out-of-range texts give nothing.
std::optional<double> latitudeFromText(QStringView text);
std::optional<double> longitudeFromText(QStringView text);
std::optional<LatLon> siteFromTexts(QStringView lati, QStringView longi);

// The centre of a Maidenhead square of 4 or 6 characters ("JO62", "JO62QM"), any letter case.
std::optional<LatLon> fromLocator(QStringView locator);

// A listener's location as typed: a locator, or latitude and longitude in degrees
// ("52.52, 13.40", "-33.9 151.2", "52.52N 13.40E").
std::optional<LatLon> locationFromText(QStringView typed);

// "52.52° N, 13.40° E".
QString degreesText(LatLon p);

} // namespace geo
