#include "map/BandChartWindow.h"

#include "map/MapCommands.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace map {

namespace {
constexpr int DefaultBand = 4; // 49 m

QString legend() {
    auto swatch = [](const char *colour, const char *what) {
        return QStringLiteral("<span style=\"background:%1\">&nbsp;&nbsp;&nbsp;</span> %2")
            .arg(QLatin1String(colour), QLatin1String(what));
    };
    return swatch("#e00000", "on the air") + QStringLiteral("&nbsp;&nbsp; ") +
           swatch("#f0a000", "coming up within the hour") + QStringLiteral("&nbsp;&nbsp; ") +
           swatch("#466eaa", "later") + QStringLiteral("&nbsp;&nbsp; ") +
           QStringLiteral("<span style=\"color:#008c00\">|</span> now (UTC)");
}
} // namespace

BandChartWindow::BandChartWindow(app::GridPort &grid, const GridFollower &follower, QWidget *parent)
    : QWidget(parent, Qt::Window), m_grid(grid), m_follower(follower), m_view(new BandChartView),
      m_band(new QComboBox), m_counts(new QLabel) {
    setObjectName(QStringLiteral("BandChartWindow"));
    setWindowTitle(QStringLiteral("Band Chart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_AlwaysShowToolTips); // also while another window is the active one
    m_band->setObjectName(QStringLiteral("Band"));
    for (const geo::Band &band : geo::broadcastBands())
        m_band->addItem(
            QStringLiteral("%1  (%2–%3 kHz)").arg(band.name).arg(band.lowKhz).arg(band.highKhz));
    m_counts->setObjectName(QStringLiteral("CountLine"));
    auto *legendLine = new QLabel(legend());
    auto *bandLabel = new QLabel(QStringLiteral("&Band:"));
    bandLabel->setBuddy(m_band);
    m_view->setAccessibleName(QStringLiteral("Band chart of the day"));
    auto *bar = new QHBoxLayout;
    bar->addWidget(bandLabel);
    bar->addWidget(m_band);
    bar->addWidget(legendLine, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_counts);
    const int row = m_follower.currentBookmark();
    const TableIndex *index = m_follower.rows().index.get();
    const int rowBand =
        index && row >= 0 && row < index->rowCount() ? geo::bandOf(index->freqOf(row)) : -1;
    m_band->setCurrentIndex(rowBand >= 0 ? rowBand : DefaultBand);
    connect(m_band, &QComboBox::currentIndexChanged, this, [this] { collect(); });
    connect(m_view, &BandChartView::barClicked, this, &BandChartWindow::barClicked);
    resize(900, 560);
}

void BandChartWindow::chooseBand(int index) {
    m_band->setCurrentIndex(index);
}

void BandChartWindow::collect() {
    const geo::Band &band = geo::broadcastBands()[m_band->currentIndex()];
    m_bars = collectBars(m_follower.rows(), band);
    markStates(m_bars, m_follower.rows(), m_follower.timesOnAir(), m_follower.nowMinute());
    m_view->setBars(band, &m_follower.rows(), &m_bars);
    m_view->setNow(m_follower.nowMinute(), {});
    m_view->setCurrentPosition(currentPosition());
    showCounts();
}

void BandChartWindow::follow(GridFollower::Changes changes) {
    if (changes.rows) {
        collect();
        return;
    }
    if (changes.minute)
        m_view->setNow(
            m_follower.nowMinute(),
            markStates(m_bars, m_follower.rows(), m_follower.timesOnAir(), m_follower.nowMinute()));
    if (changes.current)
        m_view->setCurrentPosition(currentPosition());
    if (changes.minute)
        showCounts();
}

int BandChartWindow::currentPosition() const {
    const std::vector<int> &rows = m_follower.rows().rows;
    const auto it = std::find(rows.begin(), rows.end(), m_follower.currentBookmark());
    return it == rows.end() ? -1 : int(it - rows.begin());
}

void BandChartWindow::showCounts() {
    m_counts->setText(countLine(m_bars));
}

void BandChartWindow::barClicked(int bar) {
    moveGridToRow(m_grid, m_bars.bars[bar].position);
}

} // namespace map
