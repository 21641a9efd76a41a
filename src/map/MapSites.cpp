#include "map/MapSites.h"

#include <QSet>

#include <algorithm>

namespace map {

namespace {
void listTimes(SiteMap &map, const GridRows &rows) {
    map.timesOfSite.assign(map.sites.size(), {});
    for (const int row : rows.rows)
        if (const int place = rows.index->placeOf(row); place >= 0)
            map.timesOfSite[map.siteOfPlace[place]].push_back(rows.index->timesOf(row));
    std::vector<int> lastSite(rows.index->times().size(), -1); // each site's times once
    for (std::size_t site = 0; site < map.timesOfSite.size(); ++site) {
        std::vector<int> &times = map.timesOfSite[site];
        times.erase(std::remove_if(times.begin(), times.end(),
                                   [&](int t) {
                                       const bool seen = lastSite[t] == int(site);
                                       lastSite[t] = int(site);
                                       return seen;
                                   }),
                    times.end());
    }
}
} // namespace

SiteMap collectSites(const GridRows &rows, const std::vector<char> &timesOnAir) {
    SiteMap map;
    if (!rows.index)
        return map;
    map.siteOfPlace.assign(rows.index->places().size(), -1);
    for (int position = 0; position < rows.count(); ++position) {
        const int place = rows.index->placeOf(rows.rows[position]);
        if (place < 0) {
            ++map.withoutCoordinates;
            continue;
        }
        int &site = map.siteOfPlace[place];
        if (site < 0) {
            site = int(map.sites.size());
            map.sites.push_back({place, 0, position, false});
        }
        Site &s = map.sites[site];
        ++s.rowCount;
        s.onAir = s.onAir || timesOnAir[rows.index->timesOf(rows.rows[position])];
    }
    return map;
}

std::vector<int> markOnAir(SiteMap &map, const GridRows &rows,
                           const std::vector<char> &timesOnAir) {
    if (map.timesOfSite.size() != map.sites.size())
        listTimes(map, rows);
    std::vector<int> changed;
    for (std::size_t i = 0; i < map.sites.size(); ++i) {
        const std::vector<int> &times = map.timesOfSite[i];
        const bool onAir =
            std::any_of(times.begin(), times.end(), [&](int t) { return timesOnAir[t]; });
        if (map.sites[i].onAir != onAir)
            changed.push_back(int(i));
        map.sites[i].onAir = onAir;
    }
    return changed;
}

int siteOfRow(const SiteMap &map, const GridRows &rows, int tableRow) {
    if (!rows.index || tableRow < 0 || tableRow >= rows.index->rowCount())
        return -1;
    const int place = rows.index->placeOf(tableRow);
    return place < 0 || place >= int(map.siteOfPlace.size()) ? -1 : map.siteOfPlace[place];
}

QString countLine(const SiteMap &map) {
    const auto onAir =
        std::count_if(map.sites.begin(), map.sites.end(), [](const Site &s) { return s.onAir; });
    QString line =
        QStringLiteral("%1 sites, %2 with a broadcast on the air").arg(map.sites.size()).arg(onAir);
    if (map.withoutCoordinates > 0)
        line += QStringLiteral("; ") + rowsText(map.withoutCoordinates) +
                QStringLiteral(" without coordinates");
    return line;
}

QString siteToolTip(const GridRows &rows, const Site &site, int most) {
    const Place &place = rows.index->places()[site.place];
    QStringList stations;
    QSet<QString> seen;
    for (int position = site.firstPosition; position < rows.count(); ++position) {
        const int row = rows.rows[position];
        if (rows.index->placeOf(row) != site.place)
            continue;
        const QString station = rows.index->text(row, u"Station");
        if (seen.contains(station))
            continue;
        seen.insert(station);
        if (stations.size() == most) {
            stations << QStringLiteral("…");
            break;
        }
        stations << station;
    }
    const QString name = place.location.isEmpty() ? geo::degreesText(place.where) : place.location;
    const QString count = site.rowCount == 1 ? QStringLiteral("1 broadcast")
                                             : QStringLiteral("%1 broadcasts").arg(site.rowCount);
    return name + QStringLiteral(" (") + count + QStringLiteral(")\n") + stations.join(u'\n');
}

} // namespace map
