#include "map/MapCommands.h"

#include "geo/GreatCircle.h"

namespace map {

std::optional<geo::LatLon> listenerLocation(const app::ProgramState &state) {
    return geo::locationFromText(state.own.MyLocation);
}

bool MyLocation_Click(app::ProgramState &state, app::Prompts &prompts) {
    const QString now =
        state.own.MyLocation.isEmpty() ? QStringLiteral("none") : state.own.MyLocation;
    const QString typed = prompts
                              .inputBox(QStringLiteral("Your Maidenhead locator (JO62QM) or "
                                                       "latitude and longitude in degrees "
                                                       "(52.52, 13.40; south and west "
                                                       "negative).\nNow: ") +
                                            now,
                                        QStringLiteral("My Location"))
                              .trimmed();
    if (typed.isEmpty())
        return false;
    if (!geo::locationFromText(typed)) {
        prompts.messageBox(QStringLiteral("\"") + typed +
                               QStringLiteral("\" is neither a locator (like JO62 or JO62QM) nor "
                                              "a latitude from -90 to 90 and a longitude from "
                                              "-180 to 180 (like 52.52, 13.40). ") +
                               (state.own.MyLocation.isEmpty()
                                    ? QStringLiteral("No location was set.")
                                    : QStringLiteral("Your location stays ") + now + u'.'),
                           QStringLiteral("My Location"), app::Buttons::Ok);
        return false;
    }
    const bool locator = geo::fromLocator(typed).has_value();
    state.own.MyLocation = locator ? typed.toUpper() : typed;
    return true;
}

namespace {
void showPosition(app::GridPort &grid, int position) {
    app::ProgramState &s = grid.state();
    s.HalfRows = qint16(grid.visibleRowCount() / 2);
    grid.resetGridRows();
    grid.resetGridSelection();
    grid.data1().recordset().moveTo(position);
    grid.setFirstVisibleRow(grid.bookmarkAtOffset(-s.HalfRows));
    grid.refreshGrid();
}
} // namespace

void moveGridToSite(app::GridPort &grid, int firstPosition, const QString &location) {
    app::ProgramState &s = grid.state();
    if (!location.isEmpty()) {
        s.FindType = 3;
        s.SearchStr = location.toUpper();
        grid.clearFindMarking();
    }
    showPosition(grid, firstPosition);
}

void moveGridToRow(app::GridPort &grid, int position) {
    showPosition(grid, position);
}

QString pathText(geo::LatLon listener, geo::LatLon site) {
    return geo::distanceText(geo::distanceKm(listener, site)) + QStringLiteral(", bearing ") +
           geo::bearingText(geo::initialBearing(listener, site));
}

} // namespace map
