// Times each kind of query the program runs on a 120,000-row schedule against SQLite in memory
// on the same rows with equivalent SQL, and the table's resident memory against the rows' CSV
// size. Prints one ratio per measurement (ours / reference, target <= 1.0), ratios last.
#include "jet/CsvRows.h"
#include "jet/DataSource.h"
#include "schedule/SyntheticSchedule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <malloc.h>

namespace {

constexpr int kRows = 120000;
constexpr int kRuns = 5;

class OneTable : public jet::TableProvider {
public:
    explicit OneTable(std::shared_ptr<const jet::Table> t) : m_table(std::move(t)) {}
    jet::LoadOutcome table(const QString &, const QString &) override { return {m_table, {}}; }

private:
    std::shared_ptr<const jet::Table> m_table;
};

long residentBytes() {
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * 4096 : 0;
}

double bestMs(const std::function<void()> &work) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

class Sqlite {
public:
    Sqlite(const QVector<jet::Column> &columns, const std::vector<std::vector<jet::Cell>> &rows) {
        sqlite3_open(":memory:", &m_db);
        QStringList defs, marks;
        for (const jet::Column &c : columns) {
            defs << c.name + (c.kind == jet::ColumnKind::Number ? " REAL" : " TEXT");
            marks << "?";
        }
        exec("CREATE TABLE MyDataTable (" + defs.join(',') + ")");
        exec("BEGIN");
        sqlite3_stmt *ins = nullptr;
        sqlite3_prepare_v2(
            m_db, ("INSERT INTO MyDataTable VALUES (" + marks.join(',') + ")").toUtf8().constData(),
            -1, &ins, nullptr);
        for (const auto &row : rows) {
            for (int i = 0; i < int(row.size()); ++i)
                bind(ins, i + 1, row[i]);
            sqlite3_step(ins);
            sqlite3_reset(ins);
        }
        sqlite3_finalize(ins);
        exec("COMMIT");
    }
    ~Sqlite() { sqlite3_close(m_db); }

    // Runs the statement to its last row, as a record set needs its exact count.
    int run(const QString &sql) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(m_db));
            return -1;
        }
        int n = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ++n;
        sqlite3_finalize(stmt);
        return n;
    }

