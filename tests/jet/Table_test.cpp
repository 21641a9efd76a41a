#include "jet/Table.h"
#include "schedule/SyntheticSchedule.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

using jet::Cell;

namespace {

std::unique_ptr<jet::Table> twoColumns() {
    return std::make_unique<jet::Table>(QVector<jet::Column>{{"Freq", jet::ColumnKind::Number},
                                                             {"Station", jet::ColumnKind::Text}});
}

} // namespace

class TableTest : public QObject {
    Q_OBJECT
private slots:
    void cellsComeBackAsStored_data() {
        QTest::addColumn<Cell>("freq");
        QTest::addColumn<Cell>("station");
        QTest::addColumn<Cell>("freqBack");
        QTest::addColumn<Cell>("stationBack");
        const Cell null = Cell::null();
        addRow("empty text is not Null", Cell::fromNumber(1), Cell::fromText(""),
               Cell::fromNumber(1), Cell::fromText(""));
        addRow("Null text is not empty", Cell::fromNumber(1), null, Cell::fromNumber(1), null);
        addRow("Null number after numbers", null, Cell::fromText("a"), null, Cell::fromText("a"));
        addRow("zero number is not Null", Cell::fromNumber(0), Cell::fromText("a"),
               Cell::fromNumber(0), Cell::fromText("a"));
        addRow("number in a text column becomes its text", Cell::fromNumber(1),
               Cell::fromNumber(5005.5), Cell::fromNumber(1), Cell::fromText("5005.5"));
        addRow("number text in a number column", Cell::fromText(" 9575 "), Cell::fromText("a"),
               Cell::fromNumber(9575), Cell::fromText("a"));
        addRow("other text in a number column is Null", Cell::fromText("abc"), Cell::fromText("a"),
               null, Cell::fromText("a"));
    }
    void cellsComeBackAsStored() {
        QFETCH(Cell, freq);
        QFETCH(Cell, station);
        QFETCH(Cell, freqBack);
        QFETCH(Cell, stationBack);
        auto table = twoColumns();
        for (int i = 0; i < 3; ++i) // earlier rows with other values around it
            table->appendRow({Cell::fromNumber(i), Cell::fromText(QString("S%1").arg(i))});
        table->appendRow({freq, station});
        table->appendRow({Cell::fromNumber(7), Cell::fromText("S0")});
        QCOMPARE(table->cell(3, 0), freqBack);
        QCOMPARE(table->cell(3, 1), stationBack);
        QCOMPARE(table->cell(4, 0), Cell::fromNumber(7));
        QCOMPARE(table->cell(4, 1), Cell::fromText("S0"));
        QCOMPARE(table->cell(0, 1), Cell::fromText("S0"));
    }

    // Each distinct text is held once: a large schedule takes less room than its CSV.
    void storageSmallerThanCsv() {
        const auto rows = schedule::syntheticSchedule(20000, 7);
        jet::Table table(schedule::scheduleColumns());
        qsizetype csvBytes = 0;
        for (const auto &row : rows) {
            table.appendRow(row);
            for (const Cell &cell : row)
                csvBytes += jet::csvField(cell).toUtf8().size() + 1;
        }
        table.squeeze();
        for (int c = 0; c < table.columnCount(); ++c)
            table.ranks(c);
        QVERIFY2(qsizetype(table.memoryBytes()) < csvBytes,
                 qPrintable(QString("%1 bytes held for %2 bytes of CSV")
                                .arg(table.memoryBytes())
                                .arg(csvBytes)));
    }
};

QTEST_GUILESS_MAIN(TableTest)
#include "Table_test.moc"
