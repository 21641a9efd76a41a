#include "jet/CsvRows.h"
#include "jet/Jet4Writer.h"
#include "schedule/SyntheticSchedule.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <mdbtools.h>

using jet::Cell;
using Rows = std::vector<std::vector<Cell>>;

namespace {

// What libmdb itself makes of a written file.
struct ReadBack {
    QStringList names;
    QVector<int> types;
    QVector<int> sizes;
    Rows rows;
    int usageMapType = -1;
    QString error;
};

Cell boundValue(const MdbColumn *col, const MdbField &field, const QByteArray &bound) {
    if (field.is_null)
        return Cell::null();
    if (col->col_type == MDB_TEXT)
        return Cell::fromText(QString::fromUtf8(bound.constData()));
    return Cell::fromNumber(QByteArray(bound.constData()).toDouble());
}

void readRows(MdbHandle *mdb, MdbTableDef *t, ReadBack &r) {
    std::vector<QByteArray> bound(t->num_cols, QByteArray(MDB_BIND_SIZE, '\0'));
    for (unsigned i = 0; i < t->num_cols; ++i) {
        auto *col = static_cast<MdbColumn *>(g_ptr_array_index(t->columns, i));
        r.names << QString::fromUtf8(col->name);
        r.types << col->col_type;
        r.sizes << col->col_size;
        mdb_bind_column(t, int(i) + 1, bound[i].data(), nullptr);
    }
    std::vector<MdbField> fields(t->num_cols);
    mdb_rewind_table(t);
    while (mdb_fetch_row(t)) {
        int start = 0;
        size_t length = 0;
        mdb_find_row(mdb, int(t->cur_row) - 1, &start, &length);
        mdb_crack_row(t, start & 0x1fff, length, fields.data());
        std::vector<Cell> row;
        for (unsigned i = 0; i < t->num_cols; ++i)
            row.push_back(boundValue(static_cast<MdbColumn *>(g_ptr_array_index(t->columns, i)),
                                     fields[i], bound[i]));
        r.rows.push_back(std::move(row));
    }
}

ReadBack readBack(const QString &path, const QString &table) {
    ReadBack r;
    MdbHandle *mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb) {
        r.error = "libmdb cannot open the file";
        return r;
    }
    mdb_read_catalog(mdb, MDB_TABLE);
    QByteArray name = table.toUtf8();
    MdbTableDef *t = mdb_read_table_by_name(mdb, name.data(), MDB_TABLE);
    if (t) {
        mdb_read_columns(t);
        r.usageMapType = t->usage_map ? t->usage_map[0] : -1;
        readRows(mdb, t, r);
        mdb_free_tabledef(t);
    } else {
        r.error = "libmdb finds no table " + table;
    }
    mdb_close(mdb);
    return r;
}

QVector<jet::Column> mixedColumns() {
    using jet::ColumnKind;
    return {{"Id", ColumnKind::Number, MDB_LONGINT, 4},
            {"Value", ColumnKind::Number, MDB_DOUBLE, 8},
            {"Short", ColumnKind::Text, MDB_TEXT, 5},
            {"Long", ColumnKind::Text, MDB_TEXT, 255}};
}

std::vector<Cell> row(double id, double value, const QString &shortText, const QString &longText) {
    return {Cell::fromNumber(id), Cell::fromNumber(value), Cell::fromText(shortText),
            Cell::fromText(longText)};
}

QStringList filesIn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files);
}

QString describe(const std::vector<Cell> &cells) {
    QStringList parts;
    for (const Cell &c : cells)
        parts << (c.isNull() ? "<null>" : jet::csvField(c));
    return parts.join(',');
}

void compareRows(const Rows &actual, const Rows &expected) {
    QCOMPARE(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        if (actual[i] != expected[i])
            QFAIL(qPrintable(QStringLiteral("row %1 reads %2, wrote %3")
                                 .arg(i + 1)
                                 .arg(describe(actual[i]), describe(expected[i]))));
}

} // namespace

