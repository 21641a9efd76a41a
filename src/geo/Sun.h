#pragma once

#include "geo/Coordinates.h"

#include <QDateTime>

namespace geo {

// Where the sun stands overhead at this moment (to about 0.1°, the almanac's low-precision
// formulas).
LatLon subSolarPoint(const QDateTime &when);

// The sun's height above the horizon at p, in degrees, with the sun overhead at subSolar.
double sunElevation(LatLon p, LatLon subSolar);

} // namespace geo
