#include "imports/EibiMapping.h"

#include "support/TestSupport.h"

using namespace eibi;

namespace {

// A small list in the table's own form, so these cases do not hang on the full list.
const QByteArray Lists = "lang\tE\tEnglish\n"
                         "lang\tF\tFrench\n"
                         "lang\t-TS\tTime Signal Station\n"
                         "country\tG\tUnited Kingdom\n"
                         "country\tRUS\tRussian Federation\n"
                         "target\tEu\tEurope\n"
                         "target\tAf\tAfrica\n"
                         "target\tE..\tEast ..\n"
                         "site\tG\t\tRampisham\t50N48\t002W38\n"
                         "site\tG\tw\tWoofferton\t52N19\t002W43\n"
                         "site\tRUS\ts\tSamara\t53N17\t050E15\n";

ScheduleLine line(const QString &language, const QString &site, const QString &p = "1",
                  const QString &days = "", const QString &target = "Eu") {
    return {2, {"9410", "0100-0200", days, "G", "BBC", language, target, site, p, "", ""}};
}

QString text(const std::vector<jet::Cell> &row, int column) {
    return row[size_t(column)].isNull() ? QStringLiteral("<null>") : row[size_t(column)].text;
}

enum Col {
    Language = 5,
    Target = 7,
    Location = 8,
    Remarks = 11,
    Status = 12,
    Mode = 13,
    TargetAll = 14,
    Longi = 18,
    Lati = 19,
    Lc = 20
};

} // namespace

class EibiMappingTest : public QObject {
    Q_OBJECT

private slots:
    void daysBecomeDigitsOrStay_data() {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("digits");
        addRow("empty is daily", "", "1234567");
        addRow("Mo-Fr", "Mo-Fr", "12345");
        addRow("We-Mo wraps round the week", "We-Mo", "134567");
        addRow("Su-Mo wraps", "Su-Mo", "17");
        addRow("Sa,Su", "Sa,Su", "67");
        addRow("SaSu", "SaSu", "67");
        addRow("Tu,Th-Sa", "Tu,Th-Sa", "2456");
        addRow("single day", "Th", "4");
        addRow("digits kept in order", "1245", "1245");
        addRow("digits out of order sorted", "71", "17");
        addRow("irr kept", "irr", "irr");
        addRow("first Saturday kept", "1.Sa", "1.Sa");
        addRow("1WeFr kept", "1WeFr", "1WeFr");
        addRow("altFr kept", "altFr", "altFr");
        addRow("digit 8 is no weekday", "18", "18");
        addRow("dangling range kept", "Mo-", "Mo-");
    }

    void daysBecomeDigitsOrStay() {
        QFETCH(QString, days);
        QFETCH(QString, digits);
        QCOMPARE(daysDigits(days), digits);
    }

    void graphicBarOfHalfHours_data() {
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("bar");
        const QString none(48, ' ');
        addRow("0000-2400 all day", 0, 1440, QString(48, '#'));
        addRow("2200-2400 last four steps", 1320, 1440, QString(44, ' ') + "####");
        addRow("2300-0100 over midnight", 1380, 60, "##" + QString(44, ' ') + "##");
        addRow("0015-0045 touches two steps", 15, 45, "##" + QString(46, ' '));
        addRow("0100-0130 one step", 60, 90, "  #" + QString(45, ' '));
        addRow("unknown times blank", -1, -1, none);
    }

    void graphicBarOfHalfHours() {
        QFETCH(int, begin);
        QFETCH(int, end);
        QFETCH(QString, bar);
        QCOMPARE(graphicBar(begin, end), bar);
    }

