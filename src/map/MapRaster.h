#pragma once

#include "geo/LandOutlines.h"
#include "geo/Vector3.h"
#include "map/MapFrame.h"

#include <QImage>

#include <vector>

namespace map {

// The land of the whole earth as a mask in plain latitude / longitude, drawn once from the
// outlines; the maps look it up pixel by pixel, so no projection has to cut a polygon.
class LandMask {
public:
    explicit LandMask(const QVector<geo::LandPolygon> &land, int width = 2880);
    bool isLand(const geo::Vector3 &p) const; // a unit vector, see geo/Vector3.h

private:
    QImage m_mask;
    double m_perDegree;
};

// Sea, land and coast within the earth; outside it transparent.
QImage drawBackground(const LandMask &land, const geo::Projection &projection,
                      const MapFrame &frame, QSize size);

// The night side as a dark shade, darkest 12° under the horizon and fading out towards the
// sunset line (the grey line), worked out at every step-th pixel and meant to be drawn scaled
// up. The points of the earth under those pixels are found once per view, so that the shade
// for a new minute costs one product per point.
class NightGrid {
public:
    NightGrid(const geo::Projection &projection, const MapFrame &frame, QSize size, int step);
    int step() const { return m_step; }
    QImage shade(geo::LatLon subSolar) const;

private:
    int m_step;
    QSize m_size;
    std::vector<geo::Vector3> m_points; // zero off the map
};

} // namespace map
