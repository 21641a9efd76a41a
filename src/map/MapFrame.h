#pragma once

#include "geo/Projection.h"

#include <QSizeF>

namespace map {

// Map coordinates (see geo::Projection) on a widget's pixels: the whole map fits the widget
// at zoom 1; pan is the map point shown in the middle.
class MapFrame {
public:
    MapFrame(QSizeF size, geo::ProjectionKind kind, double zoom = 1, QPointF pan = {});

    double pixelsPerRadian() const { return m_scale; }
    QPointF toPixel(QPointF map) const {
        return {m_middle.x() + (map.x() - m_pan.x()) * m_scale,
                m_middle.y() - (map.y() - m_pan.y()) * m_scale};
    }
    QPointF toMap(QPointF pixel) const {
        return {m_pan.x() + (pixel.x() - m_middle.x()) / m_scale,
                m_pan.y() - (pixel.y() - m_middle.y()) / m_scale};
    }
    // Zoomed by factor about the pixel at, which stays where it is; zoom within 1 to 64.
    MapFrame zoomedAt(QPointF at, double factor) const;
    double zoom() const { return m_zoom; }
    QPointF pan() const { return m_pan; }

private:
    QSizeF m_size;
    geo::ProjectionKind m_kind;
    double m_zoom;
    QPointF m_pan, m_middle;
    double m_scale;
};

} // namespace map
