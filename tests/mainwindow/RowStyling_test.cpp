#include "mainwindow/GridSetup.h"
#include "mainwindow/RowStyling.h"
#include "support/TestSupport.h"

using namespace mainwindow;

namespace {

// Columns: 0 StationID, 1 Freq, 2 Station, 3 UTC or UTCB, 4 UTCE, 5 Location.
enum Layout { UtcColumn, BeginEndColumns, EndHidden };

app::ProgramState stateFor(Layout layout) {
    app::ProgramState s;
    setStyleNames(s);
    s.StationCol = 2;
    s.LocCol = 5;
    if (layout == UtcColumn) {
        s.UTCCol = 3;
        s.UTCShown = true;
    } else {
        s.UTCBCol = 3;
        s.UTCECol = layout == BeginEndColumns ? 4 : 0;
    }
    s.UTCHour = QStringLiteral("23");
    s.UTCHHMM = QStringLiteral("2330");
    return s;
}

QStringList rowCells(Layout layout, const QString &freq, const QString &station,
                     const QString &begin, const QString &end) {
    if (layout == UtcColumn)
        return {"1", freq, station, begin + u'-' + end, "", "Lyndhurst"};
    return {"1", freq, station, begin, end, "Lyndhurst"};
}

} // namespace

Q_DECLARE_METATYPE(Layout)

class RowStylingTest : public QObject {
    Q_OBJECT

private slots:
    void findMarking_data() {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<int>("findType");
        QTest::addColumn<QString>("searchStr");
        QTest::addColumn<QString>("radioFreq");
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("style");
        const auto row = [](const char *name, Layout layout, int findType, const char *search,
                            const char *radio, const char *freq, const char *begin, const char *end,
                            const char *style) {
            addRow(name, layout, findType, QString(search), QString(radio), QString(freq),
                   QString(begin), QString(end), QString(style));
        };
        // 23:30 UTC: 1200-1300 is off the air, 2200-0200 on.
        row("no find leaves an idle row plain", UtcColumn, 0, "", "", "9575", "1200", "1300", "");
        row("padded find value equals the Freq number", UtcColumn, 1, "   9575.0", "", "9575",
            "1200", "1300", "BlueBold");
        row("station find ignores the cell's letter case", UtcColumn, 2, "SUMMIT", "", "9575",
            "1200", "1300", "BlueBold");
        row("lower-case find value never matches the upper-cased cell", UtcColumn, 2, "summit", "",
            "9575", "1200", "1300", "");
        row("start time find compares the begin", UtcColumn, 4, "1200", "", "9575", "1200", "1300",
            "BlueBold");
        row("start time find does not look at the end", UtcColumn, 4, "1300", "", "9575", "1200",
            "1300", "");
        row("ADM find without an ADM column marks nothing", UtcColumn, 5, "", "", "9575", "1200",
            "1300", "");
        row("receiver frequency compares numbers", UtcColumn, 7, "", "9575.00", "9575", "1200",
            "1300", "BlueBold");
        row("found and on the air is red bold", UtcColumn, 1, "9575", "", "9575", "2200", "0200",
            "RedBold");
        row("unknown begin is found but never on the air", UtcColumn, 1, "9575", "", "9575", "....",
            "2359", "BlueBold");
        row("UTCE hidden: no colour even for a find", EndHidden, 1, "9575", "", "9575", "2200",
            "0200", "");
    }
    void findMarking() {
        QFETCH(Layout, layout);
        QFETCH(int, findType);
        QFETCH(QString, searchStr);
        QFETCH(QString, radioFreq);
        QFETCH(QString, freq);
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(QString, style);
        app::ProgramState s = stateFor(layout);
        s.FindType = qint16(findType);
        s.SearchStr = searchStr;
        s.RadioFreq = radioFreq;
        const QStringList cells = rowCells(layout, freq, "Radio Free Summit", begin, end);
        QCOMPARE(rowStyleSet(s, [&](int column) { return cells.value(column); }), style);
    }

    // The end minute is off the air. "...." marks an unknown time: such a row is never on the
    // air, though a find still marks it. Equal begin and end reads as on the air all day.
    void unknownAndEqualTimes_data() {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("findType");
        QTest::addColumn<QString>("style");
        const auto row = [](const char *name, Layout layout, const char *now, const char *begin,
                            const char *end, int findType, const char *style) {
            addRow(name, layout, QString(now), QString(begin), QString(end), findType,
                   QString(style));
        };
        row("1200-1300 at 13:00: the end minute is off the air", UtcColumn, "1300", "1200", "1300",
            0, "");
        row("unknown end, inside the day after the begin", UtcColumn, "1230", "1200", "....", 0,
            "");
        row("unknown end found by frequency is blue bold", UtcColumn, "1230", "1200", "....", 1,
            "BlueBold");
        row("unknown begin, before the end", UtcColumn, "1230", "....", "1300", 0, "");
        row("unknown begin found by frequency is blue bold", BeginEndColumns, "1230", "....",
            "1300", 1, "BlueBold");
        row("0000-0000 at noon", BeginEndColumns, "1200", "0000", "0000", 0, "RedNormal");
        row("0000-0000 found is red bold", UtcColumn, "1200", "0000", "0000", 1, "RedBold");
        row("1800-1800 before its hour", UtcColumn, "0530", "1800", "1800", 0, "RedNormal");
    }
    void unknownAndEqualTimes() {
        QFETCH(Layout, layout);
        QFETCH(QString, now);
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(int, findType);
        QFETCH(QString, style);
        app::ProgramState s = stateFor(layout);
        s.UTCHHMM = now;
        s.UTCHour = now.left(2);
        s.FindType = qint16(findType);
        s.SearchStr = QStringLiteral("9575");
        const QStringList cells = rowCells(layout, "9575", "Radio Free Summit", begin, end);
        QCOMPARE(rowStyleSet(s, [&](int column) { return cells.value(column); }), style);
    }
};

QTEST_GUILESS_MAIN(RowStylingTest)
#include "RowStyling_test.moc"
