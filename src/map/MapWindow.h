#pragma once

#include "map/MapSites.h"
#include "map/MapView.h"

#include <QWidget>

class QComboBox;
class QLabel;

namespace map {

// "View" > "Map": the transmitter sites of the grid's rows on a map centred on the listener.
class MapWindow : public QWidget {
    Q_OBJECT
public:
    MapWindow(app::GridPort &grid, const GridFollower &follower, const LandMask &land,
              QWidget *parent = nullptr);

    // Redoes what the grid's change touches.
    void follow(GridFollower::Changes changes);
    // The listener moved: the map is centred anew.
    void listenerChanged();

    MapView *view() const { return m_view; }
    const SiteMap &sites() const { return m_sites; }

private:
    void centre();
    std::vector<Dot> dots() const;
    void showCounts();
    void showCurrent();
    void siteClicked(int site);

    app::GridPort &m_grid;
    const GridFollower &m_follower;
    SiteMap m_sites;
    MapView *m_view;
    QComboBox *m_projection;
    QLabel *m_path;
    QLabel *m_counts;
    QLabel *m_hint;
};

} // namespace map
