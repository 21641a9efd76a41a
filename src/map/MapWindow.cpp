#include "map/MapWindow.h"

#include "geo/Sun.h"
#include "map/MapCommands.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace map {

namespace {
QLabel *line(const QString &name) {
    auto *label = new QLabel;
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

MapWindow::MapWindow(app::GridPort &grid, const GridFollower &follower, const LandMask &land,
                     QWidget *parent)
    : QWidget(parent, Qt::Window), m_grid(grid), m_follower(follower), m_view(new MapView(land)),
      m_projection(new QComboBox), m_path(line("PathLine")), m_counts(line("CountLine")),
      m_hint(line("LocationHint")) {
    setObjectName(QStringLiteral("MapWindow"));
    setWindowTitle(QStringLiteral("Map"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_AlwaysShowToolTips); // also while another window is the active one
    m_projection->setObjectName(QStringLiteral("Projection"));
    m_projection->addItems(
        {QStringLiteral("Azimuthal, centred on you"), QStringLiteral("Latitude / Longitude")});
    auto *whole = new QPushButton(QStringLiteral("&Whole Map"));
    whole->setObjectName(QStringLiteral("WholeMap"));
    auto *projectionLabel = new QLabel(QStringLiteral("&Projection:"));
    projectionLabel->setBuddy(m_projection);
    m_view->setAccessibleName(QStringLiteral("Map of the transmitter sites"));
    auto *bar = new QHBoxLayout;
    bar->addWidget(projectionLabel);
    bar->addWidget(m_projection);
    bar->addWidget(whole);
    bar->addWidget(m_hint, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_path);
    layout->addWidget(m_counts);
    connect(m_projection, &QComboBox::currentIndexChanged, this, [this] { centre(); });
    connect(whole, &QPushButton::clicked, m_view, &MapView::showWholeMap);
    connect(m_view, &MapView::dotClicked, this, &MapWindow::siteClicked);
    m_view->setToolTipSource(
        [this](int site) { return siteToolTip(m_follower.rows(), m_sites.sites[site]); });
    resize(760, 680);
    centre();
}

void MapWindow::centre() {
    const auto listener = listenerLocation(m_grid.state());
    const auto kind = m_projection->currentIndex() == 1 ? geo::ProjectionKind::LatLon
                                                        : geo::ProjectionKind::Azimuthal;
    m_view->setProjection(kind, listener.value_or(geo::LatLon{}), listener.has_value());
    m_hint->setText(listener ? QStringLiteral("Centred on you: ") + m_grid.state().own.MyLocation
                             : QStringLiteral("Centred on 0° N, 0° E: set your location with "
                                              "Options > My Location…"));
    showCurrent();
}

void MapWindow::listenerChanged() {
    centre();
}

std::vector<Dot> MapWindow::dots() const {
    std::vector<Dot> dots;
    dots.reserve(m_sites.sites.size());
    for (const Site &site : m_sites.sites)
        dots.push_back({m_follower.rows().index->places()[site.place].where, site.onAir});
    return dots;
}

void MapWindow::follow(GridFollower::Changes changes) {
    const GridRows &rows = m_follower.rows();
    if (changes.rows) {
        m_sites = collectSites(rows, m_follower.timesOnAir());
        m_view->setDots(dots());
    } else if (changes.minute) {
        const std::vector<int> changed = markOnAir(m_sites, m_follower.timesOnAir());
        m_view->setOnAir(changed, dots());
    }
    if (changes.minute) {
        const QDateTime &utc = m_grid.state().UTCTime;
        m_view->setSun(geo::subSolarPoint(QDateTime(utc.date(), utc.time(), Qt::UTC)));
    }
    if (changes.rows || changes.minute)
        showCounts();
    if (changes.current)
        showCurrent();
}

void MapWindow::showCounts() {
    m_counts->setText(countLine(m_sites));
}

void MapWindow::showCurrent() {
    const GridRows &rows = m_follower.rows();
    const int row = m_follower.currentBookmark();
    const int site = siteOfRow(m_sites, rows, row);
    if (site < 0) {
        m_view->setTarget(std::nullopt);
        m_path->setText(row < 0 || !rows.index || row >= rows.index->rowCount()
                            ? QStringLiteral("No current row.")
                            : rows.index->text(row, u"Station") +
                                  QStringLiteral(": no transmitter site (no coordinates)."));
        return;
    }
    const Place &place = rows.index->places()[m_sites.sites[site].place];
    const auto listener = listenerLocation(m_grid.state());
    const QString path = listener ? pathText(*listener, place.where) : QString();
    m_view->setTarget(Target{place.where, path});
    m_path->setText(rows.index->text(row, u"Station") + QStringLiteral(", ") +
                    (place.location.isEmpty() ? geo::degreesText(place.where) : place.location) +
                    (path.isEmpty() ? QString() : QStringLiteral(": ") + path));
}

void MapWindow::siteClicked(int site) {
    const Site &s = m_sites.sites[site];
    moveGridToSite(m_grid, s.firstPosition, m_follower.rows().index->places()[s.place].location);
}

} // namespace map
