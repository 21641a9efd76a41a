#include "jet/CsvRows.h"
#include "support/TestSupport.h"

using jet::Cell;

class CsvRowsTest : public QObject {
    Q_OBJECT
private slots:
    void malformedLinesAreNamed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        addRow("unclosed quote", "A,B\r\n1,\"x\r\n", 2);
        addRow("too few fields on line 3", "A,B\r\n1,\"x\"\r\n2\r\n", 3);
        addRow("unquoted text", "A,B\r\n1,x\r\n", 2);
        addRow("text after closing quote", "A,B\r\n1,\"x\"y\r\n", 2);
    }
    void malformedLinesAreNamed() {
        QFETCH(QString, text);
        QFETCH(int, line);
        const auto r = jet::parseCsv(text);
        QVERIFY(!r.ok());
        QCOMPARE(r.errorLine, line);
        QVERIFY(r.rows.empty());
    }
    void nullEmptyAndQuotesKeptApart() {
        const auto r = jet::parseCsv("A,B,C,D\r\n,\"\",\"a\"\"b,c\",5005.5\r\n");
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.rows.size(), size_t(1));
        QVERIFY(r.rows[0][0].isNull());
        QCOMPARE(r.rows[0][1], Cell::fromText(""));
        QCOMPARE(r.rows[0][2], Cell::fromText("a\"b,c"));
        QCOMPARE(r.rows[0][3], Cell::fromNumber(5005.5));
        QCOMPARE(jet::csvField(r.rows[0][2]), QString("\"a\"\"b,c\""));
    }
};

QTEST_GUILESS_MAIN(CsvRowsTest)
#include "CsvRows_test.moc"
