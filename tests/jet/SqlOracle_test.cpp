// Runs every query shape the program composes on the schedule fixture, once through the engine
// and once through SQLite with hand-written equivalent SQL, and compares rows and order.
#include "jet/DataSource.h"
#include "onair/OnAir.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <sqlite3.h>

namespace {

const QString dbFile = QStringLiteral("ILGDATA.MDB");

// Text order of the engine: letter case ignored, nothing else.
int ciCollation(void *, int n1, const void *a, int n2, const void *b) {
    const QString x = QString::fromUtf8(static_cast<const char *>(a), n1);
    const QString y = QString::fromUtf8(static_cast<const char *>(b), n2);
    return x.compare(y, Qt::CaseInsensitive);
}

class Reference {
public:
    explicit Reference(const jet::CsvRows &csv) {
        sqlite3_open(":memory:", &m_db);
        sqlite3_create_collation(m_db, "CI", SQLITE_UTF8, nullptr, ciCollation);
        QStringList defs, marks;
        for (const QString &name : csv.header) {
            const bool number = name == u"StationID" || name == u"Freq";
            defs << name + (number ? " REAL" : " TEXT");
            marks << "?";
        }
        exec("CREATE TABLE t (" + defs.join(',') + ")");
        exec("BEGIN");
        sqlite3_stmt *insert = nullptr;
        const QByteArray sql = ("INSERT INTO t VALUES (" + marks.join(',') + ")").toUtf8();
        sqlite3_prepare_v2(m_db, sql.constData(), -1, &insert, nullptr);
        for (const auto &row : csv.rows) {
            for (int i = 0; i < int(row.size()); ++i)
                bind(insert, i + 1, row[i]);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        exec("COMMIT");
    }
    ~Reference() { sqlite3_close(m_db); }

    // The first column of every result row as text ("<null>" for Null); a query SQLite
    // rejects fails the calling test with SQLite's own message.
    QStringList column(const QString &sql) const {
        sqlite3_stmt *stmt = nullptr;
        QStringList out;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            fail(sql);
            return {};
        }
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (sqlite3_column_type(stmt, 0) == SQLITE_NULL)
                out << "<null>";
            else if (sqlite3_column_type(stmt, 0) == SQLITE_FLOAT)
                out << jet::numberText(sqlite3_column_double(stmt, 0));
            else
                out << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        }
        if (step != SQLITE_DONE)
            fail(sql);
        sqlite3_finalize(stmt);
        return out;
    }

private:
    sqlite3 *m_db = nullptr;

    void fail(const QString &sql) const {
        QTest::qFail(qPrintable(QStringLiteral("reference query failed: ") +
                                QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral(" in ") +
                                sql),
                     __FILE__, __LINE__);
    }

    void exec(const QString &sql) { sqlite3_exec(m_db, sql.toUtf8().constData(), 0, 0, 0); }

