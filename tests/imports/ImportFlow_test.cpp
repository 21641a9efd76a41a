#include "app/ScriptedPrompts.h"
#include "imports/ImportFlow.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace imports;

using testsupport::fileBytes;

namespace {

// Implements only the import's port; records what the flow asked of it.
class FakeImportPort : public ImportPort {
public:
    QString chosen;
    std::optional<Validity> validity = Validity::all();
    int cancelAtPercent = 1000; // never
    QList<int> percents;
    int closes = 0;
    int reloads = 0;
    QList<app::ScheduleRecord> records;

    QString chooseScheduleFile(fetch::Source) override { return chosen; }
    std::optional<Validity> chooseValidity(const QString &, QDate) override { return validity; }
    bool progress(int percent, const QString &) override {
        percents << percent;
        return percent < cancelAtPercent;
    }
    void closeProgress() override { ++closes; }
    void reloadDatabase() override { ++reloads; }
    void recordSchedule(const app::ScheduleRecord &r) override { records << r; }
};

const QString EibiSummary = "Import EiBi Schedule: 23 records written.\n"
                            "3 lines skipped (not ten semicolons or no frequency): 23, 24, 25\n"
                            "Codes not found in the EiBi lists: country XYZ, language QQQ, "
                            "persistence 7, site /NOR-zz, site q, site zz, target Zzz";

} // namespace

class ImportFlowTest : public QObject {
    Q_OBJECT

private slots:
    void outcomes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("dayChosen");
        QTest::addColumn<int>("cancelAt");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QStringList>("shown");
        addRow("file dialog cancelled: nothing happens", "", true, 1000, false, QStringList{});
        addRow("day dialog cancelled: nothing happens", "sked-test.csv", false, 1000, false,
               QStringList{});
        addRow("import done: reload, record and the summary", "sked-test.csv", true, 1000, true,
               QStringList{EibiSummary});
        addRow("cancel in the progress dialog: no reload, no message", "sked-test.csv", true, 0,
               false, QStringList{});
        addRow("cancel when the file is made: the old database stays", "sked-test.csv", true, 95,
               false, QStringList{});
        addRow(
            "wrong header: the message, no reload", "sked-test.expected.csv", true, 1000, false,
            QStringList{"Import EiBi Schedule: %1 is not an EiBi schedule: its first line is "
                        "\"StationID,Freq,Station,UTC,Days,Language,Graphic,Target,Location,Power,"
                        "Azi,Remarks,Status,Mode,TargetALL,CIRAF,ADM,Count\"\n"
                        "The schedule was not changed."});
    }

    void outcomes() {
        QFETCH(QString, file);
        QFETCH(bool, dayChosen);
        QFETCH(int, cancelAt);
        QFETCH(bool, replaced);
        QFETCH(QStringList, shown);
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        QVERIFY(testsupport::writeFile(db, "old"));
        FakeImportPort port;
        port.chosen = file.isEmpty() ? QString() : QFINDTESTDATA("data/" + file);
        if (!dayChosen)
            port.validity.reset();
        port.cancelAtPercent = cancelAt;
        app::ScriptedPrompts prompts;
        const QDateTime now(QDate(2026, 7, 21), QTime(12, 0), Qt::UTC);
        ImportSchedule_Click(port, prompts, fetch::Source::Eibi, db, now);
        for (QString &s : shown)
            s = s.arg(port.chosen);
        QCOMPARE(prompts.shown, shown);
        QCOMPARE(port.reloads, replaced ? 1 : 0);
        QCOMPARE(fileBytes(db) != "old", replaced);
        QCOMPARE(port.records.size(), replaced ? 1 : 0);
        if (replaced) { // the window saw the file made before it was put in place
            QVERIFY(port.percents.contains(95));
            QCOMPARE(port.records[0].source, QString("EiBi"));
            QCOMPARE(port.records[0].putInPlace, now);
            QVERIFY(port.records[0].url.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(ImportFlowTest)
#include "ImportFlow_test.moc"
