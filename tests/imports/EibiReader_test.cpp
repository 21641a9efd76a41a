#include "imports/EibiReader.h"

#include "support/TestSupport.h"

using namespace eibi;

namespace {
const QByteArray Header =
    "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;"
    "Stop:60;";
} // namespace

class EibiReaderTest : public QObject {
    Q_OBJECT

private slots:
    void decodesTheWholeText_data();
    void decodesTheWholeText();
    void linesAndSkips_data();
    void linesAndSkips();
    void wrongHeaderIsReportedAsFound_data();
    void wrongHeaderIsReportedAsFound();
};

void EibiReaderTest::decodesTheWholeText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    addRow("utf-8 stays utf-8",
           QByteArray("R\xc3\xa1"
                      "dio"),
           QString::fromUtf8("Rádio"));
    addRow("8-bit read as windows-1252",
           QByteArray("R\xe1"
                      "dio Clube do Par\xe1"),
           QString::fromUtf8("Rádio Clube do Pará"));
    addRow("one bad byte makes the whole file 8-bit", QByteArray("\xc3\xa1;\xe1"),
           QString::fromUtf8("Ã¡;á"));
    addRow("windows-1252 punctuation, not latin-1 controls", QByteArray("\x80\x93\x9c"),
           QString::fromUtf8("€“œ"));
    addRow("utf-8 byte order mark dropped",
           QByteArray("\xef\xbb\xbf"
                      "kHz"),
           QString::fromUtf8("kHz"));
}

void EibiReaderTest::decodesTheWholeText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeScheduleText(bytes), text);
}

void EibiReaderTest::linesAndSkips_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QList<int>>("kept");
    QTest::addColumn<QList<int>>("skipped");
    addRow("LF", QByteArray("1;2;3;4;5;6;7;8;9;10;11\n1;2;3;4;5;6;7;8;9;10;11\n"), QList<int>{2, 3},
           QList<int>{});
    addRow("CR LF, no line end at the close",
           QByteArray("1;2;3;4;5;6;7;8;9;10;11\r\n1;2;3;4;5;6;7;8;9;10;11"), QList<int>{2, 3},
           QList<int>{});
    addRow("nine and eleven semicolons skipped, reading goes on",
           QByteArray("1;2;3;4;5;6;7;8;9;10\n1;2;3;4;5;6;7;8;9;10;11;\n1;2;3;4;5;6;7;8;9;10;11\n"),
           QList<int>{4}, QList<int>{2, 3});
    addRow("empty lines passed over but counted", QByteArray("\n\r\n1;2;3;4;5;6;7;8;9;10;11\n"),
           QList<int>{4}, QList<int>{});
}

void EibiReaderTest::linesAndSkips() {
    QFETCH(QByteArray, body);
    QFETCH(QList<int>, kept);
    QFETCH(QList<int>, skipped);
    const ScheduleFile file = readSchedule(Header + "\r\n" + body);
    QVERIFY(file.headerOk);
    QList<int> keptNumbers;
    for (const ScheduleLine &l : file.lines) {
        keptNumbers << l.lineNumber;
        QCOMPARE(l.fields.size(), 11);
        QCOMPARE(l.fields.last(), QString("11"));
    }
    QCOMPARE(keptNumbers, kept);
    QCOMPARE(QList<int>(file.skippedLines.begin(), file.skippedLines.end()), skipped);
}

void EibiReaderTest::wrongHeaderIsReportedAsFound_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("found");
    addRow("csv of another program", QByteArray("StationID,Freq,Station\n1,2,3\n"),
           QString("StationID,Freq,Station"));
    addRow("header without its last semicolon", Header.chopped(1) + "\n",
           QString::fromLatin1(Header.chopped(1)));
    addRow("empty file", QByteArray(), QString());
}

void EibiReaderTest::wrongHeaderIsReportedAsFound() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, found);
    const ScheduleFile file = readSchedule(bytes);
    QVERIFY(!file.headerOk);
    QCOMPARE(file.foundHeader, found);
    QVERIFY(file.lines.empty());
}

QTEST_GUILESS_MAIN(EibiReaderTest)
#include "EibiReader_test.moc"
