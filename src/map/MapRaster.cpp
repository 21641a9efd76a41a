#include "map/MapRaster.h"

#include "geo/Vector3.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace map {

namespace {
const QRgb Sea = qRgb(214, 230, 243);
const QRgb Land = qRgb(238, 231, 206);
const QRgb Coast = qRgb(150, 138, 100);
constexpr int Outside = -1;
constexpr float Pi = std::numbers::pi_v<float>;

// atan2 within 0.001°, several times faster than the library's: a map's pixel is far coarser.
float fastAtan2(float y, float x) {
    const float ax = std::abs(x), ay = std::abs(y);
    const float big = std::max(ax, ay);
    if (big == 0)
        return 0;
    const float a = std::min(ax, ay) / big, s = a * a;
    float r = ((-0.0464964749f * s + 0.15931422f) * s - 0.327622764f) * s * a + a;
    if (ay > ax)
        r = Pi / 2 - r;
    if (x < 0)
        r = Pi - r;
    return y < 0 ? -r : r;
}

// The nearest point of the map's edge for a point outside it, so that the night drawn
// scaled up does not fade towards the edge.
QPointF onMap(const geo::Projection &projection, QPointF xy) {
    constexpr double pi = std::numbers::pi * (1 - 1e-9);
    if (projection.kind() == geo::ProjectionKind::LatLon)
        return {std::clamp(xy.x(), -pi, pi), std::clamp(xy.y(), -pi / 2, pi / 2)};
    const double distance = std::hypot(xy.x(), xy.y());
    return distance > pi ? xy * (pi / distance) : xy;
}
} // namespace

LandMask::LandMask(const QVector<geo::LandPolygon> &land, int width)
    : m_mask(width, width / 2, QImage::Format_Grayscale8), m_perDegree(width / 360.0) {
    m_mask.fill(0);
    QPainter painter(&m_mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    // Longitude -180 at the left edge, latitude 90 at the top.
    painter.setTransform(
        QTransform(m_perDegree, 0, 0, -m_perDegree, 180 * m_perDegree, 90 * m_perDegree));
    for (const geo::LandPolygon &polygon : land) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const geo::Ring &ring : polygon)
            path.addPolygon(QPolygonF(ring));
        // Rings crossing 180° run past it: their part beyond shows up at the other edge.
        for (double shift : {-360.0, 0.0, 360.0})
            painter.drawPath(path.translated(shift, 0));
    }
}

bool LandMask::isLand(const geo::Vector3 &p) const {
    const float perRadian = float(m_perDegree * 180 / std::numbers::pi);
    const float lon = fastAtan2(float(p.y), float(p.x));
    const float lat = fastAtan2(float(p.z), std::sqrt(float(p.x * p.x + p.y * p.y)));
    const int x = std::clamp(int((lon + Pi) * perRadian), 0, m_mask.width() - 1);
    const int y = std::clamp(int((Pi / 2 - lat) * perRadian), 0, m_mask.height() - 1);
    return m_mask.constScanLine(y)[x] != 0;
}

QImage drawBackground(const LandMask &land, const geo::Projection &projection,
                      const MapFrame &frame, QSize size) {
    const int w = size.width(), h = size.height();
    std::vector<signed char> kind(std::size_t(w) * h, Outside); // 0 sea, 1 land
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const auto p = projection.inverseUnit(frame.toMap(QPointF(x + 0.5, y + 0.5))))
                kind[std::size_t(y) * w + x] = land.isLand(*p) ? 1 : 0;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    auto at = [&](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h ? Outside : kind[std::size_t(y) * w + x];
    };
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int k = at(x, y);
            if (k == 0)
                line[x] = Sea;
            else if (k == 1)
                line[x] =
                    at(x + 1, y) == 0 || at(x - 1, y) == 0 || at(x, y + 1) == 0 || at(x, y - 1) == 0
                        ? Coast
                        : Land;
        }
    }
    return image;
}

NightGrid::NightGrid(const geo::Projection &projection, const MapFrame &frame, QSize size, int step)
    : m_step(step),
      m_size((size.width() + step - 1) / step + 1, (size.height() + step - 1) / step + 1) {
    m_points.reserve(std::size_t(m_size.width()) * m_size.height());
    for (int y = 0; y < m_size.height(); ++y)
        for (int x = 0; x < m_size.width(); ++x)
            m_points.push_back(
                projection.inverseUnit(onMap(projection, frame.toMap(QPointF(x * step, y * step))))
                    .value_or(geo::Vector3{}));
}

QImage NightGrid::shade(geo::LatLon subSolar) const {
    // The shade deepens from 0.8° above the horizon to 12° below it, by the sine of the
    // sun's height (the dot product with the sun's direction).
    const double top = std::sin(geo::radians(0.8)), depth = top + std::sin(geo::radians(12));
    const geo::Vector3 sun = geo::unitVector(subSolar);
    QImage night(m_size, QImage::Format_ARGB32_Premultiplied);
    auto *pixel = reinterpret_cast<QRgb *>(night.bits());
    for (const geo::Vector3 &p : m_points) {
        const bool onMap = p.x != 0 || p.y != 0 || p.z != 0;
        const int alpha = onMap ? int(std::clamp((top - p.dot(sun)) / depth, 0.0, 1.0) * 130) : 0;
        *pixel++ = qPremultiply(qRgba(10, 20, 60, alpha));
    }
    return night;
}

} // namespace map
