#include "onair/OnAir.h"
#include "support/TestSupport.h"

using namespace onair;

class OnAirTest : public QObject {
    Q_OBJECT

private slots:
    void conditionText_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("condition");
        addRow("five past midnight reads 2405 past midnight", "0005",
               "((UTCE<UTCB AND '2405' >= UTCB and '2405' < (val(UTCE)+2400))OR (UTCE<UTCB AND "
               "'0005' >= UTCB and '0005' < (val(UTCE)+2400)) OR (UTCE>UTCB AND '0005' >= UTCB "
               "AND '0005' <UTCE)) ");
        addRow("half past one, no blank before the first OR", "0130",
               "((UTCE<UTCB AND '2530' >= UTCB and '2530' < (val(UTCE)+2400))OR (UTCE<UTCB AND "
               "'0130' >= UTCB and '0130' < (val(UTCE)+2400)) OR (UTCE>UTCB AND '0130' >= UTCB "
               "AND '0130' <UTCE)) ");
        addRow("last minute of the day reads 4759", "2359",
               "((UTCE<UTCB AND '4759' >= UTCB and '4759' < (val(UTCE)+2400))OR (UTCE<UTCB AND "
               "'2359' >= UTCB and '2359' < (val(UTCE)+2400)) OR (UTCE>UTCB AND '2359' >= UTCB "
               "AND '2359' <UTCE)) ");
    }
    void conditionText() {
        QFETCH(QString, time);
        QFETCH(QString, condition);
        QCOMPARE(OnAirCondition(time), condition);
    }

    void filterLine_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        addRow("no filter gains the Filter By heading", "ALL Languages",
               "ALL Languages\r\nFilter By \r\nStations On Air @ 0130 Z");
        addRow("second run replaces the earlier minute",
               "ALL Languages\r\nFilter By \r\nStations On Air @ 0129 Z",
               "ALL Languages\r\nFilter By \r\nStations On Air @ 0130 Z");
        addRow("old line between others moves to the end",
               "Filter By \r\nStations On Air @ 2359 Z\r\nLanguage = French",
               "Filter By \r\nLanguage = French\r\nStations On Air @ 0130 Z");
        addRow("line without CR LF in front is not taken for ours",
               "Filter By Stations On Air @ 0100 Z",
               "Filter By Stations On Air @ 0100 Z\r\nStations On Air @ 0130 Z");
    }
    void filterLine() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(withOnAirLine(before, QStringLiteral("0130")), after);
    }

    void captions_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("captionNot");
        QTest::addColumn<QString>("afterDisplay");
        QTest::addColumn<QString>("afterToggle");
        addRow("all languages drops a NOT word", "ALL", " NOT ",
               "VAZOdariDATA   12 Records in ALL Languages",
               "VAZOdariDATA   12 Records in ALL Languages");
        addRow("toggle keeps NOT and puts a blank before in", "English", " NOT ",
               "VAZOdariDATA   12 Records in English",
               "VAZOdariDATA   12 Records  NOT  in English");
    }
    void captions() {
        QFETCH(QString, language);
        QFETCH(QString, captionNot);
        QFETCH(QString, afterDisplay);
        QFETCH(QString, afterToggle);
        QCOMPARE(displayOnAirCaption(language, 12), afterDisplay);
        QString word = captionNot;
        QCOMPARE(toggleCaption(language, word, 12), afterToggle);
        QCOMPARE(word, language == u"ALL" ? QString() : captionNot);
    }
};

QTEST_GUILESS_MAIN(OnAirTest)
#include "OnAir_test.moc"
