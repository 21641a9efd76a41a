#pragma once

#include "map/BandChartView.h"

#include <QWidget>

class QComboBox;
class QLabel;

namespace map {

// "View" > "Band Chart": the grid's rows of one broadcast band across the UTC day.
class BandChartWindow : public QWidget {
    Q_OBJECT
public:
    BandChartWindow(app::GridPort &grid, const GridFollower &follower, QWidget *parent = nullptr);

    void follow(GridFollower::Changes changes);
    void chooseBand(int index); // in geo::broadcastBands()

    BandChartView *view() const { return m_view; }
    const BandBars &bars() const { return m_bars; }

private:
    void collect();
    void showCounts();
    int currentPosition() const;
    void barClicked(int bar);

    app::GridPort &m_grid;
    const GridFollower &m_follower;
    BandBars m_bars;
    BandChartView *m_view;
    QComboBox *m_band;
    QLabel *m_counts;
};

} // namespace map
