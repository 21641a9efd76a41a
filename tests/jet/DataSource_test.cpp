#include "jet/DataSource.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

using jet::Cell;

namespace {

// StationID, Freq, Station, Language: ten rows on five frequencies.
std::shared_ptr<const jet::Table> smallTable() {
    using K = jet::ColumnKind;
    auto table = std::make_shared<jet::Table>(QVector<jet::Column>{{"StationID", K::Number},
                                                                   {"Freq", K::Number},
                                                                   {"Station", K::Text},
                                                                   {"Language", K::Text}});
    const double freqs[] = {9420, 6000, 7300, 6000, 9420, 5005.5, 7300, 6000, 11660, 5005.5};
    const char *langs[] = {"English", "French",  "english", "Arabic",  "French",
                           "English", "Spanish", "French",  "ENGLISH", "Arabic"};
    for (int i = 0; i < 10; ++i)
        table->appendRow({Cell::fromNumber(i + 1), Cell::fromNumber(freqs[i]),
                          Cell::fromText(QString("Station %1").arg(i + 1)),
                          Cell::fromText(langs[i])});
    return table;
}

struct Fixture {
    testsupport::MemoryTables tables;
    jet::DataSource source{tables};
    Fixture() {
        tables.add("a.mdb", smallTable());
        source.setDatabaseName("a.mdb");
    }
    jet::RecordSet &open(const QString &sql) {
        source.setRecordSource(sql);
        QString error;
        if (!source.refresh(&error))
            qWarning("%s", qPrintable(error));
        return source.recordset();
    }
};

int currentId(const jet::RecordSet &rs) {
    const Cell c = rs.field(u"StationID");
    return c.isNull() ? -1 : int(c.number);
}

// Frequency descending, ties in table order: ids 9; 1,5; 3,7; 2,4,8; 6,10.
const QString sortedDesc =
    QStringLiteral("Select StationID, Station From MyDataTable Order by Freq DESC ");

} // namespace

class DataSourceTest : public QObject {
    Q_OBJECT
private slots:

    void rejectedCriterionChangesNothing_data() {
        QTest::addColumn<QString>("criterion");
        addRow("unknown field", "Nope = 1");
        addRow("apostrophe in the value", "InStr(Station, 'O'Hara') > 0");
        addRow("text that is no number", "Freq = 'abc'");
    }
    void rejectedCriterionChangesNothing() {
        QFETCH(QString, criterion);
        Fixture f;
        jet::RecordSet &rs = f.open(sortedDesc);
        QVERIFY(rs.findFirst("InStr(Station, 'zzz') > 0"));
        rs.moveTo(3);
        QString error;
        QVERIFY(!rs.findFirst(criterion, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(rs.position(), 3);
        QVERIFY(rs.noMatch()); // the flag of the last find that ran
    }

    void failedRefreshKeepsPreviousRecordSet_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("sql");
        addRow("syntax error", "a.mdb", "Select StationID Form MyDataTable");
        addRow("unknown field", "a.mdb", "Select Nope From MyDataTable");
        addRow("file not loadable", "missing.mdb", "Select * From MyDataTable");
        addRow("mismatch while running", "a.mdb", "Select * From MyDataTable Where Freq = 'x'");
    }
    void failedRefreshKeepsPreviousRecordSet() {
        QFETCH(QString, file);
        QFETCH(QString, sql);
        Fixture f;
        jet::RecordSet &rs = f.open("Select StationID From MyDataTable Where Freq = 6000");
        rs.moveLast();
        f.source.setDatabaseName(file);
        f.source.setRecordSource(sql);
        QString error;
        QVERIFY(!f.source.refresh(&error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(f.source.recordset().recordCount(), 3);
        QCOMPARE(currentId(f.source.recordset()), 8);
    }

    void refreshStartsOnFirstRecord() {
        Fixture f;
        jet::RecordSet &rs = f.open(sortedDesc);
        QCOMPARE(rs.recordCount(), 10);
        QCOMPARE(currentId(rs), 9);
        QCOMPARE(rs.fieldCount(), 2);
        QCOMPARE(rs.fieldName(1), QString("Station"));
        QCOMPARE(rs.fieldIndex(u"STATION"), 1);
        QVERIFY(rs.field(u"Language").isNull()); // not a field of this record set
        jet::RecordSet &empty = f.open("Select * From MyDataTable Where Freq = 1");
        QCOMPARE(empty.recordCount(), 0);
        QVERIFY(empty.eof());
        QVERIFY(empty.field(u"StationID").isNull());
        QVERIFY(empty.findFirst("StationID = 1"));
        QVERIFY(empty.noMatch());
    }

    void movesStopAtTheEnds() {
        Fixture f;
        jet::RecordSet &rs = f.open(sortedDesc);
        rs.moveLast();
        QCOMPARE(currentId(rs), 10);
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(rs.position(), -1);
        rs.movePrevious(); // back from past the end
        QCOMPARE(currentId(rs), 10);
        rs.moveFirst();
        rs.movePrevious();
        QVERIFY(rs.eof());
        rs.moveTo(42);
        QVERIFY(rs.eof());
    }

    void bookmarksIdentifyRecords() {
        Fixture f;
        jet::RecordSet &rs = f.open(sortedDesc);
        QVERIFY(rs.findFirst("StationID = 4"));
        const jet::Bookmark mark = rs.bookmark();
        QCOMPARE(rs.positionOf(mark), rs.position());
        QCOMPARE(rs.bookmarkAt(rs.position()), mark);
        rs.moveFirst();
        rs.setBookmark(mark);
        QCOMPARE(currentId(rs), 4);
        QCOMPARE(rs.bookmarkAt(99), -1);

        jet::RecordSet &narrow = f.open("Select StationID From MyDataTable Where Freq = 9420");
        QCOMPARE(narrow.positionOf(mark), -1); // record 4 is not in this set
        narrow.moveLast();
        narrow.setBookmark(mark);
        QCOMPARE(currentId(narrow), 5); // an unknown bookmark leaves the current record
    }
};

QTEST_GUILESS_MAIN(DataSourceTest)
#include "DataSource_test.moc"
