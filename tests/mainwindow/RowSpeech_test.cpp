#include "mainwindow/RowSpeech.h"

#include <QTest>

using namespace mainwindow;

class RowSpeechTest : public QObject {
    Q_OBJECT

private slots:
    void speech_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        const QStringList defaults = {"StationID", "Freq", "Station", "UTC", "Language"};
        const QStringList row = {"7", "9575", "Radio A", "2200-0200", "English"};
        QTest::newRow("station, frequency, time, language in that order, whichever cell")
            << defaults << row << 1 << "Radio A, 9575 kHz, 2200 to 0200 UTC, English";
        QTest::newRow("a cell of another field adds itself at the end")
            << defaults + QStringList{"Country"} << row + QStringList{"UK"} << 5
            << "Radio A, 9575 kHz, 2200 to 0200 UTC, English, Country UK";
        QTest::newRow("begin and end times when UTC is not shown")
            << QStringList{"StationID", "Freq", "UTCE", "Station", "UTCB"}
            << QStringList{"7", "6000", "0900", "Radio C", "0600"} << 3
            << "Radio C, 6000 kHz, 0600 to 0900 UTC";
        QTest::newRow("empty and blank cells are not read")
            << defaults << QStringList{"7", "9575", "  ", "2200-0200", ""} << 2
            << "9575 kHz, 2200 to 0200 UTC";
        QTest::newRow("a time that is not a span is read as it stands")
            << defaults << QStringList{"7", "9575", "Radio A", "irregular", "English"} << 3
            << "Radio A, 9575 kHz, irregular, English";
    }
    void speech() {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, cells);
        QFETCH(int, column);
        QFETCH(QString, expected);
        QCOMPARE(rowSpeech(fields, column, [&cells](int c) { return cells.value(c); }), expected);
    }
};

QTEST_MAIN(RowSpeechTest)
#include "RowSpeech_test.moc"
