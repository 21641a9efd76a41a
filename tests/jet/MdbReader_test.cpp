#include "jet/CsvRows.h"
#include "jet/MdbReader.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <mdbtools.h>

#include <cmath>

Q_DECLARE_METATYPE(jet::ReadStatus)

using jet::Cell;
using jet::ReadStatus;

namespace {

constexpr const char *kIsoDate = "%Y-%m-%d %H:%M:%S";

jet::CsvRows mdbExport(const QString &file, const QString &table) {
    QProcess p;
    p.start(QStringLiteral("mdb-export"),
            {QStringLiteral("-D"), kIsoDate, QStringLiteral("-T"), kIsoDate, file, table});
    p.waitForFinished(60000);
    return jet::parseCsv(QString::fromUtf8(p.readAllStandardOutput()));
}

// Null flags per row as libmdb's own row fetching reports them (not through our reader).
std::vector<std::vector<bool>> libmdbNulls(const QString &file, const QString &table) {
    std::vector<std::vector<bool>> rows;
    MdbHandle *mdb = mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS);
    if (!mdb)
        return rows;
    mdb_read_catalog(mdb, MDB_TABLE);
    QByteArray name = table.toUtf8();
    MdbTableDef *t = mdb_read_table_by_name(mdb, name.data(), MDB_TABLE);
    if (t && mdb_read_columns(t)) {
        std::vector<MdbField> fields(t->num_cols + 1);
        mdb_rewind_table(t);
        while (mdb_fetch_row(t)) {
            int start = 0;
            size_t len = 0;
            mdb_find_row(mdb, int(t->cur_row) - 1, &start, &len);
            mdb_crack_row(t, start & 0x1fff, len, fields.data());
            std::vector<bool> nulls;
            for (guint i = 0; i < t->num_cols; ++i) {
                auto *col = static_cast<MdbColumn *>(g_ptr_array_index(t->columns, i));
                nulls.push_back(col->col_type != MDB_BOOL && fields[i].is_null);
            }
            rows.push_back(nulls);
        }
    }
    if (t)
        mdb_free_tabledef(t);
    mdb_close(mdb);
    return rows;
}

// mdb-export prints Null and the empty text alike; the null flag tells them apart.
QString mismatch(const Cell &ours, const Cell &exported, bool isNull, int sourceType) {
    const auto show = [](const Cell &c) { return jet::csvField(c); };
    if (isNull)
        return ours.isNull() ? QString() : QStringLiteral("Null expected, got ") + show(ours);
    if (exported.isNull())
        return ours == Cell::fromText("")
                   ? QString()
                   : QStringLiteral("empty text expected, got ") + show(ours);
    if (exported.isNumber()) {
        const double tolerance = sourceType == MDB_FLOAT ? 1e-7 : 1e-15;
        if (ours.isNumber() &&
            std::abs(ours.number - exported.number) <= tolerance * std::abs(exported.number))
            return {};
        return QStringLiteral("%1 expected, got %2").arg(show(exported), show(ours));
    }
    return ours == exported ? QString()
                            : QStringLiteral("%1 expected, got %2").arg(show(exported), show(ours));
}

} // namespace

class MdbReaderTest : public QObject {
    Q_OBJECT
private slots:
    void accessFilesReadAsMdbExportShowsThem_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("jetVersion");
        addRow("Jet 3 one column of each common type", "access97.mdb", "Table1", 3);
        addRow("Jet 4 one column of each common type", "access2000.mdb", "Table1", 4);
        addRow("Jet 4 89 columns no rows", "access2000.mdb", "Table2", 4);
        addRow("Jet 4 replication id column", "access2000.mdb", "Table4", 4);
        addRow("Numeric and Memo columns", "access2000-numeric.mdb", "test", 4);
    }
    void accessFilesReadAsMdbExportShowsThem() {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(int, jetVersion);
        const QString path = testsupport::fixture("access/" + file);
        REQUIRE_FIXTURE(path);
        jet::MdbReader reader;
        QCOMPARE(reader.open(path), ReadStatus::Ok);
        QCOMPARE(reader.jetVersion(), jetVersion);
        const auto read = jet::readTableDirect(path, table);
        QCOMPARE(read.status, ReadStatus::Ok);
        const auto exported = mdbExport(path, table);
        QVERIFY2(exported.ok(), qPrintable(exported.error));
        const auto nulls = libmdbNulls(path, table);
        const jet::Table &t = *read.table;
        QCOMPARE(t.columnCount(), int(exported.header.size()));
        for (int c = 0; c < t.columnCount(); ++c)
            QCOMPARE(t.columns()[c].name, exported.header[c]);
        QCOMPARE(size_t(t.rowCount()), exported.rows.size());
        QCOMPARE(nulls.size(), exported.rows.size());
        for (int r = 0; r < t.rowCount(); ++r)
            for (int c = 0; c < t.columnCount(); ++c) {
                const QString why = mismatch(t.cell(r, c), exported.rows[r][c], nulls[r][c],
                                             t.columns()[c].sourceType);
                QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("row %1 column %2: %3")
                                                       .arg(r)
                                                       .arg(t.columns()[c].name, why)));
            }
    }

    void scheduleEqualsItsCsv() {
        const QString mdb = testsupport::fixture("schedule/ILGDATA.MDB");
        const QString csv = testsupport::fixture("schedule/rows.csv");
        REQUIRE_FIXTURE(mdb);
        const auto expected = jet::readCsvFile(csv);
        QVERIFY2(expected.ok(), qPrintable(expected.error));
        const auto read = jet::readTableDirect(mdb, "MyDataTable");
        QCOMPARE(read.status, ReadStatus::Ok);
        const jet::Table &t = *read.table;
        QCOMPARE(size_t(t.rowCount()), expected.rows.size());
        int nulls = 0, empties = 0, nonAscii = 0;
        for (int r = 0; r < t.rowCount(); ++r)
            for (int c = 0; c < t.columnCount(); ++c) {
                const Cell cell = t.cell(r, c);
                QVERIFY2(cell == expected.rows[r][c],
                         qPrintable(QStringLiteral("row %1 %2: %3 expected, got %4")
                                        .arg(r)
                                        .arg(expected.header[c], jet::csvField(expected.rows[r][c]),
                                             jet::csvField(cell))));
                nulls += cell.isNull();
                empties += cell == Cell::fromText("");
                nonAscii += cell.isText() && QString(cell.text.toLatin1()) != cell.text;
            }
        QVERIFY(nulls > 0);
        QVERIFY(empties > 0);
        QVERIFY(nonAscii > 0);
    }
};

QTEST_GUILESS_MAIN(MdbReaderTest)
#include "MdbReader_test.moc"
