#pragma once

#include "map/GridFollower.h"

#include <QStringList>

namespace map {

// A place with at least one of the grid's rows.
struct Site {
    int place = -1; // in the table index's places
    int rowCount = 0;
    int firstPosition = -1; // the grid position of its first row
    bool onAir = false;
};

struct SiteMap {
    std::vector<Site> sites;
    std::vector<int> siteOfPlace; // -1 where no row of the grid is
    int withoutCoordinates = 0;   // rows with no valid Lati and Longi
    // Each site's distinct broadcast times (indexes of the table's times), site after site:
    // those of site s from timesStart[s] to timesStart[s + 1]. A new minute looks at these
    // rather than at every row.
    std::vector<int> siteTimes, timesStart;
};

// The sites of the rows, marked where a row is on the air (by the table's times).
SiteMap collectSites(const GridRows &rows, const std::vector<char> &timesOnAir);
// Marks them anew for another minute; returns the sites whose mark changed.
std::vector<int> markOnAir(SiteMap &map, const std::vector<char> &timesOnAir);
// The site of a table row, -1 when it has none.
int siteOfRow(const SiteMap &map, const GridRows &rows, int tableRow);

// "12 sites, 3 with a broadcast on the air; 1 row without coordinates".
QString countLine(const SiteMap &map);

// What the pointer over a site shows: the place and its stations (at most most of them).
QString siteToolTip(const GridRows &rows, const Site &site, int most = 12);

} // namespace map
