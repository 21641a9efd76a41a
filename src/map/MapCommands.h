#pragma once

#include "app/GridPort.h"
#include "geo/Coordinates.h"

#include <optional>

namespace map {

// The listener's location from the settings; nothing when none is set or it is unreadable.
std::optional<geo::LatLon> listenerLocation(const app::ProgramState &state);

// "Options" > "My Location…": asks for a locator or degrees. A wrong answer is said in plain
// words and the old location kept; Cancel keeps it silently. True when the location changed.
bool MyLocation_Click(app::ProgramState &state, app::Prompts &prompts);

// A click on a site: a find on its Location (its rows are marked as by F4), without a new
// query; the site's first row becomes current, mid-window.
void moveGridToSite(app::GridPort &grid, int firstPosition, const QString &location);
// A click on a bar: that row becomes current, mid-window.
void moveGridToRow(app::GridPort &grid, int position);

// "1,234 km, bearing 57°" from the listener to a site.
QString pathText(geo::LatLon listener, geo::LatLon site);

} // namespace map
