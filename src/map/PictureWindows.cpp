#include "map/PictureWindows.h"

#include "map/BandChartWindow.h"
#include "map/MapCommands.h"
#include "map/MapWindow.h"

namespace map {

namespace {
constexpr GridFollower::Changes Everything{true, true, true};

void toFront(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

PictureWindows::PictureWindows(app::GridPort &grid, QWidget *owner)
    : m_grid(grid), m_owner(owner) {}

PictureWindows::~PictureWindows() {
    delete m_map;
    delete m_chart;
}

MapWindow *PictureWindows::mapWindow() const {
    return m_map;
}
BandChartWindow *PictureWindows::bandChartWindow() const {
    return m_chart;
}

void PictureWindows::Map_Click() {
    if (!m_map) {
        if (!m_land)
            m_land = std::make_unique<LandMask>(geo::builtInLand());
        m_follower.look(m_grid);
        m_map = new MapWindow(m_grid, m_follower, *m_land, m_owner);
        m_map->follow(Everything);
    }
    toFront(m_map);
}

void PictureWindows::BandChart_Click() {
    if (!m_chart) {
        m_follower.look(m_grid);
        m_chart = new BandChartWindow(m_grid, m_follower, m_owner);
        m_chart->follow(Everything);
    }
    toFront(m_chart);
}

void PictureWindows::MyLocation_Click() {
    if (map::MyLocation_Click(m_grid.state(), m_grid.prompts()) && m_map)
        m_map->listenerChanged();
}

void PictureWindows::gridChanged() {
    if (m_map || m_chart)
        follow(m_follower.look(m_grid));
}

bool PictureWindows::behindTheClock() const {
    return (m_map || m_chart) && m_grid.state().UTCHHMM != m_follower.minute();
}

void PictureWindows::follow(GridFollower::Changes changes) {
    if (!changes.any())
        return;
    if (m_map)
        m_map->follow(changes);
    if (m_chart)
        m_chart->follow(changes);
}

} // namespace map
