#pragma once

#include "map/MapFrame.h"
#include "map/MapRaster.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <optional>

namespace map {

// A dot of the map: a transmitter site.
struct Dot {
    geo::LatLon where;
    bool onAir = false;
};

// The current row's site: ringed, with the path from the listener and its label.
struct Target {
    geo::LatLon where;
    QString label;
};

// Draws the map: land, the night side, the dots, the listener and the current row's path.
// Zooms with the wheel, pans by dragging; a click near a dot reports it.
class MapView : public QWidget {
    Q_OBJECT
public:
    MapView(const LandMask &land, QWidget *parent = nullptr);

    // The map centred on centre; the listener is marked there when shown.
    void setProjection(geo::ProjectionKind kind, geo::LatLon centre, bool listenerShown);
    const geo::Projection &projection() const { return m_projection; }
    MapFrame frame() const;
    void showWholeMap();

    void setDots(std::vector<Dot> dots);
    // Only the dots that changed are repainted.
    void setOnAir(const std::vector<int> &changed, const std::vector<Dot> &dots);
    void setTarget(std::optional<Target> target);
    // Redraws the night only when the sun has moved far enough to show.
    void setSun(geo::LatLon subSolar);
    void setToolTipSource(std::function<QString(int dot)> source) { m_tipFor = std::move(source); }

    // The dot within reach of the pixel, -1 when none.
    int dotAt(QPointF pixel) const;
    std::optional<QPointF> pixelOf(geo::LatLon p) const;

signals:
    void dotClicked(int dot);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void viewChanged(); // projection, frame or size: every layer anew
    void layOutDots();
    QRect dotRect(int dot) const;
    void paintLayers(QPainter &painter);
    void paintDistanceRings(QPainter &painter);
    void paintTerminator(QPainter &painter);
    void paintPath(QPainter &painter, const QVector<geo::LatLon> &points, const QPen &pen);
    void paintDots(QPainter &painter, const QRect &area);
    void paintTarget(QPainter &painter);
    void paintTargetLabel(QPainter &painter);
    void paintListener(QPainter &painter);

    const LandMask &m_land;
    geo::Projection m_projection{geo::ProjectionKind::Azimuthal, {}};
    bool m_listenerShown = false;
    double m_zoom = 1;
    QPointF m_pan;
    std::vector<Dot> m_dots;
    std::vector<std::optional<QPointF>> m_dotPixels;
    std::optional<Target> m_target;
    geo::LatLon m_sun;
    std::optional<geo::LatLon> m_sunDrawn; // where the sun was when the night was drawn
    QImage m_background;
    std::optional<NightGrid> m_night;
    QPixmap m_layers; // background and night
    std::function<QString(int)> m_tipFor;
    std::optional<QPoint> m_pressedAt;
    QPoint m_dragOffset;
};

} // namespace map
