#pragma once

#include "geo/Coordinates.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace geo {

// Points of the earth as unit vectors: x towards 0° N 0° E, y towards 0° N 90° E, z north.
struct Vector3 {
    double x = 0, y = 0, z = 0;
    Vector3 operator*(double k) const { return {x * k, y * k, z * k}; }
    Vector3 operator+(const Vector3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    double dot(const Vector3 &o) const { return x * o.x + y * o.y + z * o.z; }
    Vector3 cross(const Vector3 &o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double length() const { return std::sqrt(dot(*this)); }
};

inline double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}
inline double degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}

inline Vector3 unitVector(LatLon p) {
    const double lat = radians(p.lat), lon = radians(p.lon);
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

inline LatLon latLonOf(const Vector3 &v) {
    return {degrees(std::asin(std::clamp(v.z / v.length(), -1.0, 1.0))),
            degrees(std::atan2(v.y, v.x))};
}

// The angle between two unit vectors in radians, exact also for near and far points.
inline double angleBetween(const Vector3 &a, const Vector3 &b) {
    return std::atan2(a.cross(b).length(), a.dot(b));
}

} // namespace geo
