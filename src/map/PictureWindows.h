#pragma once

#include "map/GridFollower.h"

#include <QPointer>

#include <memory>

class QWidget;

namespace map {

class LandMask;
class MapWindow;
class BandChartWindow;

// The main window's pictures: the map and the band chart, both following the grid, and the
// listener's location they are drawn for.
class PictureWindows {
public:
    PictureWindows(app::GridPort &grid, QWidget *owner);
    ~PictureWindows();

    // "View" > "Map", "View" > "Band Chart": open, or bring forward.
    void Map_Click();
    void BandChart_Click();
    // "Options" > "My Location…"
    void MyLocation_Click();

    // The grid refreshed or moved its current row, or the clock has a new minute. Cheap while
    // both windows are closed or nothing they show changed.
    void gridChanged();
    // A window is open and the clock has a minute it has not shown yet.
    bool behindTheClock() const;

    MapWindow *mapWindow() const;
    BandChartWindow *bandChartWindow() const;

private:
    void follow(GridFollower::Changes changes);

    app::GridPort &m_grid;
    QWidget *m_owner;
    GridFollower m_follower;
    std::unique_ptr<LandMask> m_land; // drawn when the map is first opened
    QPointer<MapWindow> m_map;
    QPointer<BandChartWindow> m_chart;
};

} // namespace map
