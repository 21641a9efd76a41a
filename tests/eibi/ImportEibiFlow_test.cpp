#include "app/ScriptedPrompts.h"
#include "eibi/ImportEibiFlow.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace eibi;

using testsupport::fileBytes;

namespace {

// Implements only the import's port; records what the flow asked of it.
class FakeImportPort : public ImportEibiPort {
public:
    QString chosen;
    int cancelAtPercent = 1000; // never
    QList<int> percents;
    int closes = 0;
    int reloads = 0;

    QString chooseScheduleFile() override { return chosen; }
    bool progress(int percent) override {
        percents << percent;
        return percent < cancelAtPercent;
    }
    void closeProgress() override { ++closes; }
    void reloadDatabase() override { ++reloads; }
};

} // namespace

class ImportEibiFlowTest : public QObject {
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
};

void ImportEibiFlowTest::outcomes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("cancelAt");
    QTest::addColumn<int>("reloads");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("file dialog cancelled: nothing happens")
        << "" << 1000 << 0 << false << QStringList{};
    QTest::newRow("import done: reload and the summary")
        << "sked-test.csv" << 1000 << 1 << true
        << QStringList{"Import EiBi Schedule: 23 records written.\n"
                       "3 lines skipped (not ten semicolons or no frequency): 23, 24, 25\n"
                       "Codes not found in the EiBi lists: country XYZ, language QQQ, "
                       "persistence 7, site /NOR-zz, site q, site zz, target Zzz"};
    QTest::newRow("cancel in the progress dialog: no reload, no message")
        << "sked-test.csv" << 0 << 0 << false << QStringList{};
    QTest::newRow("cancel when the file is made: the old database stays")
        << "sked-test.csv" << 95 << 0 << false << QStringList{};
    QTest::newRow("wrong header: the message, no reload")
        << "sked-test.expected.csv" << 1000 << 0 << false
        << QStringList{"Import EiBi Schedule: %1 is not an EiBi schedule: its first line is "
                       "\"StationID,Freq,Station,UTC,Days,Language,Graphic,Target,Location,Power,"
                       "Azi,Remarks,Status,Mode,TargetALL,CIRAF,ADM,Count\"\n"
                       "The schedule was not changed."};
}

void ImportEibiFlowTest::outcomes() {
    QFETCH(QString, file);
    QFETCH(int, cancelAt);
    QFETCH(int, reloads);
    QFETCH(bool, replaced);
    QFETCH(QStringList, shown);
    QTemporaryDir dir;
    const QString db = dir.filePath("ILGDATA.MDB");
    QFile old(db);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    FakeImportPort port;
    port.chosen = file.isEmpty() ? QString() : QFINDTESTDATA("data/" + file);
    port.cancelAtPercent = cancelAt;
    app::ScriptedPrompts prompts;
    ImportEibi_Click(port, prompts, EibiCodes::builtIn(), db);
    for (QString &s : shown)
        s = s.arg(port.chosen);
    QCOMPARE(prompts.shown, shown);
    QCOMPARE(port.reloads, reloads);
    QCOMPARE(fileBytes(db) != "old", replaced);
    QCOMPARE(port.closes, file.isEmpty() ? 0 : 1);
    if (replaced) // the window saw the file made before it was put in place
        QVERIFY(port.percents.contains(95));
}

QTEST_GUILESS_MAIN(ImportEibiFlowTest)
#include "ImportEibiFlow_test.moc"
