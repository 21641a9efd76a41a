#include "schedule/SyntheticSchedule.h"
#include "support/TestSupport.h"

#include <QTest>

#include <cmath>

using jet::Cell;
using Rows = std::vector<std::vector<Cell>>;

namespace {

int column(const QString &name) {
    static const QVector<jet::Column> columns = schedule::scheduleColumns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name == name)
            return i;
    return -1;
}

QString text(const std::vector<Cell> &row, const char *name) {
    return row[size_t(column(name))].text;
}

int minutes(const QString &hhmm) {
    return hhmm.left(2).toInt() * 60 + hhmm.mid(2).toInt();
}

// The bar as a listener reads it: a half hour is marked when the broadcast is on the air
// at any minute of it.
QString expectedBar(const QString &begin, const QString &end) {
    QString bar(48, ' ');
    if (begin == "...." || end == "....")
        return bar;
    const int b = minutes(begin);
    int length = (minutes(end) - b + 1440) % 1440;
    if (length == 0)
        length = 1440;
    for (int m = 0; m < length; ++m)
        bar[((b + m) % 1440) / 30] = '#';
    return bar;
}

bool inBroadcastBand(double khz) {
    static const double bands[][2] = {
        {2300, 2495},   {3200, 3400},   {3900, 4000},   {4750, 5060},   {5900, 6200},
        {7200, 7600},   {9400, 9900},   {11600, 12100}, {13570, 13870}, {15100, 15800},
        {17480, 17900}, {18900, 19020}, {21450, 21850}, {25670, 26100}};
    for (const auto &band : bands)
        if (khz >= band[0] && khz <= band[1])
            return true;
    return false;
}

QString firstBadRow(const Rows &rows) {
    const auto columns = schedule::scheduleColumns();
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto &row = rows[r];
        const QString where = QStringLiteral("row %1: ").arg(r + 1);
        if (row.size() != size_t(columns.size()))
            return where + "wrong number of cells";
        if (row[0].number != double(r + 1))
            return where + "StationID is not its position";
        if (!inBroadcastBand(row[1].number))
            return where + "Freq outside the broadcast bands";
        for (int c = 2; c < columns.size(); ++c)
            if (row[size_t(c)].text.size() > columns[c].size)
                return where + columns[c].name + " longer than its column";
        if (text(row, "UTC") != text(row, "UTCB") + '-' + text(row, "UTCE"))
            return where + "UTC is not UTCB-UTCE";
        if (text(row, "Graphic") != expectedBar(text(row, "UTCB"), text(row, "UTCE")))
            return where + "Graphic does not match " + text(row, "UTC");
        const Cell &p = row[size_t(column("P"))];
        if (p.isText() && !p.text.isEmpty() && !QString("CEFHLMNPRSUX=").contains(p.text))
            return where + "P is not a priority code";
    }
    return {};
}

} // namespace

class SyntheticScheduleTest : public QObject {
    Q_OBJECT

private slots:
    void everyRowIsConsistent_data();
    void everyRowIsConsistent();
    void seedDecidesTheRows();
};

void SyntheticScheduleTest::everyRowIsConsistent_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<quint64>("seed");
    addRow("single row", 1, quint64(0));
    addRow("small schedule", 200, quint64(7));
    addRow("large schedule, large seed", 20000, quint64(0xFFFFFFFFFFFFFFFFULL));
}

void SyntheticScheduleTest::everyRowIsConsistent() {
    QFETCH(int, rows);
    QFETCH(quint64, seed);
    const Rows schedule = schedule::syntheticSchedule(rows, seed);
    QCOMPARE(int(schedule.size()), rows);
    const QString bad = firstBadRow(schedule);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
}

void SyntheticScheduleTest::seedDecidesTheRows() {
    QVERIFY(schedule::syntheticSchedule(300, 5) == schedule::syntheticSchedule(300, 5));
    QVERIFY(schedule::syntheticSchedule(300, 5) != schedule::syntheticSchedule(300, 6));
}

QTEST_GUILESS_MAIN(SyntheticScheduleTest)
#include "SyntheticSchedule_test.moc"
