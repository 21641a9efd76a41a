#include "jet/MdbReader.h"
#include "reference/AboutHelp.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <map>

// The files the build puts beside the program.
namespace {

QStringList lines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QString codeOf(const QString &line) {
    return line.section(QStringLiteral("  "), 0, 0).trimmed();
}

QSet<QString> matches(const QString &text, const QString &pattern) {
    QSet<QString> found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured(1));
    return found;
}

} // namespace

class ReferenceDataTest : public QObject {
    Q_OBJECT
private slots:
    void codesHoldEveryAdmOfTheSample() {
        const QString db = testsupport::binary("ILGDATA.MDB");
        REQUIRE_FIXTURE(db);
        const jet::DirectRead read = jet::readTableDirect(db, "MyDataTable");
        QVERIFY(read.table);
        const int adm = read.table->columnIndex(u"ADM");
        QVERIFY(adm >= 0);
        QSet<QString> codes;
        for (const QString &line : lines(testsupport::binary("Codes.txt")))
            codes.insert(codeOf(line));
        QSet<QString> sampleCodes;
        for (int row = 0; row < read.table->rowCount(); ++row) {
            const jet::Cell cell = read.table->cell(row, adm);
            if (cell.isText() && !cell.text.isEmpty())
                sampleCodes.insert(cell.text);
        }
        QVERIFY2(sampleCodes.size() >= 40, "the sample uses about forty countries");
        for (const QString &code : sampleCodes)
            QVERIFY2(codes.contains(code), qPrintable(code + " is not in Codes.txt"));
    }

    void codesNameTheCountries_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("one letter") << "D  Germany";
        QTest::newRow("three letters") << "CHN  China (People's Republic)";
        QTest::newRow("not issued by the ITU") << "CLA  Clandestine stations (unofficial code)";
        QTest::newRow("first") << "ABW  Aruba";
        QTest::newRow("last") << "ZWE  Zimbabwe";
    }
    void codesNameTheCountries() {
        QFETCH(QString, line);
        QVERIFY(lines(testsupport::binary("Codes.txt")).contains(line));
    }

    void cirafHoldsEachZoneOnce() {
        std::map<int, int> seen;
        const QStringList zones = lines(testsupport::binary("CIRAF.txt"));
        for (const QString &line : zones) {
            bool ok = false;
            const int zone = codeOf(line).toInt(&ok);
            QVERIFY2(ok, qPrintable("not a zone line: " + line));
            QVERIFY2(!line.section("  ", 1).trimmed().isEmpty(), qPrintable(line));
            ++seen[zone];
        }
        QCOMPARE(int(seen.size()), 85);
        QCOMPARE(seen.begin()->first, 1);
        QCOMPARE(seen.rbegin()->first, 85);
        for (const auto &[zone, count] : seen)
            QVERIFY2(count == 1, qPrintable(QString::number(zone)));
    }

    void everyInternalLinkOfTheHelpResolves() {
        QFile f(testsupport::binary(reference::HelpFileName));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        const QSet<QString> anchors = matches(html, R"re((?:name|id)="([^"]+)")re");
        const QSet<QString> links = matches(html, R"re(href="#([^"]*)")re");
        QVERIFY(links.size() > 30);
        for (const QString &link : links)
            QVERIFY2(anchors.contains(link), qPrintable("#" + link + " has no anchor"));
    }

    void helpCoversTheKeysAndTheLog_data() {
        QTest::addColumn<QString>("text");
        for (const char *t : {"F2", "F6", "F9", "F10", "Page Down", "SINPO", "rigctld", "RX-320",
                              "dummy rig", "skedwise-rx", "71-77", "Codes.txt"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void helpCoversTheKeysAndTheLog() {
        QFETCH(QString, text);
        QFile f(testsupport::binary(reference::HelpFileName));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(f.readAll()).contains(text));
    }
};

QTEST_GUILESS_MAIN(ReferenceDataTest)
#include "ReferenceData_test.moc"
