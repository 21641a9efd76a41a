#include "onair/Clock.h"
#include "support/TestSupport.h"

using namespace onair;

class ClockTest : public QObject {
    Q_OBJECT

private slots:
    void clockText_data() {
        QTest::addColumn<double>("timeZone");
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<QString>("clockStr");
        QTest::addColumn<QString>("utcHHMM");
        QTest::addColumn<QDate>("utcDate");
        const QDate day(2024, 3, 10);
        addRow("five hours behind UTC", -5.0, QDateTime(day, QTime(9, 5, 9)),
               "14:05:09 UTC  09:05:09   09:05:09 AM Local", "1405", day);
        addRow("afternoon in twelve-hour form with PM", 0.0, QDateTime(day, QTime(13, 45, 2)),
               "13:45:02 UTC  13:45:02   01:45:02 PM Local", "1345", day);
        addRow("noon reads twelve PM", 0.0, QDateTime(day, QTime(12, 0)),
               "12:00:00 UTC  12:00:00   12:00:00 PM Local", "1200", day);
        addRow("midnight reads twelve AM", 0.0, QDateTime(day, QTime(0, 0, 30)),
               "00:00:30 UTC  00:00:30   12:00:30 AM Local", "0000", day);
        addRow("half-hour zone shifts the minutes", 5.5, QDateTime(day, QTime(6, 0)),
               "00:30:00 UTC  06:00:00   06:00:00 AM Local", "0030", day);
        addRow("five-decimal day serial holds the second back", 0.0,
               QDateTime(day, QTime(9, 5, 9, 600)), "09:05:09 UTC  09:05:09   09:05:09 AM Local",
               "0905", day);
    }
    void clockText() {
        QFETCH(double, timeZone);
        QFETCH(QDateTime, local);
        QFETCH(QString, clockStr);
        QFETCH(QString, utcHHMM);
        QFETCH(QDate, utcDate);
        app::ProgramState state;
        state.TimeZone = timeZone;
        ComputeClock(state, local, QLocale::c());
        QCOMPARE(state.ClockStr, clockStr);
        QCOMPARE(state.UTCHHMM, utcHHMM);
        QCOMPARE(state.UTCHour + state.UTCMin, utcHHMM);
        QCOMPARE(state.UTCSec, clockStr.mid(6, 2));
        QCOMPARE(state.UTCTime.date(), utcDate);
    }

    void preselection_data() {
        QTest::addColumn<double>("timeZone");
        QTest::addColumn<int>("row");
        addRow("twelve ahead is the first entry", 12.0, 0);
        addRow("eastern standard time", -5.0, 17);
        addRow("a fraction matches nothing and leaves the last", 5.5, 24);
    }
    void preselection() {
        QFETCH(double, timeZone);
        QFETCH(int, row);
        QCOMPARE(preselectedTimeZoneRow(timeZoneEntries(), timeZone), row);
    }

    // The minute's repaint and on-air refresh hang on a tick that reads second "00": a
    // 900 ms timer must see every second, whatever milliseconds the clock starts at.
    void everySecondIsSeenByA900msTimer_data() {
        QTest::addColumn<int>("startMs");
        for (int ms : {0, 137, 450, 863, 999})
            QTest::addRow("timer started at %d ms past the second", ms) << ms;
    }
    void everySecondIsSeenByA900msTimer() {
        QFETCH(int, startMs);
        app::ProgramState s;
        const QDateTime start(QDate(2024, 3, 10), QTime(9, 0, 0, startMs));
        QSet<QString> fullMinutes;
        QString previous;
        for (int tick = 0; tick < 2000; ++tick) { // 30 minutes
            ComputeClock(s, start.addMSecs(qint64(tick) * 900), QLocale::c());
            QVERIFY2(previous.isEmpty() || s.ClockStr.left(8) >= previous,
                     "the clock ran backwards");
            previous = s.ClockStr.left(8);
            if (s.UTCSec == u"00")
                fullMinutes.insert(s.UTCHHMM);
        }
        QVERIFY2(fullMinutes.size() >= 29, qPrintable(QString::number(fullMinutes.size())));
    }
};

QTEST_GUILESS_MAIN(ClockTest)
#include "Clock_test.moc"
