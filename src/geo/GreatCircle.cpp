#include "geo/GreatCircle.h"

#include "geo/Vector3.h"

#include <QLocale>

#include <cmath>

namespace geo {

double distanceKm(LatLon from, LatLon to) {
    return angleBetween(unitVector(from), unitVector(to)) * EarthRadiusKm;
}

double initialBearing(LatLon from, LatLon to) {
    const double f1 = radians(from.lat), f2 = radians(to.lat);
    const double dl = radians(to.lon - from.lon);
    const double y = std::sin(dl) * std::cos(f2);
    const double x = std::cos(f1) * std::sin(f2) - std::sin(f1) * std::cos(f2) * std::cos(dl);
    if (std::abs(x) < 1e-12 && std::abs(y) < 1e-12)
        return 0;
    const double bearing = degrees(std::atan2(y, x));
    return bearing < 0 ? bearing + 360 : bearing;
}

QVector<LatLon> greatCirclePath(LatLon from, LatLon to, int segments) {
    const Vector3 a = unitVector(from), b = unitVector(to);
    const double angle = angleBetween(a, b);
    QVector<LatLon> points;
    points.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = double(i) / segments;
        if (std::sin(angle) < 1e-9) { // the same point, or its antipode: no one great circle
            points.append(i < segments ? from : to);
            continue;
        }
        const double wa = std::sin((1 - t) * angle) / std::sin(angle);
        const double wb = std::sin(t * angle) / std::sin(angle);
        points.append(latLonOf(a * wa + b * wb));
    }
    return points;
}

QString distanceText(double km) {
    return QLocale(QLocale::English).toString(qlonglong(std::llround(km))) + QStringLiteral(" km");
}

QString bearingText(double degrees) {
    const long rounded = std::lround(degrees) % 360;
    return QString::number(rounded) + QStringLiteral("°");
}

} // namespace geo
