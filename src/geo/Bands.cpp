#include "geo/Bands.h"

namespace geo {

// The limits broadcasters coordinate their shortwave frequencies in (the ITU's broadcasting
// allocations with the tropical bands and the extended 49, 31, 25, 19 and 13 m bands).
const QVector<Band> &broadcastBands() {
    static const QVector<Band> bands = {
        {QStringLiteral("120 m"), 2300, 2495},  {QStringLiteral("90 m"), 3200, 3400},
        {QStringLiteral("75 m"), 3900, 4000},   {QStringLiteral("60 m"), 4750, 5060},
        {QStringLiteral("49 m"), 5900, 6200},   {QStringLiteral("41 m"), 7200, 7450},
        {QStringLiteral("31 m"), 9400, 9900},   {QStringLiteral("25 m"), 11600, 12100},
        {QStringLiteral("22 m"), 13570, 13870}, {QStringLiteral("19 m"), 15100, 15800},
        {QStringLiteral("16 m"), 17480, 17900}, {QStringLiteral("15 m"), 18900, 19020},
        {QStringLiteral("13 m"), 21450, 21850}, {QStringLiteral("11 m"), 25670, 26100},
    };
    return bands;
}

int bandOf(double khz) {
    const QVector<Band> &bands = broadcastBands();
    for (int i = 0; i < bands.size(); ++i)
        if (bands[i].contains(khz))
            return i;
    return -1;
}

} // namespace geo
