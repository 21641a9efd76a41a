#include "logbook/RemarksEntry.h"

#include <QTest>

using namespace logbook;

class RemarksEntryTest : public QObject {
    Q_OBJECT

private slots:
    // One pass through the dialog: an optional key in the SINPO box, then an optional key in
    // the remarks box; what LogEntry gets and whether the dialog closed.
    void keyPaths_data() {
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<QString>("sinpoBox");
        QTest::addColumn<int>("sinpoKey"); // 0: focus left the box without a key
        QTest::addColumn<QString>("remarks");
        QTest::addColumn<int>("remarksKey"); // 0: not reached
        QTest::addColumn<QString>("appended");
        QTest::addColumn<bool>("closed");
        QTest::newRow("code and remarks with Enter")
            << true << "45444" << KeyEnter << "QSB" << KeyEnter << "\r\nSINPO: 45444 QSB" << true;
        QTest::newRow("code, then Esc in remarks: prefix alone")
            << true << "45444" << KeyEnter << "typed" << KeyEscape << "\r\nSINPO: 45444 " << true;
        QTest::newRow("code, then Enter on empty remarks: code alone")
            << true << "45444" << KeyEnter << "" << KeyEnter << "\r\nSINPO: 45444 " << true;
        QTest::newRow("Esc in the SINPO box closes, nothing appended")
            << true << "45444" << KeyEscape << "" << 0 << "" << true;
        QTest::newRow("code trimmed")
            << true << " 45 " << KeyEnter << "ok" << KeyEnter << "\r\nSINPO: 45 ok" << true;
        QTest::newRow("empty SINPO box, remarks only")
            << true << "" << KeyEnter << "weak" << KeyEnter << "\r\nweak" << true;
        QTest::newRow("code typed but not confirmed is not written")
            << true << "33333" << 0 << "fading" << KeyEnter << "\r\nfading" << true;
        QTest::newRow("prompt off, Enter on empty remarks writes no line")
            << false << "" << 0 << "" << KeyEnter << "" << true;
        QTest::newRow("prompt off, remarks")
            << false << "" << 0 << "strong" << KeyEnter << "\r\nstrong" << true;
        QTest::newRow("prompt off, Esc closes without a line")
            << false << "" << 0 << "typed" << KeyEscape << "" << true;
        QTest::newRow("line break in remarks becomes a blank")
            << false << "" << 0 << "two\r\nlines\nhere" << KeyEnter << "\r\ntwo lines here" << true;
        QTest::newRow("other keys are typed") << true << "4" << 52 << "x" << 65 << "" << false;
    }
    void keyPaths() {
        QFETCH(bool, prompt);
        QFETCH(QString, sinpoBox);
        QFETCH(int, sinpoKey);
        QFETCH(QString, remarks);
        QFETCH(int, remarksKey);
        QFETCH(QString, appended);
        QFETCH(bool, closed);
        QString sinpoStr = "SINPO: 11111 "; // left from an earlier entry
        QString logEntry = "LINE";
        RemarksEntry entry(prompt, sinpoStr, logEntry);
        bool isClosed = false;
        if (sinpoKey)
            isClosed = entry.sinpoKey(sinpoKey, sinpoBox) == KeyOutcome::Close;
        if (!isClosed && remarksKey)
            isClosed = entry.remarksKey(remarksKey, sinpoBox, remarks) == KeyOutcome::Close;
        QCOMPARE(logEntry, "LINE" + appended);
        QCOMPARE(isClosed, closed);
    }

    // The S digit the SINPO box opens with, and the hint line, from the status reply's signal.
    void meterReading_data() {
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<QString>("start"); // "" also means: the hint shows no reading
        const char *rows[][3] = {{"S0 lowest", "S0", "1"},  {"S2 below S3", "S2", "1"},
                                 {"S3", "S3", "2"},         {"S4", "S4", "2"},
                                 {"S5", "S5", "3"},         {"S6", "S6", "3"},
                                 {"S7", "S7", "4"},         {"S8 below S9", "S8", "4"},
                                 {"S9", "S9", "5"},         {"S9+20", "S9+20", "5"},
                                 {"empty", "", ""},         {"garbage", "S7x", ""},
                                 {"two digits", "S12", ""}, {"plus below S9", "S5+10", ""}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << true << r[1] << r[2];
        QTest::newRow("prompt off: no box to fill") << false << "S7"
                                                    << "";
    }
    void meterReading() {
        QFETCH(bool, prompt);
        QFETCH(QString, meter);
        QFETCH(QString, start);
        QString sinpoStr, logEntry;
        RemarksEntry entry(prompt, sinpoStr, logEntry, meter);
        QCOMPARE(entry.sinpoStart(), start);
        const QString keys = "ESC to cancel    Enter to Accept";
        QCOMPARE(entry.hintLine(), start.isEmpty() && prompt ? keys : keys + "    Meter: " + meter);
    }

    void sinpoEnterSetsPrefixAndLimit_data() {
        QTest::addColumn<QString>("sinpoBox");
        QTest::addColumn<QString>("sinpoStr");
        QTest::addColumn<int>("limit");
        QTest::newRow("code gives 65") << "54444"
                                       << "SINPO: 54444 " << 65;
        QTest::newRow("empty box gives 78") << ""
                                            << "" << 78;
        QTest::newRow("blanks only count as empty") << "   "
                                                    << "" << 78;
    }
    void sinpoEnterSetsPrefixAndLimit() {
        QFETCH(QString, sinpoBox);
        QFETCH(QString, sinpoStr);
        QFETCH(int, limit);
        QString prefix = "stale", entryText;
        RemarksEntry entry(true, prefix, entryText);
        QCOMPARE(prefix, QString());
        QCOMPARE(entry.sinpoKey(KeyEnter, sinpoBox), KeyOutcome::Swallow);
        QCOMPARE(prefix, sinpoStr);
        QCOMPARE(entry.remarksLimit(), limit);
        QCOMPARE(entry.fitRemarks(QString(100, 'r')).size(), limit);
    }
};

QTEST_GUILESS_MAIN(RemarksEntryTest)
#include "RemarksEntry_test.moc"
