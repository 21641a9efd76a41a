#include "geo/Sun.h"

#include "geo/Projection.h"
#include "geo/Vector3.h"

#include <cmath>

namespace geo {

LatLon subSolarPoint(const QDateTime &when) {
    static const qint64 j2000 =
        QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
    const double n = (when.toMSecsSinceEpoch() - j2000) / 86400000.0; // days since J2000.0
    const double meanLongitude = 280.460 + 0.9856474 * n;
    const double anomaly = radians(357.528 + 0.9856003 * n);
    const double eclipticLongitude =
        radians(meanLongitude + 1.915 * std::sin(anomaly) + 0.020 * std::sin(2 * anomaly));
    const double obliquity = radians(23.439 - 0.0000004 * n);
    const double rightAscension = degrees(
        std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude)));
    const double declination =
        degrees(std::asin(std::sin(obliquity) * std::sin(eclipticLongitude)));
    const double siderealTime = 280.46061837 + 360.98564736629 * n; // Greenwich, degrees
    return {declination, wrappedDegrees(rightAscension - siderealTime)};
}

double sunElevation(LatLon p, LatLon subSolar) {
    return degrees(std::asin(std::clamp(unitVector(p).dot(unitVector(subSolar)), -1.0, 1.0)));
}

} // namespace geo
