#include "logbook/LogReader.h"
#include "logbook/LogTableModel.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace logbook;
using testsupport::fileBytes;

namespace {

const QByteArray Entry =
    "24/05/17 0130 0205  9575          Radio Alpha   F           English AM  250.5";

LogRows readAll(const QByteArray &bytes) {
    LogRows rows;
    LogReader reader;
    reader.read(bytes, rows, true);
    return rows;
}

// Every row's columns, "|"-joined, so that a whole row is one expected value.
QStringList joinedRows(const LogRows &rows) {
    QStringList out;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < LogColumnCount; ++c)
            cells << rows.text(r, LogColumn(c));
        out << cells.join(u'|');
    }
    return out;
}

bool append(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::Append) && f.write(bytes) == bytes.size();
}

const QString AlphaRow = "2024-05-17|0130|0205|9575|Radio Alpha|F|English|AM|250.5||";

} // namespace

class LogReaderTest : public QObject {
    Q_OBJECT

private slots:
    // The log the program writes, read back column by column.
    void programsOwnLog() {
        const LogRows rows = readAll(fileBytes(QFINDTESTDATA("reception_expected.log")));
        QCOMPARE(joinedRows(rows),
                 QStringList({"2024-05-17|0130|0205|9575|Radio Alpha|F|English|AM|250.5|45444|"
                              "fair, music",
                              u"2024-05-17|0205|0240|15345|R\u00e1dio Nacional \u00d1|ARG|"
                              u"Espa\u00f1ol|USB|100.0||"_qs}));
    }

    // Lines the program did not write, or damaged ones: each shows, none is dropped.
    void damagedAndForeignLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        addRow("foreign line before an entry is a row of its own",
               "notes of my own\r\n" + Entry + "\r\n",
               QStringList{"||||||||||notes of my own", AlphaRow});
        addRow("a cut entry line is not the remarks of the one before",
               Entry + "\r\n24/05/17 0130 02\r\n",
               QStringList{AlphaRow, "||||||||||24/05/17 0130 02"});
        addRow("binary bytes show as replacement characters",
               QByteArray("\x00\x01"
                          "abc\xff\r\n",
                          8),
               QStringList{u"||||||||||\ufffd\ufffdabc\u00ff"_qs});
        addRow("Windows-1252 entry of an old log",
               QByteArray("24/05/17 0130 0205  9575          R\xe1"
                          "dio Alpha   F           "
                          "English AM  250.5\r\n"),
               QStringList{u"2024-05-17|0130|0205|9575|R\u00e1dio Alpha|F|English|AM|250.5||"_qs});
        addRow(
            "LF line ends, remarks without SINPO", Entry + "\njust remarks\n",
            QStringList{"2024-05-17|0130|0205|9575|Radio Alpha|F|English|AM|250.5||just remarks"});
        addRow("SINPO alone, the last line without its line end", Entry + "\r\nSINPO: 45444 ",
               QStringList{"2024-05-17|0130|0205|9575|Radio Alpha|F|English|AM|250.5|45444|"});
        addRow("blank kW column with its blanks cut",
               QByteArray("99/12/31 2330 0010  6000            Station X  XX          Language CW"),
               QStringList{"1999-12-31|2330|0010|6000|Station X|XX|Language|CW|||"});
        addRow("heading and empty lines pass, a second line of remarks is a row",
               "DATE  LOG -ON -OFF  FREQ STATION              ADM LANGUAGE        MODE   kW\r\n"
               "\r\n" +
                   Entry + "\r\none\r\ntwo\r\n",
               QStringList{AlphaRow + "one", "||||||||||two"});
    }
    void damagedAndForeignLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QCOMPARE(joinedRows(readAll(bytes)), rows);
    }

    // A file read on from where it was (the window following it) gives the same rows,
    // wherever the pieces end.
    void readingInPieces() {
        const QByteArray bytes = fileBytes(QFINDTESTDATA("reception_expected.log"));
        const QStringList whole = joinedRows(readAll(bytes));
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            LogRows rows;
            LogReader reader;
            const qsizetype taken = reader.read(bytes.left(cut), rows, false);
            reader.read(bytes.mid(taken), rows, true);
            QCOMPARE(joinedRows(rows), whole);
        }
    }

    // A pipe in the log's place would hold the reading thread for ever.
    void pipeIsRefused() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Skedwise.Log");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        LogTableModel model;
        QSignalSpy loaded(&model, &LogTableModel::loaded);
        model.open(path);
        QTRY_COMPARE(loaded.size(), 1);
        QVERIFY2(model.status().endsWith("cannot be read: it is not a regular file"),
                 qPrintable(model.status()));
    }

    // The window's table: newest first, sorted, searched, and following the file.
    void tableFollowsTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Skedwise.Log");
        LogTableModel model;
        QSignalSpy loaded(&model, &LogTableModel::loaded);
        model.open(path);
        QTRY_COMPARE(loaded.size(), 1);
        QVERIFY(model.status().contains("does not exist yet"));
        QVERIFY(testsupport::writeFile(path, fileBytes(QFINDTESTDATA("reception_expected.log"))));
        QTRY_COMPARE(model.rowCount(), 2);
        QCOMPARE(model.text(0, LogColumn::Station), u"R\u00e1dio Nacional \u00d1"_qs);
        QVERIFY(append(path, "24/05/18 2200 2215  6070          Radio Gamma CAN           "
                             "English AM  100.0\r\n"));
        QTRY_COMPARE(model.rowCount(), 3);
        QCOMPARE(model.text(0, LogColumn::Station), "Radio Gamma");
        QVERIFY(append(path, "SINPO: 33333 late remarks\r\n"));
        QTRY_COMPARE(model.text(0, LogColumn::Remarks), "late remarks");
        model.sort(int(LogColumn::Freq), Qt::AscendingOrder);
        QCOMPARE(model.text(0, LogColumn::Freq), "6070");
        QCOMPARE(model.text(2, LogColumn::Freq), "15345");
        model.setSearch("ALPHA");
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.text(0, LogColumn::Station), "Radio Alpha");
        QVERIFY(testsupport::writeFile(path, Entry + "\r\n")); // replaced by a shorter file
        QTRY_COMPARE(loaded.size(), 2);
        QCOMPARE(model.rowCount(), 1);
        QVERIFY2(model.status().endsWith("Skedwise.Log: 1 entry; 1 shown"),
                 qPrintable(model.status()));
    }
};

QTEST_GUILESS_MAIN(LogReaderTest)
#include "LogReader_test.moc"
