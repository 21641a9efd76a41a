#include "map/BandChart.h"

#include <algorithm>
#include <cmath>

namespace map {

namespace {
constexpr int DayMinutes = 24 * 60;
constexpr int ComingUpMinutes = 60;
} // namespace

BandBars collectBars(const GridRows &rows, const geo::Band &band) {
    BandBars result;
    if (!rows.index)
        return result;
    for (int position = 0; position < rows.count(); ++position) {
        const int row = rows.rows[position];
        const double khz = rows.index->freqOf(row);
        if (!band.contains(khz))
            continue;
        const int times = rows.index->timesOf(row);
        if (!rows.index->times()[times].known()) {
            ++result.withoutTimes;
            continue;
        }
        result.bars.push_back({position, times, khz, BarState::Later});
    }
    return result;
}

BarState barState(const Times &times, bool onAir, int nowMinute) {
    if (onAir)
        return BarState::OnAir;
    const int ahead = (times.beginMinute - nowMinute + DayMinutes) % DayMinutes;
    return ahead > 0 && ahead <= ComingUpMinutes ? BarState::ComingUp : BarState::Later;
}

std::vector<int> markStates(BandBars &bars, const GridRows &rows,
                            const std::vector<char> &timesOnAir, int nowMinute) {
    const std::vector<Times> &times = rows.index->times();
    // Bars of the same times share their state: with more bars than times, each once.
    std::vector<BarState> stateOf;
    if (bars.bars.size() > times.size())
        for (std::size_t t = 0; t < times.size(); ++t)
            stateOf.push_back(barState(times[t], timesOnAir[t], nowMinute));
    std::vector<int> changed;
    for (std::size_t i = 0; i < bars.bars.size(); ++i) {
        Bar &bar = bars.bars[i];
        const BarState state = stateOf.empty()
                                   ? barState(times[bar.times], timesOnAir[bar.times], nowMinute)
                                   : stateOf[bar.times];
        if (state != bar.state)
            changed.push_back(int(i));
        bar.state = state;
    }
    return changed;
}

QString countLine(const BandBars &bars) {
    const auto onAir = std::count_if(bars.bars.begin(), bars.bars.end(),
                                     [](const Bar &b) { return b.state == BarState::OnAir; });
    QString line =
        QStringLiteral("%1 broadcasts in the band, %2 on the air").arg(bars.bars.size()).arg(onAir);
    if (bars.withoutTimes > 0)
        line += QStringLiteral("; ") + rowsText(bars.withoutTimes) +
                QStringLiteral(" without times (no bar)");
    return line;
}

QString barToolTip(const GridRows &rows, const Bar &bar) {
    const int row = rows.rows[bar.position];
    const TableIndex &index = *rows.index;
    const Times &t = index.times()[index.timesOf(row)];
    QString text = index.text(row, u"Station") + u'\n' + index.text(row, u"Freq") +
                   QStringLiteral(" kHz  ") + t.begin + u'-' + t.end + QStringLiteral(" UTC");
    const QString language = index.text(row, u"Language"), target = index.text(row, u"Target");
    if (!language.isEmpty() || !target.isEmpty())
        text += u'\n' + language + (target.isEmpty() ? QString() : QStringLiteral(" to ") + target);
    return text;
}

// Each line counts per state how many bars cover each pixel (a difference array: +1 where a
// bar begins, -1 after it ends); the highest state covered is what shows.
std::vector<Span> mergedSpans(const std::vector<Bar> &bars, const std::vector<Times> &times,
                              const ChartScale &scale) {
    constexpr int States = 3, DayMinutes = 24 * 60;
    if (bars.empty())
        return {};
    std::vector<int> xOf(DayMinutes + 1); // as barRects rounds them
    for (int minute = 0; minute <= DayMinutes; ++minute)
        xOf[minute] = int(std::lround(scale.x(minute)));
    const int width = xOf[DayMinutes] + 1, height = int(std::lround(scale.thickness()));
    const std::size_t stride = std::size_t(width) + 1;
    const int firstTop = int(scale.plot().top() - scale.thickness()) - 1;
    std::vector<int> laneOfTop(std::size_t(scale.plot().height() + 2 * scale.thickness()) + 4, -1);
    std::vector<int> tops;
    std::vector<int> diff;
    auto cover = [&](int lane, int state, int from, int to) {
        if (to <= from)
            return;
        const std::size_t base = (std::size_t(lane) * States + state) * stride;
        ++diff[base + std::max(0, xOf[from])];
        --diff[base + xOf[to]];
    };
    for (const Bar &bar : bars) {
        const int top = int(std::lround(scale.y(bar.khz) - scale.thickness() / 2));
        int &lane =
            laneOfTop[std::size_t(std::clamp(top - firstTop, 0, int(laneOfTop.size()) - 1))];
        if (lane < 0) {
            lane = int(tops.size());
            tops.push_back(top);
            diff.resize(diff.size() + States * stride, 0);
        }
        const Times &t = times[bar.times];
        const int state = int(bar.state);
        if (t.endMinute > t.beginMinute) {
            cover(lane, state, t.beginMinute, t.endMinute);
        } else if (t.endMinute == t.beginMinute) {
            cover(lane, state, 0, DayMinutes);
        } else {
            cover(lane, state, t.beginMinute, DayMinutes);
            cover(lane, state, 0, t.endMinute);
        }
    }
    std::vector<Span> spans;
    for (std::size_t lane = 0; lane < tops.size(); ++lane) {
        int covered[States] = {0, 0, 0};
        int runStart = 0, runState = -1;
        const int *d = diff.data() + lane * States * stride;
        for (int x = 0; x <= width; ++x) {
            int shown = -1;
            for (int state = 0; state < States; ++state) {
                covered[state] += d[state * stride + x];
                if (covered[state] > 0)
                    shown = state;
            }
            if (shown == runState)
                continue;
            if (runState >= 0)
                spans.push_back(
                    {QRect(runStart, tops[lane], x - runStart, height), BarState(runState)});
            runStart = x;
            runState = shown;
        }
    }
    std::stable_sort(spans.begin(), spans.end(),
                     [](const Span &a, const Span &b) { return a.state < b.state; });
    return spans;
}

ChartScale::ChartScale(QRectF plot, const geo::Band &band)
    : m_plot(plot), m_lowKhz(band.lowKhz), m_perMinute(plot.width() / 1440),
      m_perKhz(plot.height() / (band.highKhz - band.lowKhz)),
      m_thickness(std::clamp(5 * m_perKhz, 3.0, 12.0)) {}

BarRects ChartScale::barRects(const Times &times, double khz) const {
    const int top = int(std::lround(y(khz) - thickness() / 2));
    const int height = int(std::lround(thickness()));
    auto span = [&](int from, int to) {
        const int left = int(std::lround(x(from)));
        return QRect(left, top, int(std::lround(x(to))) - left, height);
    };
    if (times.endMinute > times.beginMinute)
        return {span(times.beginMinute, times.endMinute), {}};
    if (times.endMinute == times.beginMinute)
        return {span(0, DayMinutes), {}};
    return {span(times.beginMinute, DayMinutes), span(0, times.endMinute)};
}

} // namespace map
