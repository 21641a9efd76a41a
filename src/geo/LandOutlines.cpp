#include "geo/LandOutlines.h"

#include <QDataStream>
#include <QFile>

namespace geo {

namespace {
const QByteArray Magic = QByteArrayLiteral("SKLAND1\n");
constexpr quint32 MostItems = 1u << 20; // a count beyond this is a damaged file
} // namespace

QVector<LandPolygon> landFromBytes(const QByteArray &bytes) {
    if (!bytes.startsWith(Magic))
        return {};
    QDataStream in(bytes.mid(Magic.size()));
    in.setByteOrder(QDataStream::LittleEndian);
    auto count = [&in] {
        quint32 n = 0;
        in >> n;
        return n < MostItems ? n : 0u;
    };
    QVector<LandPolygon> land(count());
    for (LandPolygon &polygon : land) {
        polygon.resize(count());
        for (Ring &ring : polygon) {
            ring.resize(count());
            for (QPointF &point : ring) {
                qint16 lon = 0, lat = 0;
                in >> lon >> lat;
                point = QPointF(lon / 100.0, lat / 100.0);
            }
        }
    }
    return in.status() == QDataStream::Ok && in.atEnd() ? land : QVector<LandPolygon>();
}

QVector<LandPolygon> builtInLand() {
    QFile file(QStringLiteral(":/geo/land-110m.bin"));
    return file.open(QIODevice::ReadOnly) ? landFromBytes(file.readAll()) : QVector<LandPolygon>();
}

} // namespace geo