class Jet4WriterTest : public QObject {
    Q_OBJECT

private slots:
    void valuesReadBackThroughLibmdb_data() {
        QTest::addColumn<std::vector<Cell>>("cells");
        const QString ucs2Only = QStringLiteral("中华之声广播电台");
        addRow(
            "null and empty text kept apart",
            std::vector<Cell>{Cell::fromNumber(1), Cell::null(), Cell::fromText(""), Cell::null()});
        addRow("all columns null", std::vector<Cell>(4));
        addRow("accented Latin in one-byte form", row(2, 1.5, "Señal", "L'Écho du Sahel"));
        addRow("CJK only as UCS-2", row(3, 0, "北海道", ucs2Only));
        addRow("Cyrillic and Latin switch modes", row(4, 0, "Радио", "Радио Волга 1 Ράδιο"));
        addRow("zero low byte cannot be compressed",
               row(5, 0, "Āā一", "Ā in a long Latin text 一"));
        addRow("text starting with a byte-order mark", row(6, 0, "\uFEFFab", "\uFEFF"));
        addRow("quotes and commas", row(7, 0, "\"a,b\"", "it's \"quoted\", isn't it"));
        addRow("text at the declared size", row(8, 0, "12345", QString(255, QChar(0x416))));
        addRow("long integer limits", row(-2147483648.0, -0.25, "a", "b"));
        addRow("largest long integer", row(2147483647.0, 1e300, "a", "b"));
        addRow("frequency with half kHz", row(9, 5005.5, "a", "b"));
    }

    void valuesReadBackThroughLibmdb() {
        QFETCH(std::vector<Cell>, cells);
        QTemporaryDir dir;
        const QString path = dir.filePath("t.mdb");
        QString error;
        const Rows rows = {row(100, 2, "x", "first"), cells, row(101, 3, "y", "last")};
        QVERIFY2(jet::writeJet4Database(path, "T", mixedColumns(), rows, &error),
                 qPrintable(error));
        const ReadBack back = readBack(path, "T");
        QVERIFY2(back.error.isEmpty(), qPrintable(back.error));
        compareRows(back.rows, rows);
    }

    void everyRowReadBackInOrder_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("tinyRows");
        QTest::addColumn<int>("mapType");
        addRow("empty table", 0, false, 0);
        addRow("one page", 10, false, 0);
        addRow("tiny rows hit the rows-per-page limit", 3000, true, 0);
        addRow("hundreds of pages need a page-list map", 12000, false, 1);
    }

    void everyRowReadBackInOrder() {
        QFETCH(int, count);
        QFETCH(bool, tinyRows);
        QFETCH(int, mapType);
        QVector<jet::Column> columns = schedule::scheduleColumns();
        Rows rows = schedule::syntheticSchedule(count, 11);
        if (tinyRows) {
            columns = {columns.front()};
            for (auto &r : rows)
                r.resize(1);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("many.mdb");
        QString error;
        QVERIFY2(jet::writeJet4Database(path, "MyDataTable", columns, rows, &error),
                 qPrintable(error));
        const ReadBack back = readBack(path, "MyDataTable");
        QVERIFY2(back.error.isEmpty(), qPrintable(back.error));
        QCOMPARE(back.usageMapType, mapType);
        compareRows(back.rows, rows);
    }

    void unfitValuesWriteNothing_data() {
        QTest::addColumn<std::vector<Cell>>("cells");
        QTest::addColumn<QString>("message");
        addRow("text longer than its column", row(1, 0, "123456", ""), "Short");
        addRow("long integer out of range", row(2147483648.0, 0, "", ""), "Id");
        addRow("fraction in a long integer", row(1.5, 0, "", ""), "Id");
        addRow("text in a number column",
               std::vector<Cell>{Cell::fromText("1"), Cell::null(), Cell::null(), Cell::null()},
               "Id");
        addRow("number in a text column",
               std::vector<Cell>{Cell::null(), Cell::null(), Cell::fromNumber(1), Cell::null()},
               "Short");
        addRow("too few values", std::vector<Cell>(3), "3 values");
    }

    void unfitValuesWriteNothing() {
        QFETCH(std::vector<Cell>, cells);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString error;
        const Rows rows = {row(1, 1, "a", "b"), cells};
        QVERIFY(!jet::writeJet4Database(dir.filePath("t.mdb"), "T", mixedColumns(), rows, &error));
        QVERIFY2(error.contains("row 2") && error.contains(message), qPrintable(error));
        QCOMPARE(filesIn(dir.path()), QStringList());
    }

    void failedWriteKeepsExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.mdb");
        QVERIFY(jet::writeJet4Database(path, "T", mixedColumns(), {row(1, 1, "a", "b")}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(!jet::writeJet4Database(path, "T", mixedColumns(), {row(1, 1, "too long", "")}));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(filesIn(dir.path()), QStringList({"keep.mdb"}));
    }
};

QTEST_GUILESS_MAIN(Jet4WriterTest)
#include "Jet4Writer_test.moc"
