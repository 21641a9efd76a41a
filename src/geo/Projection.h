#pragma once

#include "geo/Coordinates.h"
#include "geo/Vector3.h"

#include <QPointF>

#include <optional>

namespace geo {

enum class ProjectionKind {
    Azimuthal, // azimuthal equidistant: straight lines from the centre are great circles
    LatLon     // plain latitude / longitude, the centre's longitude in the middle
};

// Map coordinates are radians of arc, x east and y north of the centre: the azimuthal map is
// the disc of radius pi (the rim is the centre's antipode), the plain one the rectangle
// |x| <= pi, |y| <= pi / 2.
class Projection {
public:
    Projection(ProjectionKind kind, LatLon centre);

    ProjectionKind kind() const { return m_kind; }
    LatLon centre() const { return m_centre; }
    // Nothing for the centre's antipode on the azimuthal map (it is the whole rim).
    std::optional<QPointF> forward(LatLon p) const;
    // Nothing outside the map.
    std::optional<LatLon> inverse(QPointF xy) const;
    // The same point as a unit vector, without the trigonometry of latitude and longitude.
    std::optional<Vector3> inverseUnit(QPointF xy) const;

private:
    ProjectionKind m_kind;
    LatLon m_centre;
    Vector3 m_c, m_east, m_north; // the centre and its east and north directions
};

// Longitude difference brought into -180 up to 180 degrees.
double wrappedDegrees(double degrees);

} // namespace geo
