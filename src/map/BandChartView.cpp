#include "map/BandChartView.h"

#include "map/PointerTip.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace map {

namespace {
constexpr int Left = 64, Top = 22, Right = 12, Bottom = 8;

QColor colourOf(BarState state) {
    switch (state) {
    case BarState::OnAir:
        return {224, 0, 0};
    case BarState::ComingUp:
        return {240, 160, 0};
    default:
        return {70, 110, 170};
    }
}

// kHz between frequency labels: about one per 40 pixels, in steps of 10, 25, 50, 100.
int labelStep(const geo::Band &band, double height) {
    for (int step : {10, 25, 50, 100})
        if ((band.highKhz - band.lowKhz) / step * 40 <= height)
            return step;
    return 200;
}
} // namespace

BandChartView::BandChartView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BandChartView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted: no background first
    setMinimumSize(360, 200);
}

ChartScale BandChartView::scale() const {
    return ChartScale(QRectF(Left, Top, width() - Left - Right, height() - Top - Bottom), m_band);
}

void BandChartView::setBars(const geo::Band &band, const GridRows *rows, const BandBars *bars) {
    if (band.name != m_band.name)
        m_scales = QPixmap();
    m_band = band;
    m_rows = rows;
    m_bars = bars;
    m_spans.clear();
    update();
}

BarRects BandChartView::rectsOf(const Bar &bar, const ChartScale &scale) const {
    return scale.barRects(m_rows->index->times()[bar.times], bar.khz);
}

QRect BandChartView::barArea(int bar) const {
    const auto [first, second] = rectsOf(m_bars->bars[bar], scale());
    return first.united(second).adjusted(-2, -2, 2, 2);
}

QRect BandChartView::nowLineArea() const {
    const ChartScale s = scale();
    const int x = int(s.x(m_now));
    return QRect(x - 2, 0, 5, height());
}

void BandChartView::setNow(int minute, const std::vector<int> &changedBars) {
    const QRect before = nowLineArea();
    m_now = minute;
    if (nowLineArea() != before) { // a minute is about half a pixel
        update(before);
        update(nowLineArea());
    }
    for (const int bar : changedBars)
        update(barArea(bar));
    if (!changedBars.empty())
        m_spans.clear();
}

void BandChartView::setCurrentPosition(int position) {
    if (position == m_current)
        return;
    m_current = position;
    update();
}

int BandChartView::barAt(QPointF pixel) const {
    if (!m_bars)
        return -1;
    const ChartScale s = scale();
    int best = -1;
    for (std::size_t i = 0; i < m_bars->bars.size(); ++i) {
        const auto [first, second] = rectsOf(m_bars->bars[i], s);
        // Bars are drawn by state, on the air last: the one on top is the one pointed at.
        if ((first.contains(pixel.toPoint()) || second.contains(pixel.toPoint())) &&
            (best < 0 || m_bars->bars[i].state >= m_bars->bars[best].state))
            best = int(i);
    }
    return best;
}

void BandChartView::paintEvent(QPaintEvent *event) {
    if (m_scales.size() != size()) { // the hours and frequencies, drawn once per size and band
        QImage scales(size(), QImage::Format_RGB32); // opaque: painting it is a plain copy
        scales.fill(Qt::white);
        QPainter painter(&scales);
        paintScales(painter);
        painter.end();
        m_scales = QPixmap::fromImage(scales);
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), m_scales, event->rect());
    paintBars(painter, event->rect());
    const ChartScale s = scale();
    painter.setPen(QPen(QColor(0, 140, 0), 2));
    painter.drawLine(QPointF(s.x(m_now), s.plot().top() - 6),
                     QPointF(s.x(m_now), s.plot().bottom()));
}

void BandChartView::paintScales(QPainter &painter) {
    const ChartScale s = scale();
    const QRectF plot = s.plot();
    painter.setPen(QColor(225, 225, 225));
    for (int hour = 0; hour <= 24; ++hour)
        painter.drawLine(QPointF(s.x(hour * 60), plot.top()),
                         QPointF(s.x(hour * 60), plot.bottom()));
    painter.setPen(Qt::black);
    for (int hour = 0; hour <= 24; hour += 3)
        painter.drawText(QRectF(s.x(hour * 60) - 20, 0, 40, Top - 4), Qt::AlignCenter,
                         QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
    const int step = labelStep(m_band, plot.height());
    const int first = (int(m_band.lowKhz) + step - 1) / step * step;
    for (int khz = first; khz <= m_band.highKhz; khz += step) {
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(QPointF(plot.left(), s.y(khz)), QPointF(plot.right(), s.y(khz)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, s.y(khz) - 8, Left - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(khz));
    }
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(plot);
}

void BandChartView::paintBars(QPainter &painter, const QRect &area) {
    if (!m_bars)
        return;
    const ChartScale s = scale();
    if (m_spans.empty())
        m_spans = mergedSpans(m_bars->bars, m_rows->index->times(), s);
    painter.setPen(Qt::NoPen);
    for (auto from = m_spans.begin(); from != m_spans.end();) { // one call per state
        const auto to = std::find_if(from, m_spans.end(),
                                     [&](const Span &s) { return s.state != from->state; });
        QVector<QRect> rects;
        for (auto span = from; span != to; ++span)
            if (span->rect.intersects(area))
                rects << span->rect;
        painter.setBrush(colourOf(from->state));
        painter.drawRects(rects);
        from = to;
    }
    const std::vector<Bar> &bars = m_bars->bars;
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (bars[i].position == m_current) {
            painter.setPen(QPen(Qt::black, 1.5));
            painter.setBrush(Qt::NoBrush);
            const auto [first, second] = rectsOf(bars[i], s);
            painter.drawRect(first.adjusted(-1, -1, 1, 1));
            if (!second.isEmpty())
                painter.drawRect(second.adjusted(-1, -1, 1, 1));
        }
}

void BandChartView::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    m_spans.clear();
}

void BandChartView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (const int bar = barAt(event->position()); bar >= 0)
        emit barClicked(bar);
}

bool BandChartView::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    return showPointerTip(this, event, [this](QPoint at) {
        const int bar = barAt(at);
        return bar >= 0 ? barToolTip(*m_rows, m_bars->bars[bar]) : QString();
    });
}

} // namespace map
