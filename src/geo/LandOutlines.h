#pragma once

#include <QByteArray>
#include <QPointF>
#include <QVector>

namespace geo {

// Land as plain longitude / latitude polygons (x longitude, y latitude, degrees): the outer
// ring, then its holes. Longitudes are continuous along a ring, so a ring crossing 180° runs
// past it and must be drawn once more 360° further west.
using Ring = QVector<QPointF>;
using LandPolygon = QVector<Ring>;

// The compact file scripts/land-outlines.py writes; nothing when the bytes are not one.
QVector<LandPolygon> landFromBytes(const QByteArray &bytes);

// Natural Earth's 1:110 million land, compiled into the program.
QVector<LandPolygon> builtInLand();

} // namespace geo
