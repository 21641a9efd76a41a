#pragma once

#include "geo/Bands.h"
#include "map/GridFollower.h"

#include <QRect>
#include <QRectF>

#include <utility>

namespace map {

enum class BarState { Later, ComingUp, OnAir };

// One grid row in the chosen band, with known times.
struct Bar {
    int position = -1; // in the grid
    int times = 0;     // index of the table's times
    double khz = 0;
    BarState state = BarState::Later;
};

struct BandBars {
    std::vector<Bar> bars;
    int withoutTimes = 0; // rows of the band whose UTCB or UTCE is no time
};

BandBars collectBars(const GridRows &rows, const geo::Band &band);
// On the air by the grid's rule; coming up when it begins within the next hour.
BarState barState(const Times &times, bool onAir, int nowMinute);
// Gives every bar its state at nowMinute; returns the bars whose state changed.
std::vector<int> markStates(BandBars &bars, const GridRows &rows,
                            const std::vector<char> &timesOnAir, int nowMinute);

// "40 broadcasts in the band, 6 on the air; 1 row without times (no bar)".
QString countLine(const BandBars &bars);

// What the pointer over a bar shows: station, frequency and time, language and target.
QString barToolTip(const GridRows &rows, const Bar &bar);

// A bar's pixels: one rectangle, and a second one (else empty) for a broadcast over midnight.
using BarRects = std::pair<QRect, QRect>;

// The pixels of bars of one state on one line of the chart, drawn as one rectangle.
struct Span {
    QRect rect;
    BarState state = BarState::Later;
};
class ChartScale;
// What shows of the bars (with their times), line by line: the state on top at each pixel, in
// runs, so that drawing costs the size of the chart rather than the number of bars. The spans
// come in the order to draw them, on the air last; they cover what barRects gives.
std::vector<Span> mergedSpans(const std::vector<Bar> &bars, const std::vector<Times> &times,
                              const ChartScale &scale);

// Where the chart puts things: minutes of the UTC day across plot, the band's kHz down.
class ChartScale {
public:
    ChartScale(QRectF plot, const geo::Band &band);
    const QRectF &plot() const { return m_plot; }
    double x(double minute) const { return m_plot.left() + minute * m_perMinute; }
    double y(double khz) const { return m_plot.top() + (khz - m_lowKhz) * m_perKhz; }
    // A bar is as thick as 5 kHz of the band, within 3 to 12 pixels.
    double thickness() const { return m_thickness; }
    // In whole pixels; begin equal to end is all day.
    BarRects barRects(const Times &times, double khz) const;

private:
    QRectF m_plot;
    double m_lowKhz, m_perMinute, m_perKhz, m_thickness;
};

} // namespace map
