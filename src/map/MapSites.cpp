#include "map/MapSites.h"

#include <QSet>

#include <algorithm>

namespace map {

namespace {
// siteAt: each grid row's site (-1 none). Counting sort of the rows' times by site, then each
// site's times once.
void listTimes(SiteMap &map, const GridRows &rows, const std::vector<int> &siteAt) {
    const std::size_t sites = map.sites.size();
    std::vector<int> next(sites + 1, 0);
    for (std::size_t s = 0; s < sites; ++s)
        next[s + 1] = next[s] + map.sites[s].rowCount;
    std::vector<int> times(static_cast<std::size_t>(next[sites]));
    for (std::size_t position = 0; position < siteAt.size(); ++position)
        if (const int site = siteAt[position]; site >= 0)
            times[std::size_t(next[site]++)] = rows.index->timesOf(rows.rows[position]);
    std::vector<int> lastSite(rows.index->times().size(), -1);
    map.timesStart.assign(sites + 1, 0);
    map.siteTimes.clear();
    for (std::size_t s = 0, from = 0; s < sites; ++s) {
        map.timesStart[s] = int(map.siteTimes.size());
        for (; from < std::size_t(next[s]); ++from)
            if (const int t = times[from]; lastSite[t] != int(s)) {
                lastSite[t] = int(s);
                map.siteTimes.push_back(t);
            }
    }
    map.timesStart[sites] = int(map.siteTimes.size());
}
} // namespace

SiteMap collectSites(const GridRows &rows, const std::vector<char> &timesOnAir) {
    SiteMap map;
    if (!rows.index)
        return map;
    map.siteOfPlace.assign(rows.index->places().size(), -1);
    std::vector<int> siteAt(rows.rows.size(), -1);
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
        siteAt[position] = site;
        ++map.sites[site].rowCount;
    }
    listTimes(map, rows, siteAt);
    markOnAir(map, timesOnAir);
    return map;
}

std::vector<int> markOnAir(SiteMap &map, const std::vector<char> &timesOnAir) {
    std::vector<int> changed;
    for (std::size_t i = 0; i < map.sites.size(); ++i) {
        const auto from = map.siteTimes.begin() + map.timesStart[i];
        const auto to = map.siteTimes.begin() + map.timesStart[i + 1];
        const bool onAir = std::any_of(from, to, [&](int t) { return timesOnAir[t]; });
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
