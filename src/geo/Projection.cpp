#include "geo/Projection.h"

#include <cmath>
#include <numbers>

namespace geo {

namespace {
constexpr double Pi = std::numbers::pi;
}

double wrappedDegrees(double degrees) {
    const double wrapped = std::remainder(degrees, 360.0);
    return wrapped == -180 ? 180 : wrapped;
}

Projection::Projection(ProjectionKind kind, LatLon centre)
    : m_kind(kind), m_centre(centre), m_c(unitVector(centre)) {
    const double lat = radians(centre.lat), lon = radians(centre.lon);
    m_east = {-std::sin(lon), std::cos(lon), 0};
    m_north = {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
}

std::optional<QPointF> Projection::forward(LatLon p) const {
    if (m_kind == ProjectionKind::LatLon)
        return QPointF(radians(wrappedDegrees(p.lon - m_centre.lon)), radians(p.lat));
    const Vector3 v = unitVector(p);
    const double e = v.dot(m_east), n = v.dot(m_north);
    const double across = std::hypot(e, n);
    const double distance = std::atan2(across, v.dot(m_c));
    if (across < 1e-12)
        return distance < Pi / 2 ? std::optional(QPointF(0, 0)) : std::nullopt;
    return QPointF(distance * e / across, distance * n / across);
}

std::optional<LatLon> Projection::inverse(QPointF xy) const {
    if (m_kind == ProjectionKind::LatLon) {
        if (std::abs(xy.x()) > Pi || std::abs(xy.y()) > Pi / 2)
            return std::nullopt;
        return LatLon{degrees(xy.y()), wrappedDegrees(m_centre.lon + degrees(xy.x()))};
    }
    if (std::hypot(xy.x(), xy.y()) < 1e-12)
        return m_centre;
    const auto unit = inverseUnit(xy);
    return unit ? std::optional(latLonOf(*unit)) : std::nullopt;
}

std::optional<Vector3> Projection::inverseUnit(QPointF xy) const {
    if (m_kind == ProjectionKind::LatLon) {
        const auto p = inverse(xy);
        return p ? std::optional(unitVector(*p)) : std::nullopt;
    }
    const double distance = std::hypot(xy.x(), xy.y());
    if (distance > Pi)
        return std::nullopt;
    if (distance < 1e-12)
        return m_c;
    const Vector3 towards = m_east * (xy.x() / distance) + m_north * (xy.y() / distance);
    return m_c * std::cos(distance) + towards * std::sin(distance);
}

} // namespace geo
