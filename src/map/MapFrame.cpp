#include "map/MapFrame.h"

#include <algorithm>
#include <numbers>

namespace map {

MapFrame::MapFrame(QSizeF size, geo::ProjectionKind kind, double zoom, QPointF pan)
    : m_size(size), m_kind(kind), m_zoom(std::clamp(zoom, 1.0, 64.0)), m_pan(pan),
      m_middle(size.width() / 2, size.height() / 2) {
    constexpr double pi = std::numbers::pi;
    const double height = kind == geo::ProjectionKind::Azimuthal ? 2 * pi : pi;
    m_scale = std::min(size.width() / (2 * pi), size.height() / height) * m_zoom;
}

MapFrame MapFrame::zoomedAt(QPointF at, double factor) const {
    const QPointF fixed = toMap(at);
    MapFrame zoomed(m_size, m_kind, m_zoom * factor, m_pan);
    const QPointF moved = zoomed.toMap(at);
    return MapFrame(m_size, m_kind, zoomed.m_zoom, m_pan + (fixed - moved));
}

} // namespace map