    void languageNames_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("unknown");
        addRow("one code", "E", "English", "");
        addRow("two codes joined with a slash", "E,F", "English/French", "");
        addRow("pseudo-code's meaning", "-TS", "Time Signal Station", "");
        addRow("unknown code shows itself", "XX", "XX", "language XX");
        addRow("known and unknown", "E,XX", "English/XX", "language XX");
        addRow("no language", "", "<null>", "");
    }

    void languageNames() {
        QFETCH(QString, code);
        QFETCH(QString, names);
        QFETCH(QString, unknown);
        UnknownCodes missing;
        const auto row = scheduleRow(line(code, ""), 1, EibiCodes::fromTable(Lists), missing);
        QCOMPARE(text(row, Language), names);
        QCOMPARE(text(row, Lc), code.isEmpty() ? QString("<null>") : code);
        QCOMPARE(QStringList(missing.begin(), missing.end()).join(','), unknown);
    }

    void siteForms_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("cells"); // Location, Lati, Longi, Remarks
        addRow("none: the country's main site", "",
               QStringList{"Rampisham", "50N48", "002W38", "<null>"});
        addRow("plain code: a site at home", "w",
               QStringList{"Woofferton", "52N19", "002W43", "<null>"});
        addRow("/ABC-x: a site abroad", "/RUS-s",
               QStringList{"Samara", "53N17", "050E15", "<null>"});
        addRow("plain code looked up at home only", "s",
               QStringList{"<null>", "<null>", "<null>", "s"});
        addRow("unknown site kept in Remarks", "/RUS-q",
               QStringList{"<null>", "<null>", "<null>", "/RUS-q"});
        addRow("/ABC without main site", "/RUS", QStringList{"<null>", "<null>", "<null>", "/RUS"});
    }

    void siteForms() {
        QFETCH(QString, code);
        QFETCH(QStringList, cells);
        UnknownCodes missing;
        const auto row = scheduleRow(line("E", code), 1, EibiCodes::fromTable(Lists), missing);
        QCOMPARE((QStringList{text(row, Location), text(row, Lati), text(row, Longi),
                              text(row, Remarks)}),
                 cells);
        QCOMPARE(missing.size(), cells[3] == "<null>" ? size_t(0) : size_t(1));
    }

    void readmeSiteCoordinateForms_data() {
        QTest::addColumn<QString>("itu");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("site"); // Location|Lati|Longi
        addRow("seconds and a one-digit minute", "KOR", "m", "Muan HFDL|35N01|126E14");
        addRow("a longitude marked N", "RUS", "o2", "Orenburg-2|51N42|055E01");
        addRow("a site named without coordinates", "XUU", "", "Unknown site||");
    }

    void readmeSiteCoordinateForms() {
        QFETCH(QString, itu);
        QFETCH(QString, code);
        QFETCH(QString, site);
        const auto found = EibiCodes::builtIn().site(itu, code);
        QVERIFY(found);
        QCOMPARE(found->name + '|' + found->lati + '|' + found->longi, site);
    }

    void statusAndMode_data() {
        QTest::addColumn<QString>("persistence");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("mode");
        addRow("1 standing entry", "1", "", "N", "D");
        addRow("0 read as 1", "0", "", "N", "D");
        addRow("5 summer only", "5", "", "N", "D");
        addRow("6 part of the season", "6", "", "P", "D");
        addRow("8 inactive", "8", "", "I", "D");
        addRow("90 utility, persistence 0, maps as 1", "90", "", "N", "D");
        addRow("98 inactive utility", "98", "LSB", "I", "L");
        addRow("91 utility in USB", "91", "USB", "N", "U");
        addRow("7 undefined", "7", "", "<null>", "D");
        addRow("usb inside a text is no mode", "1", "USB2", "N", "D");
    }

    void statusAndMode() {
        QFETCH(QString, persistence);
        QFETCH(QString, days);
        QFETCH(QString, status);
        QFETCH(QString, mode);
        UnknownCodes missing;
        const auto row =
            scheduleRow(line("E", "", persistence, days), 1, EibiCodes::fromTable(Lists), missing);
        QCOMPARE(text(row, Status), status);
        QCOMPARE(text(row, Mode), mode);
    }

    void targetNames_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        addRow("plain", "Eu", "Europe");
        addRow("compass prefix", "EAf", "East Africa");
        addRow("country code as target", "RUS", "Russian Federation");
        addRow("unknown", "Xyz", "<null>");
    }

    void targetNames() {
        QFETCH(QString, code);
        QFETCH(QString, name);
        UnknownCodes missing;
        const auto row =
            scheduleRow(line("E", "", "1", "", code), 1, EibiCodes::fromTable(Lists), missing);
        QCOMPARE(text(row, Target), code);
        QCOMPARE(text(row, TargetAll), name);
    }

    void lineWithoutFrequencyGivesNoRow() {
        UnknownCodes missing;
        ScheduleLine bad = line("E", "");
        bad.fields[0] = "abc";
        QVERIFY(scheduleRow(bad, 1, EibiCodes::fromTable(Lists), missing).empty());
    }
};

QTEST_GUILESS_MAIN(EibiMappingTest)
#include "EibiMapping_test.moc"
