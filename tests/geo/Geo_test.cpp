// Expected values are worked out independently: distances and bearings with the haversine
// formula in a few lines of Python, projections by hand from those, the sun from almanac
// dates (equinox and solstice instants, the equation of time), locators by hand.
#include "geo/Bands.h"
#include "geo/GreatCircle.h"
#include "geo/LandOutlines.h"
#include "geo/Projection.h"
#include "geo/Sun.h"

#include "support/TestSupport.h"

#include <cmath>

using namespace geo;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {
QPointF xy(LatLon p, const Projection &projection) {
    return projection.forward(p).value_or(QPointF(99, 99));
}
} // namespace

class GeoTest : public QObject {
    Q_OBJECT
private slots:
    void distanceAndBearing_data() {
        QTest::addColumn<double>("lat1");
        QTest::addColumn<double>("lon1");
        QTest::addColumn<double>("lat2");
        QTest::addColumn<double>("lon2");
        QTest::addColumn<double>("km");
        QTest::addColumn<double>("bearing");
        addRow("London to New York, westward", 51.5074, -0.1278, 40.7128, -74.006, 5570.2, 288.33);
        addRow("Sydney to Santiago, across 180", -33.8688, 151.2093, -33.4489, -70.6693, 11346.7,
               145.28);
        addRow("Quito to Singapore, nearly antipodal", -0.1807, -78.4678, 1.3521, 103.8198, 19729.3,
               297.13);
        addRow("Honolulu to Anchorage, almost north", 21.3069, -157.8583, 61.2181, -149.9003,
               4480.6, 5.92);
    }
    void distanceAndBearing() {
        QFETCH(double, lat1);
        QFETCH(double, lon1);
        QFETCH(double, lat2);
        QFETCH(double, lon2);
        QFETCH(double, km);
        QFETCH(double, bearing);
        QVERIFY(std::abs(distanceKm({lat1, lon1}, {lat2, lon2}) - km) <= km * 0.005);
        QVERIFY(std::abs(initialBearing({lat1, lon1}, {lat2, lon2}) - bearing) <= 0.5);
        const QVector<LatLon> path = greatCirclePath({lat1, lon1}, {lat2, lon2}, 10);
        QCOMPARE(path.size(), 11);
        QVERIFY(std::abs(distanceKm(path[0], path[5]) - km / 2) <= km * 0.005);
    }

