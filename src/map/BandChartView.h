#pragma once

#include "map/BandChart.h"

#include <QPixmap>
#include <QWidget>

namespace map {

// Draws the band chart: hours across, the band's kHz down, a bar per broadcast, the minute
// now as a line. A click on a bar reports it; the pointer over one shows what it is.
class BandChartView : public QWidget {
    Q_OBJECT
public:
    explicit BandChartView(QWidget *parent = nullptr);

    // bars and rows stay owned by the caller and must outlive the next call.
    void setBars(const geo::Band &band, const GridRows *rows, const BandBars *bars);
    // Repaints the bars that changed and the line of the minute.
    void setNow(int minute, const std::vector<int> &changedBars);
    void setCurrentPosition(int position);

    ChartScale scale() const;
    int barAt(QPointF pixel) const; // -1 when none

signals:
    void barClicked(int bar);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    BarRects rectsOf(const Bar &bar, const ChartScale &scale) const;
    QRect barArea(int bar) const;
    QRect nowLineArea() const;
    void paintScales(QPainter &painter);
    void paintBars(QPainter &painter, const QRect &area);

    geo::Band m_band;
    const GridRows *m_rows = nullptr;
    const BandBars *m_bars = nullptr;
    QPixmap m_scales;
    std::vector<Span> m_spans; // what is drawn; empty: to be merged
    int m_now = 0;
    int m_current = -1;
};

} // namespace map
