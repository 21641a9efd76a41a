#include "map/MapView.h"

#include "geo/GreatCircle.h"
#include "geo/Vector3.h"
#include "map/PointerTip.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

namespace map {

namespace {
constexpr int DotRadius = 4;
constexpr int Reach = 7; // pixels around a dot that point at it
constexpr int NightStep = 4;
const QColor OnAirColour(224, 0, 0);
const QColor OffAirColour(48, 96, 192);
const QColor PathColour(160, 0, 160);

// The circle where the sun is on the horizon.
QVector<geo::LatLon> terminator(geo::LatLon subSolar) {
    const geo::Vector3 s = geo::unitVector(subSolar);
    const geo::Vector3 axis = std::abs(s.z) > 0.9 ? geo::Vector3{1, 0, 0} : geo::Vector3{0, 0, 1};
    geo::Vector3 u = s.cross(axis);
    u = u * (1 / u.length());
    const geo::Vector3 v = s.cross(u);
    QVector<geo::LatLon> points;
    for (int degree = 0; degree <= 360; degree += 2) {
        const double t = geo::radians(degree);
        points.append(geo::latLonOf(u * std::cos(t) + v * std::sin(t)));
    }
    return points;
}
} // namespace

MapView::MapView(const LandMask &land, QWidget *parent) : QWidget(parent), m_land(land) {
    setObjectName(QStringLiteral("MapView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted: no background first
    setMinimumSize(240, 160);
}

MapFrame MapView::frame() const {
    return MapFrame(size(), m_projection.kind(), m_zoom, m_pan);
}

void MapView::setProjection(geo::ProjectionKind kind, geo::LatLon centre, bool listenerShown) {
    m_projection = geo::Projection(kind, centre);
    m_listenerShown = listenerShown;
    showWholeMap();
}

void MapView::showWholeMap() {
    m_zoom = 1;
    m_pan = {};
    viewChanged();
}

void MapView::viewChanged() {
    m_background = QImage();
    m_night.reset();
    m_layers = QPixmap();
    layOutDots();
    update();
}

std::optional<QPointF> MapView::pixelOf(geo::LatLon p) const {
    const auto xy = m_projection.forward(p);
    if (!xy)
        return std::nullopt;
    return frame().toPixel(*xy);
}

void MapView::layOutDots() {
    m_dotPixels.resize(m_dots.size());
    for (std::size_t i = 0; i < m_dots.size(); ++i)
        m_dotPixels[i] = pixelOf(m_dots[i].where);
}

void MapView::setDots(std::vector<Dot> dots) {
    m_dots = std::move(dots);
    layOutDots();
    update();
}

void MapView::setOnAir(const std::vector<int> &changed, const std::vector<Dot> &dots) {
    m_dots = dots;
    for (const int dot : changed)
        update(dotRect(dot));
}

QRect MapView::dotRect(int dot) const {
    if (!m_dotPixels[dot])
        return {};
    const QPoint at = m_dotPixels[dot]->toPoint() + m_dragOffset;
    return QRect(at - QPoint(Reach, Reach), at + QPoint(Reach, Reach));
}

void MapView::setTarget(std::optional<Target> target) {
    m_target = std::move(target);
    update();
}

// The sun moves a quarter of a degree a minute: the night and the grey line are redrawn
// once that moves them by a pixel.
void MapView::setSun(geo::LatLon subSolar) {
    m_sun = subSolar;
    if (m_sunDrawn &&
        geo::distanceKm(*m_sunDrawn, subSolar) / geo::EarthRadiusKm * frame().pixelsPerRadian() < 1)
        return;
    m_layers = QPixmap();
    update();
}

int MapView::dotAt(QPointF pixel) const {
    int best = -1;
    double bestDistance = Reach;
    for (std::size_t i = 0; i < m_dots.size(); ++i) {
        if (!m_dotPixels[i])
            continue;
        const double d =
            std::hypot(m_dotPixels[i]->x() - pixel.x(), m_dotPixels[i]->y() - pixel.y());
        if (d <= bestDistance) {
            best = int(i);
            bestDistance = d;
        }
    }
    return best;
}

void MapView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    if (!m_dragOffset.isNull())
        painter.fillRect(event->rect(), palette().window());
    paintLayers(painter);
    painter.translate(m_dragOffset);
    painter.setRenderHint(QPainter::Antialiasing);
    paintTarget(painter);
    paintTargetLabel(painter); // under the dots, which it must not hide
    paintDots(painter, event->rect().translated(-m_dragOffset));
    paintListener(painter);
}

// What changes only with the view or the sun, drawn once into one picture: land, the night,
// the grey line and the distance rings.
void MapView::paintLayers(QPainter &painter) {
    if (m_background.size() != size())
        m_background = drawBackground(m_land, m_projection, frame(), size());
    if (m_layers.isNull()) {
        QImage layers = m_background;
        QPainter shade(&layers);
        shade.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        shade.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!m_night)
            m_night.emplace(m_projection, frame(), size(), NightStep);
        const QImage night = m_night->shade(m_sun);
        shade.drawImage(QRectF(0, 0, night.width() * NightStep, night.height() * NightStep), night);
        shade.setCompositionMode(QPainter::CompositionMode_SourceOver);
        shade.setRenderHint(QPainter::Antialiasing);
        paintDistanceRings(shade);
        paintPath(shade, terminator(m_sun), QPen(QColor(90, 90, 90), 1.5, Qt::DashLine));
        shade.end();
        // On the window's colour, so that painting is a plain copy.
        QImage opaque(size(), QImage::Format_RGB32);
        opaque.fill(palette().window().color());
        QPainter(&opaque).drawImage(0, 0, layers);
        m_layers = QPixmap::fromImage(opaque);
        m_sunDrawn = m_sun;
    }
    painter.drawPixmap(m_dragOffset, m_layers);
}

void MapView::paintDistanceRings(QPainter &painter) {
    if (m_projection.kind() != geo::ProjectionKind::Azimuthal)
        return;
    const MapFrame f = frame();
    const QPointF centre = f.toPixel({0, 0});
    painter.setPen(QPen(QColor(120, 120, 120, 160), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (int km = 5000; km <= 15000; km += 5000) {
        const double r = km / geo::EarthRadiusKm * f.pixelsPerRadian();
        painter.drawEllipse(centre, r, r);
        painter.drawText(centre + QPointF(4, -r - 3), geo::distanceText(km));
    }
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    const double rim = std::numbers::pi * f.pixelsPerRadian();
    painter.drawEllipse(centre, rim, rim);
}

// A line through the points, broken where it leaves the map or jumps across it.
void MapView::paintPath(QPainter &painter, const QVector<geo::LatLon> &points, const QPen &pen) {
    const double jump = std::max(width(), height()) / 3.0;
    painter.setPen(pen);
    QPolygonF line;
    auto flush = [&] {
        if (line.size() > 1)
            painter.drawPolyline(line);
        line.clear();
    };
    for (const geo::LatLon &p : points) {
        const auto pixel = pixelOf(p);
        if (!pixel || (!line.isEmpty() && QLineF(line.last(), *pixel).length() > jump))
            flush();
        if (pixel)
            line << *pixel;
    }
    flush();
}

void MapView::paintDots(QPainter &painter, const QRect &area) {
    const QRect reach = area.adjusted(-Reach, -Reach, Reach, Reach);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    for (bool onAir : {false, true}) {
        painter.setBrush(onAir ? OnAirColour : OffAirColour);
        const double radius = onAir ? DotRadius + 1 : DotRadius;
        for (std::size_t i = 0; i < m_dots.size(); ++i)
            if (m_dots[i].onAir == onAir && m_dotPixels[i] &&
                reach.contains(m_dotPixels[i]->toPoint()))
                painter.drawEllipse(*m_dotPixels[i], radius, radius);
    }
}

void MapView::paintTarget(QPainter &painter) {
    if (!m_target)
        return;
    if (m_listenerShown)
        paintPath(painter, geo::greatCirclePath(m_projection.centre(), m_target->where, 90),
                  QPen(PathColour, 2));
    if (const auto at = pixelOf(m_target->where)) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(*at, 9, 9);
    }
}

void MapView::paintTargetLabel(QPainter &painter) {
    const auto at = m_target ? pixelOf(m_target->where) : std::nullopt;
    if (!at || m_target->label.isEmpty())
        return;
    QRectF box = painter.fontMetrics().boundingRect(m_target->label).adjusted(-4, -2, 4, 2);
    box.moveTopLeft(*at + QPointF(12, 6));
    painter.setPen(Qt::black);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, m_target->label);
}

void MapView::paintListener(QPainter &painter) {
    const auto at = m_listenerShown ? pixelOf(m_projection.centre()) : std::nullopt;
    if (!at)
        return;
    for (const auto &[colour, width] : {std::pair{Qt::white, 4.0}, std::pair{Qt::black, 2.0}}) {
        painter.setPen(QPen(colour, width));
        painter.drawLine(*at + QPointF(-7, 0), *at + QPointF(7, 0));
        painter.drawLine(*at + QPointF(0, -7), *at + QPointF(0, 7));
    }
}

void MapView::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    viewChanged();
}

