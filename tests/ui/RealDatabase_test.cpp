// The main window on a real ILGDATA.MDB, read through the isolated reader as at start.
#include "mainwindow/ScheduleGridWidget.h"
#include "support/ProgramUnderTest.h"
#include "support/TestSupport.h"

#include <QFile>

using testsupport::fileBytes;
using testsupport::writeFile;

namespace {

struct Program : testsupport::ProgramUnderTest<testsupport::IsolatedReader> {
    void start() {
        ProgramUnderTest::start(dir.path(), QDateTime(QDate(2024, 5, 17), QTime(1, 30), Qt::UTC),
                                false);
    }
};

} // namespace

class RealDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/ILGDATA.MDB"));
        if (!QFileInfo(testsupport::binary("skedwise-jetread")).isExecutable())
            QFAIL("skedwise-jetread is not built");
    }

    void shippedScheduleFillsTheGrid() {
        Program p;
        QVERIFY(QFile::copy(testsupport::fixture("schedule/ILGDATA.MDB"), p.database()));
        p.start();
        QCOMPARE(p.prompts.shown, QStringList());
        QCOMPARE(p.form->grid()->caption(), "VAZOdariDATA   1500 Records in ALL Languages");
        QCOMPARE(p.form->grid()->rowCount(), 1500);
        QCOMPARE(p.form->grid()->columnFieldName(1), "Freq");
    }

    void damagedFileIsSaidAtStart() {
        Program p;
        const QByteArray real = fileBytes(testsupport::fixture("schedule/ILGDATA.MDB"));
        QVERIFY(writeFile(p.database(), real.left(real.size() / 2)));
        p.start();
        const QString message = "The database " + QDir::toNativeSeparators(p.database()) +
                                " is damaged or truncated and cannot be read.";
        QCOMPARE(p.prompts.shown.size(), 1);
        QVERIFY2(p.prompts.shown[0].endsWith(message), qPrintable(p.prompts.shown[0]));
        QCOMPARE(p.form->grid()->rowCount(), 0);
    }
};

QTEST_MAIN(RealDatabaseTest)
#include "RealDatabase_test.moc"
