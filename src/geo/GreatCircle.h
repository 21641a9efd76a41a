#pragma once

#include "geo/Coordinates.h"

#include <QVector>

namespace geo {

inline constexpr double EarthRadiusKm = 6371.0;

// Along the great circle (the shorter way).
double distanceKm(LatLon from, LatLon to);
// The initial bearing from true north, 0 up to 360 degrees; 0 when the points coincide.
double initialBearing(LatLon from, LatLon to);
// segments + 1 points from from to to, evenly spaced along the great circle.
QVector<LatLon> greatCirclePath(LatLon from, LatLon to, int segments);

// "1,234 km" and "57°", as the windows show them.
QString distanceText(double km);
QString bearingText(double degrees);

} // namespace geo