void MapView::wheelEvent(QWheelEvent *event) {
    const MapFrame zoomed =
        frame().zoomedAt(event->position(), std::pow(1.25, event->angleDelta().y() / 120.0));
    m_zoom = zoomed.zoom();
    m_pan = zoomed.pan();
    viewChanged();
}

void MapView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pressedAt = event->position().toPoint();
}

void MapView::mouseMoveEvent(QMouseEvent *event) {
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint offset = event->position().toPoint() - *m_pressedAt;
    if (offset.manhattanLength() > 3 || !m_dragOffset.isNull()) {
        m_dragOffset = offset;
        update();
    }
}

void MapView::mouseReleaseEvent(QMouseEvent *event) {
    if (!m_pressedAt || event->button() != Qt::LeftButton)
        return;
    m_pressedAt.reset();
    if (!m_dragOffset.isNull()) {
        const double scale = frame().pixelsPerRadian();
        m_pan += QPointF(-m_dragOffset.x() / scale, m_dragOffset.y() / scale);
        m_dragOffset = {};
        viewChanged();
        return;
    }
    if (const int dot = dotAt(event->position()); dot >= 0)
        emit dotClicked(dot);
}

bool MapView::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    return showPointerTip(this, event, [this](QPoint at) {
        const int dot = dotAt(at);
        return dot >= 0 && m_tipFor ? m_tipFor(dot) : QString();
    });
}

} // namespace map
