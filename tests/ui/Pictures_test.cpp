// The map and the band chart as the main window opens them: the pixels where the dots and
// bars must be (positions worked out by hand from the view's size), the minute tick, clicks.
#include "map/BandChartWindow.h"
#include "map/MapWindow.h"
#include "map/PictureWindows.h"
#include "reference/SingleRecordWindow.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

#include <numbers>

namespace {

const QString ProgramDir = QStringLiteral("/skedwise-pictures");
constexpr double Pi = std::numbers::pi;

// In Freq order. At 12:00 UTC: East on the air, North coming up at 12:30, West without
// times, Bad Site out of range with its bar later in the day.
const char *Rows = "StationID,Freq,Station,Language,Location,Lati,Longi,UTC,UTCB,UTCE\n"
                   "1,5950,\"East\",\"English\",\"Equator "
                   "30E\",\"00N00\",\"030E00\",\"1100-1300\",\"1100\",\"1300\"\n"
                   "2,6000,\"North\",\"English\",\"30N on "
                   "Greenwich\",\"30N00\",\"000E00\",\"1230-1300\",\"1230\",\"1300\"\n"
                   "3,6050,\"West\",\"English\",\"Equator "
                   "60W\",\"00N00\",\"060W00\",\"....-....\",\"....\",\"....\"\n"
                   "4,6100,\"Later\",\"English\",\"Bad "
                   "Site\",\"99N99\",\"016E22\",\"0000-0600\",\"0000\",\"0600\"\n";

struct Program : testsupport::ProgramUnderTest<> {
    explicit Program(const QString &myLocation) {
        tables.add(ProgramDir + "/ILGDATA.MDB", testsupport::tableFromCsv(jet::parseCsv(Rows)));
        state.own.MyLocation = myLocation;
        start(ProgramDir, QDateTime(QDate(2024, 3, 20), QTime(12, 0, 30), Qt::UTC));
    }
    void menu(const char *name) { form->findChild<QAction *>(name)->trigger(); }
    void tickAt(QTime utc) {
        clock.now = QDateTime(QDate(2024, 3, 20), utc, Qt::UTC);
        form->Timer_Timer(0);
        QCoreApplication::processEvents(); // the pictures follow the minute after the tick
    }
};

bool red(QRgb c) {
    return qRed(c) > 180 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool blue(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 100;
}
bool orange(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 120 && qGreen(c) < 200 && qBlue(c) < 60;
}

// Azimuthal map centred on 0° N 0° E, whole earth in the view: a point on the equator (or on
// Greenwich) lies at its angle from the centre times the view's pixels per radian.
QPoint onAzimuthalMap(QSize view, double eastDegrees, double northDegrees) {
    const double perRadian = std::min(view.width(), view.height()) / (2 * Pi);
    return QPointF(view.width() / 2.0 + eastDegrees * Pi / 180 * perRadian,
                   view.height() / 2.0 - northDegrees * Pi / 180 * perRadian)
        .toPoint();
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void mapShowsTheSitesOnTheAirInRed() {
        Program p("0, 0");
        p.menu("ShowMap");
        map::MapWindow *window = p.form->pictures().mapWindow();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        map::MapView *view = window->view();
        QImage picture = view->grab().toImage();
        const QPoint east = onAzimuthalMap(view->size(), 30, 0);
        const QPoint north = onAzimuthalMap(view->size(), 0, 30);
        const QPoint west = onAzimuthalMap(view->size(), -60, 0);
        QVERIFY(red(picture.pixel(east)));
        QVERIFY(blue(picture.pixel(north)));
        QVERIFY(blue(picture.pixel(west)));
        // The sun stands over 0° N 2° E: 171° W lies in the night, 20° W (sea too) in the day.
        const QRgb night = picture.pixel(onAzimuthalMap(view->size(), -171, 0));
        const QRgb day = picture.pixel(onAzimuthalMap(view->size(), -20, 0));
        QVERIFY(qGray(night) + 60 < qGray(day));
        QVERIFY(
            window->findChild<QLabel *>("CountLine")->text().contains("1 row without coordinates"));
        QVERIFY(window->findChild<QLabel *>("PathLine")->text().endsWith("3,336 km, bearing 90°"));

        p.tickAt(QTime(13, 5, 0)); // East went off the air at 13:00
        picture = view->grab().toImage();
        QVERIFY(blue(picture.pixel(east)));

        QTest::mouseClick(view, Qt::LeftButton, {}, west);
        QCOMPARE(p.current("Station"), QString("West"));
        QCOMPARE(p.state.SearchStr, QString("EQUATOR 60W"));
    }

    void bandChartShowsTheDayOfTheBand() {
        Program p("JO62QM");
        p.menu("ShowBandChart");
        map::BandChartWindow *window = p.form->pictures().bandChartWindow();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        map::BandChartView *view = window->view();
        const QRectF plot = view->scale().plot();
        // Hours across, 5900 to 6200 kHz down.
        auto at = [&](int minute, double khz) {
            return QPointF(plot.left() + plot.width() * minute / 1440,
                           plot.top() + plot.height() * (khz - 5900) / 300)
                .toPoint();
        };
        const QImage picture = view->grab().toImage();
        QVERIFY(red(picture.pixel(at(11 * 60 + 30, 5950))));
        QVERIFY(orange(picture.pixel(at(12 * 60 + 45, 6000))));
        QVERIFY(blue(picture.pixel(at(3 * 60, 6100))));
        QVERIFY(!red(picture.pixel(at(12 * 60 + 45, 6050)))); // "....": no bar
        QVERIFY(window->findChild<QLabel *>("CountLine")->text().contains("1 row without times"));

        QTest::mouseClick(view, Qt::LeftButton, {}, at(3 * 60, 6100));
        QCOMPARE(p.current("Station"), QString("Later"));
    }

    void myLocationRecentresTheMapAndTheSingleRecordShowsThePath() {
        Program p("");
        p.menu("ShowMap");
        QVERIFY(p.form->pictures()
                    .mapWindow()
                    ->findChild<QLabel *>("LocationHint")
                    ->text()
                    .contains("My Location"));
        p.prompts.inputs << "jj00aa"; // centred 2.5' east and 1.25' north of 0° N 0° E
        p.menu("MyLocation");
        QCOMPARE(p.state.own.MyLocation, QString("JJ00AA"));
        QVERIFY(p.form->pictures()
                    .mapWindow()
                    ->findChild<QLabel *>("LocationHint")
                    ->text()
                    .contains("JJ00AA"));
        p.state.SelStationID = 1;
        p.form->ShowSingleRecord();
        auto *record = p.form->reference().singleRecord();
        QVERIFY(record);
        QCOMPARE(record->findChild<QLabel *>("Distance")->text(), QString("Distance: 3,331 km"));
        QCOMPARE(record->findChild<QLabel *>("Bearing")->text(), QString("Bearing: 90°"));
    }
};

QTEST_MAIN(PicturesTest)
#include "Pictures_test.moc"
