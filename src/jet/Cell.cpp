#include "jet/Cell.h"

namespace jet {

QString numberText(double v) {
    if (v == 0)
        return QStringLiteral("0");
    // Fixed notation: StationIDs of 100000 and up must not turn into "1e+05".
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

QString displayText(const Cell &c) {
    switch (c.kind) {
    case Cell::Kind::Null:
        return {};
    case Cell::Kind::Number:
        return numberText(c.number);
    case Cell::Kind::Text:
        return c.text;
    }
    return {};
}

} // namespace jet
