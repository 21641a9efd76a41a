#pragma once

#include "export/FakeExportPort.h"

namespace testsupport {

// Five schedule rows with a non-ASCII name, an apostrophe, a "<", an "&", an empty field,
// Nulls and a name longer than its column. The grid shows StationID, Freq, Station, UTC, a
// hidden Location and Language; its order is bookmarks 3, 0, 1, 2, 4.
inline FakeExportPort exportRecords() {
    using jet::Cell;
    auto text = [](const char *s) { return Cell::fromText(QString::fromUtf8(s)); };
    FakeExportPort port;
    port.columns = {{0, "StationID", 5}, {1, "Freq", 9},     {2, "Station", 22},
                    {3, "UTC", 10},      {4, "Location", 0}, {5, "Language", 18}};
    port.rows = {
        {Cell::fromNumber(101), Cell::fromNumber(9575), text("Rádió Kossuth"), text("0400-2200"),
         text("Budapest"), text("Magyar")},
        {Cell::fromNumber(102), Cell::fromNumber(6000), text("Tom & Jerry's"), text("1800-1900"),
         text("Paris"), text("")},
        {Cell::fromNumber(103), Cell::fromNumber(5005.5), text("<script>alert(1)</script>"),
         text("0000-2400"), text("X"), Cell::null()},
        {Cell::fromNumber(104), Cell::fromNumber(15100),
         text("Radio Ñandú Internacional de Paraguay"), Cell::null(), text("Asunción"),
         text("Español & Guaraní")},
        {Cell::fromNumber(105), Cell::fromNumber(7000), text("Radio Gamma"), text("0600-0900"),
         text("Rome"), text("Italian")},
    };
    port.order = {3, 0, 1, 2, 4};
    port.gridCaption = "5 Records  Tom & Jerry's <b>";
    return port;
}

} // namespace testsupport