    void projection_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("centreLat");
        QTest::addColumn<double>("centreLon");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        const int az = int(ProjectionKind::Azimuthal), plain = int(ProjectionKind::LatLon);
        addRow("azimuthal: a quarter east", az, 0.0, 0.0, 0.0, 90.0, M_PI / 2, 0.0);
        addRow("azimuthal: from the pole, south", az, 90.0, 0.0, 0.0, 0.0, 0.0, -M_PI / 2);
        addRow("azimuthal: Berlin to Tokyo", az, 52.52, 13.405, 35.6762, 139.6503, 0.9304, 1.0453);
        addRow("azimuthal: Berlin to Sydney", az, 52.52, 13.405, -33.8688, 151.2093, 2.4406,
               0.6523);
        addRow("plain: the centre", plain, 52.52, 13.4, 52.52, 13.4, 0.0, 0.9166);
        addRow("plain: west past 180 wraps east", plain, 0.0, 13.4, 0.0, -170.0, 3.0823, 0.0);
    }
    void projection() {
        QFETCH(int, kind);
        QFETCH(double, centreLat);
        QFETCH(double, centreLon);
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(double, x);
        QFETCH(double, y);
        const Projection p(ProjectionKind(kind), {centreLat, centreLon});
        const QPointF got = xy({lat, lon}, p);
        QVERIFY2(std::abs(got.x() - x) < 1e-3 && std::abs(got.y() - y) < 1e-3,
                 qPrintable(QStringLiteral("%1 %2").arg(got.x()).arg(got.y())));
        const LatLon back = p.inverse(got).value_or(LatLon{-99, -99});
        QVERIFY(std::abs(back.lat - lat) < 1e-6 && std::abs(wrappedDegrees(back.lon - lon)) < 1e-6);
    }
    void outsideTheMapIsNothing() {
        QVERIFY(!Projection(ProjectionKind::Azimuthal, {}).inverse({3.2, 0}));
        QVERIFY(!Projection(ProjectionKind::LatLon, {}).inverse({0, 1.6}));
        QVERIFY(!Projection(ProjectionKind::Azimuthal, {10, 20}).forward({-10, -160}));
    }

    void locations_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        addRow("6 characters: the subsquare's centre", "JO62QM", true, 52.5208, 13.375);
        addRow("6 characters, lower case", "jo62qm", true, 52.5208, 13.375);
        addRow("4 characters: the square's centre", "JO62", true, 52.5, 13.0);
        addRow("south-west: FF44", "ff44", true, -35.5, -71.0);
        addRow("the last field RR99xx", "RR99XX", true, 89.9792, 179.9583);
        addRow("field letter past R", "JS62", false, 0.0, 0.0);
        addRow("subsquare letter past X", "JO62QY", false, 0.0, 0.0);
        addRow("5 characters", "JO62Q", false, 0.0, 0.0);
        addRow("digits where letters go", "1O62", false, 0.0, 0.0);
        addRow("degrees with a comma", "52.52, 13.40", true, 52.52, 13.4);
        addRow("degrees, south and west negative", "-33.9 -70.65", true, -33.9, -70.65);
        addRow("degrees with letters", "33.9S 151.2E", true, -33.9, 151.2);
        addRow("latitude out of range", "91, 10", false, 0.0, 0.0);
        addRow("longitude out of range", "10, 181", false, 0.0, 0.0);
        addRow("one number", "52.5", false, 0.0, 0.0);
        addRow("empty", "", false, 0.0, 0.0);
    }
    void locations() {
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        QFETCH(double, lat);
        QFETCH(double, lon);
        const auto p = locationFromText(typed);
        QCOMPARE(p.has_value(), valid);
        if (valid)
            QVERIFY2(std::abs(p->lat - lat) < 1e-3 && std::abs(p->lon - lon) < 1e-3,
                     qPrintable(degreesText(*p)));
    }

    void siteTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("latitude");
        QTest::addColumn<std::optional<double>>("value");
        addRow("EiBi latitude 48N15", "48N15", true, std::optional(48.25));
        addRow("EiBi southern 18S50", "18S50", true, std::optional(-18 - 50 / 60.0));
        addRow("EiBi longitude 016E22", "016E22", false, std::optional(16 + 22 / 60.0));
        addRow("western 002W43", "002W43", false, std::optional(-2 - 43 / 60.0));
        addRow("blanks around", " 48N15 ", true, std::optional(48.25));
        addRow("empty", "", true, std::optional<double>());
        addRow("99N99: minutes and degrees out of range", "99N99", true, std::optional<double>());
        addRow("90N01: just past the pole", "90N01", true, std::optional<double>());
        addRow("181E00: past 180", "181E00", false, std::optional<double>());
        addRow("12X34: no hemisphere", "12X34", true, std::optional<double>());
        addRow("longitude letter in a latitude", "016E22", true, std::optional<double>());
        addRow("latitude letter in a longitude", "48N15", false, std::optional<double>());
        addRow("decimal degrees are not the form", "48.25", true, std::optional<double>());
    }
    void siteTexts() {
        QFETCH(QString, text);
        QFETCH(bool, latitude);
        QFETCH(std::optional<double>, value);
        const auto got = latitude ? latitudeFromText(text) : longitudeFromText(text);
        QCOMPARE(got.has_value(), value.has_value());
        if (value)
            QVERIFY(std::abs(*got - *value) < 1e-9);
    }

    void subSolarPoint_data() {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        // Latitude from the equinox and solstice instants of 2024 (20 Mar 03:06, 20 Jun 20:51,
        // 22 Sep 12:44, 21 Dec 09:20 UTC); longitude at noon is minus the equation of time.
        addRow("March equinox noon", QDateTime(QDate(2024, 3, 20), QTime(12, 0), Qt::UTC), 0.15,
               1.9);
        addRow("June solstice noon", QDateTime(QDate(2024, 6, 21), QTime(12, 0), Qt::UTC), 23.44,
               0.4);
        addRow("December solstice noon", QDateTime(QDate(2024, 12, 21), QTime(12, 0), Qt::UTC),
               -23.44, -0.45);
        addRow("March equinox instant, sun over the Pacific",
               QDateTime(QDate(2024, 3, 20), QTime(3, 6), Qt::UTC), 0.0, 135.4);
    }
    void subSolarPoint() {
        QFETCH(QDateTime, when);
        QFETCH(double, lat);
        QFETCH(double, lon);
        const LatLon sun = geo::subSolarPoint(when);
        QVERIFY2(std::abs(sun.lat - lat) < 0.1 && std::abs(sun.lon - lon) < 0.3,
                 qPrintable(degreesText(sun)));
        QVERIFY(std::abs(sunElevation(sun, sun) - 90) < 1e-6);
    }

    void bands_data() {
        QTest::addColumn<double>("khz");
        QTest::addColumn<QString>("band");
        const char *limits[][3] = {
            {"120 m", "2300", "2495"},  {"90 m", "3200", "3400"},   {"75 m", "3900", "4000"},
            {"60 m", "4750", "5060"},   {"49 m", "5900", "6200"},   {"41 m", "7200", "7450"},
            {"31 m", "9400", "9900"},   {"25 m", "11600", "12100"}, {"22 m", "13570", "13870"},
            {"19 m", "15100", "15800"}, {"16 m", "17480", "17900"}, {"15 m", "18900", "19020"},
            {"13 m", "21450", "21850"}, {"11 m", "25670", "26100"}};
        for (const auto &[name, low, high] : limits) {
            QTest::addRow("%s: lower edge is in", name) << QByteArray(low).toDouble() << name;
            QTest::addRow("%s: upper edge is in", name) << QByteArray(high).toDouble() << name;
            QTest::addRow("%s: just below", name) << QByteArray(low).toDouble() - 0.5 << "";
            QTest::addRow("%s: just above", name) << QByteArray(high).toDouble() + 0.5 << "";
        }
    }
    void bands() {
        QFETCH(double, khz);
        QFETCH(QString, band);
        QCOMPARE(broadcastBands().size(), 14);
        const int index = bandOf(khz);
        QCOMPARE(index < 0 ? QString() : broadcastBands()[index].name, band);
    }

    void landIsCompiledIn() {
        const QVector<LandPolygon> land = builtInLand();
        qsizetype points = 0;
        for (const LandPolygon &polygon : land)
            for (const Ring &ring : polygon)
                points += ring.size();
        // What scripts/land-outlines.py reported when it wrote the file.
        QCOMPARE(land.size(), 125);
        QCOMPARE(points, 5000);
        QVERIFY(landFromBytes("SKLAND1\n\x05\x00").isEmpty()); // cut short
        QVERIFY(landFromBytes("PNG").isEmpty());
    }
};

QTEST_GUILESS_MAIN(GeoTest)
#include "Geo_test.moc"