    static void bind(sqlite3_stmt *stmt, int i, const jet::Cell &c) {
        if (c.isNull())
            sqlite3_bind_null(stmt, i);
        else if (c.isNumber())
            sqlite3_bind_double(stmt, i, c.number);
        else
            sqlite3_bind_text(stmt, i, c.text.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
};

struct Shared {
    jet::CsvRows csv;
    std::unique_ptr<Reference> reference;
    testsupport::MemoryTables tables;
};

Shared &shared() {
    static Shared s;
    return s;
}

QStringList engineColumn(const QString &sql, QString *error) {
    jet::DataSource source(shared().tables);
    source.setDatabaseName(dbFile);
    source.setRecordSource(sql);
    if (!source.refresh(error))
        return {"<error>"};
    QStringList out;
    const jet::RecordSet &rs = source.recordset();
    for (int p = 0; p < rs.recordCount(); ++p) {
        const jet::Cell c = rs.value(p, 0);
        out << (c.isNull() ? QStringLiteral("<null>") : jet::displayText(c));
    }
    return out;
}

// The program's own on-air condition; OnAir_test pins its characters.
QString onAir(const QString &t) {
    return onair::OnAirCondition(t);
}

QString onAirReference(const QString &t) {
    const QString w = QString::number(t.toInt() + 2400);
    const auto piece = [](const QString &time) {
        return "(UTCE < UTCB COLLATE CI AND '" + time + "' >= UTCB COLLATE CI AND " +
               QString::number(time.toInt()) + " < CAST(UTCE AS REAL) + 2400)";
    };
    return piece(w) + " OR " + piece(t) + " OR (UTCE > UTCB COLLATE CI AND '" + t +
           "' >= UTCB COLLATE CI AND '" + t + "' < UTCE COLLATE CI)";
}

struct Shape {
    const char *name;
    QString engine;    // condition as the program writes it ("" for none)
    QString reference; // the same in SQLite
};

QVector<Shape> conditions() {
    QVector<Shape> out{{"all rows", "", ""}};
    for (const char *t : {"0000", "0005", "0130", "0600", "1200", "2300", "2359"})
        out.append({t, onAir(t), onAirReference(t)});
    out += QVector<Shape>{
        {"language instr", "(instr(Language,'ENGLISH') > 0)", "Language LIKE '%english%'"},
        {"language equal other case", "Language  = 'french' ", "Language = 'french' COLLATE CI"},
        {"custom filter with negated country and range",
         "(instr(Language,'ENGLISH') <> 0) And Country <> 'GERMANY' And Freq >= ' 6000.00' AND "
         "Freq <= ' 9000.00' ",
         "Language LIKE '%english%' AND Country <> 'GERMANY' COLLATE CI AND Freq >= 6000 AND "
         "Freq <= 9000"},
        {"country", "Country = 'FRANCE' ", "Country = 'FRANCE' COLLATE CI"},
        {"adm lower case", "ADM = 'd' ", "ADM = 'd' COLLATE CI"},
        {"program code", " P = 'n' ", "P = 'n' COLLATE CI"},
        {"frequency two decimals", "Freq = ' 5830.00' ", "Freq = 5830"},
        {"frequency one decimal", "Freq  = ' 5830.0' ", "Freq = 5830"},
        {"frequency range", "Freq >= ' 6000.00' AND Freq <= ' 7000.00' ",
         "Freq >= 6000 AND Freq <= 7000"},
        {"start time", "UTCB = '0600' ", "UTCB = '0600' COLLATE CI"},
        {"time span", "Left(UTC,4) >= '0600' AND Right(UTC,4) <= '1200' ",
         "substr(UTC,1,4) >= '0600' COLLATE CI AND substr(UTC,-4) <= '1200' COLLATE CI"},
        {"start time instr", "InStr(left(UTC,4), '0600') > 0", "instr(substr(UTC,1,4),'0600') > 0"},
        {"station instr", "(instr(STATION,'RADIO') > 0) ", "Station LIKE '%radio%'"},
        {"target instr", "(instr(TargetAll,'EU') > 0) ", "TargetALL LIKE '%eu%'"},
        {"location instr", "(instr(Location,'SAINT') > 0)", "Location LIKE '%saint%'"},
        {"station id", "StationID = 12", "StationID = 12"},
        {"station equal", "Station = 'RADIO FREE SUMMIT'",
         "Station = 'RADIO FREE SUMMIT' COLLATE CI"},
    };
    return out;
}

QVector<Shape> orders() {
    QVector<Shape> out{{"Freq", " Order by Freq ", "Freq, rowid"},
                       {"Freq DESC", " Order by Freq DESC ", "Freq DESC, rowid"},
                       {"Station, Freq DESC", " Order by Station, Freq DESC ",
                        "Station COLLATE CI, Freq DESC, rowid"}};
    for (const char *f : {"Country", "Language", "UTC", "Location", "ADM", "STN", "UTCB"})
        out.append({f, QString(" Order by %1, Freq ").arg(f),
                    QString("%1 COLLATE CI, Freq, rowid").arg(f)});
    return out;
}

const QString fields = QStringLiteral("StationID,Freq,Station,UTC,Language");

} // namespace

class SqlOracleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const QString path = testsupport::fixture("schedule/rows.csv");
        REQUIRE_FIXTURE(path);
        shared().csv = jet::readCsvFile(path);
        QVERIFY2(shared().csv.ok(), qPrintable(shared().csv.error));
        shared().reference = std::make_unique<Reference>(shared().csv);
        shared().tables.add(dbFile, testsupport::tableFromCsv(shared().csv));
    }

    void rowsAndOrderMatchReference_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reference");
        const auto shapes = conditions();
        const auto sorts = orders();
        for (const Shape &c : shapes)
            for (const Shape &o : sorts) {
                if (!c.engine.isEmpty() && &o - sorts.data() > 2)
                    continue; // every ordering once, the common three with every condition
                const QString where = c.engine.isEmpty() ? "" : " Where " + c.engine;
                const QString refWhere = c.engine.isEmpty() ? "" : " WHERE " + c.reference;
                QTest::addRow("%s / %s", c.name, o.name)
                    << "Select " + fields + " From MyDataTable" + where + o.engine
                    << "SELECT StationID FROM t" + refWhere + " ORDER BY " + o.reference;
            }
    }
    void rowsAndOrderMatchReference() {
        QFETCH(QString, sql);
        QFETCH(QString, reference);
        QString error;
        const QStringList got = engineColumn(sql, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QStringList expected = shared().reference->column(reference);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(got, expected);
    }

    void findFirstMatchesReference_data() {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("reference");
        addRow("station instr", "InStr(Station, 'RADIO') > 0", "Station LIKE '%radio%'");
        addRow("frequency equal", "Freq  = ' 5830.0' ", "Freq = 5830");
        addRow("next higher frequency", "Freq  > ' 9999.0' ", "Freq > 9999");
        addRow("start time", "InStr(left(UTC,4), '2300') > 0", "instr(substr(UTC,1,4),'2300') > 0");
        addRow("adm mixed case", "ADM = 'cAn' ", "ADM = 'cAn' COLLATE CI");
        addRow("stn instr", "(instr(STN, 'R') > 0)", "STN LIKE '%r%'");
        addRow("station id", "StationID  = 1400 ", "StationID = 1400");
        addRow("field not in the list", "Country = 'canada'", "Country = 'canada' COLLATE CI");
        addRow("no match", "InStr(Station, 'zzzz') > 0", "Station LIKE '%zzzz%'");
    }
    void findFirstMatchesReference() {
        QFETCH(QString, criterion);
        QFETCH(QString, reference);
        jet::DataSource source(shared().tables);
        source.setDatabaseName(dbFile);
        source.setRecordSource("Select " + fields +
                               " From MyDataTable Order by Station, Freq DESC ");
        QVERIFY(source.refresh());
        jet::RecordSet &rs = source.recordset();
        rs.moveLast();
        QString error;
        QVERIFY2(rs.findFirst(criterion, &error), qPrintable(error));
        const QStringList expected =
            shared().reference->column("SELECT StationID FROM t WHERE " + reference +
                                       " ORDER BY Station COLLATE CI, Freq DESC, rowid LIMIT 1");
        if (expected.isEmpty()) {
            QVERIFY(rs.noMatch());
            QCOMPARE(rs.position(), rs.recordCount() - 1); // current record kept
        } else {
            QVERIFY(!rs.noMatch());
            QCOMPARE(jet::displayText(rs.field(u"stationid")), expected.first());
        }
    }
};

QTEST_GUILESS_MAIN(SqlOracleTest)
#include "SqlOracle_test.moc"