private:
    sqlite3 *m_db = nullptr;
    void exec(const QString &sql) { sqlite3_exec(m_db, sql.toUtf8().constData(), 0, 0, 0); }
    static void bind(sqlite3_stmt *s, int i, const jet::Cell &c) {
        if (c.isNull())
            sqlite3_bind_null(s, i);
        else if (c.isNumber())
            sqlite3_bind_double(s, i, c.number);
        else
            sqlite3_bind_text(s, i, c.text.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
};

QString onAir(const QString &t) {
    const QString w = QString::number(t.toInt() + 2400);
    return "((UTCE<UTCB AND '" + w + "' >= UTCB and '" + w + "' < (val(UTCE)+2400))OR " +
           "(UTCE<UTCB AND '" + t + "' >= UTCB and '" + t +
           "' < (val(UTCE)+2400)) OR (UTCE>UTCB AND '" + t + "' >= UTCB AND '" + t + "' <UTCE)) ";
}

QString onAirSqlite(const QString &t) {
    const QString w = QString::number(t.toInt() + 2400);
    const auto piece = [](const QString &time) {
        return "(UTCE < UTCB COLLATE NOCASE AND '" + time + "' >= UTCB COLLATE NOCASE AND " +
               QString::number(time.toInt()) + " < CAST(UTCE AS REAL) + 2400)";
    };
    return piece(w) + " OR " + piece(t) + " OR (UTCE > UTCB COLLATE NOCASE AND '" + t +
           "' >= UTCB COLLATE NOCASE AND '" + t + "' < UTCE COLLATE NOCASE)";
}

struct Result {
    QString name;
    double ours, reference;
};

qsizetype csvBytes(const QVector<jet::Column> &columns,
                   const std::vector<std::vector<jet::Cell>> &rows) {
    qsizetype bytes = 0;
    for (const jet::Column &c : columns)
        bytes += c.name.toUtf8().size() + 1;
    for (const auto &row : rows)
        for (const jet::Cell &cell : row)
            bytes += jet::csvField(cell).toUtf8().size() + 1; // comma or CR
    return bytes + qsizetype(rows.size()) + 1;                // LF
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QVector<jet::Column> columns = schedule::scheduleColumns();
    const auto rows = schedule::syntheticSchedule(kRows, 20240601);
    const qsizetype csv = csvBytes(columns, rows);

    malloc_trim(0);
    const long before = residentBytes();
    auto table = std::make_shared<jet::Table>(columns);
    for (const auto &row : rows)
        table->appendRow(row);
    table->squeeze();
    for (int c = 0; c < table->columnCount(); ++c)
        table->ranks(c);
    malloc_trim(0);
    const long resident = std::max<long>(residentBytes() - before, long(table->memoryBytes()));

    Sqlite sqlite(columns, rows);
    OneTable provider(table);
    jet::DataSource source(provider);
    source.setDatabaseName("ILGDATA.MDB");
    const auto ours = [&](const QString &sql) {
        return bestMs([&] {
            source.setRecordSource(sql);
            QString error;
            if (!source.refresh(&error))
                std::fprintf(stderr, "engine: %s\n", qPrintable(error));
        });
    };
    const auto theirs = [&](const QString &sql) { return bestMs([&] { sqlite.run(sql); }); };

    const QString list = "Select StationID,Freq,Station,UTC,Language From MyDataTable";
    const QString sqlList = "SELECT StationID,Freq,Station,UTC,Language FROM MyDataTable";
    std::vector<Result> results;
    const auto query = [&](const char *name, const QString &engineSql, const QString &sqliteSql) {
        results.push_back({name, ours(engineSql), theirs(sqliteSql)});
        std::printf("%-28s %6d records\n", name, source.recordset().recordCount());
    };
    query("default list by Freq", list + " Order by Freq ", sqlList + " ORDER BY Freq");
    query("by Station, Freq DESC", list + " Order by Station, Freq DESC ",
          sqlList + " ORDER BY Station COLLATE NOCASE, Freq DESC");
    query("language instr", list + " Where (instr(Language,'ENGLISH') > 0) Order by Freq ",
          sqlList + " WHERE Language LIKE '%english%' ORDER BY Freq");
    query("on air 01:30", list + " Where " + onAir("0130") + " Order by Freq ",
          sqlList + " WHERE " + onAirSqlite("0130") + " ORDER BY Freq");
    query("frequency range",
          list + " Where Freq >= ' 6000.00' AND Freq <= ' 7000.00'  Order by Freq ",
          sqlList + " WHERE Freq >= 6000 AND Freq <= 7000 ORDER BY Freq");
    query("distinct Language", "Select Distinct Language from MyDataTable",
          "SELECT Language FROM MyDataTable GROUP BY Language COLLATE NOCASE "
          "ORDER BY Language COLLATE NOCASE");

    source.setRecordSource(list + " Order by Freq ");
    source.refresh();
    jet::RecordSet &rs = source.recordset();
    const int target = rs.recordCount() - 50;
    const QString id = jet::displayText(rs.value(target, 0));
    results.push_back({"find StationID near the end",
                       bestMs([&] { rs.findFirst("StationID  = " + id + " "); }),
                       theirs("SELECT StationID FROM MyDataTable WHERE StationID = " + id +
                              " ORDER BY Freq LIMIT 1")});
    results.push_back({"find Station, no match",
                       bestMs([&] { rs.findFirst("InStr(Station, 'ZQX') > 0"); }),
                       theirs("SELECT StationID FROM MyDataTable WHERE Station LIKE '%zqx%' "
                              "ORDER BY Freq LIMIT 1")});

    std::printf("\n%-28s %10s %10s\n", "measurement", "ours", "reference");
    for (const Result &r : results)
        std::printf("%-28s %8.2fms %8.2fms\n", qPrintable(r.name), r.ours, r.reference);
    std::printf("%-28s %9.1fMB %9.1fMB (table resident / CSV bytes)\n", "memory",
                double(resident) / 1e6, double(csv) / 1e6);
    std::printf("\nratios (ours / reference, target <= 1.0)\n");
    for (const Result &r : results)
        std::printf("ratio %-28s %.3f\n", qPrintable(r.name), r.ours / r.reference);
    std::printf("ratio %-28s %.3f\n", "memory", double(resident) / double(csv));
    return 0;
}
