#include "startup/StartNotices.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

// An installed program: usr/bin, its sample in usr/share/skedwise.
class StartNoticesTest : public QObject {
    Q_OBJECT

private slots:
    void notices_data() {
        QTest::addColumn<bool>("ownSchedule");
        QTest::addColumn<bool>("saidBefore");
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<QStringList>("expected"); // a part of each notice, in order
        const QString sample = "sample of made-up broadcasts";
        addRow("first start on the shipped sample says it is made up", false, false, false,
               QStringList{sample});
        addRow("the sample is told once only", false, true, false, QStringList{});
        addRow("an imported schedule is not the sample", true, false, false, QStringList{});
        addRow("a folder that cannot be written is told first", false, false, true,
               QStringList{"cannot write there", sample});
    }
    void notices() {
        QFETCH(bool, ownSchedule);
        QFETCH(bool, saidBefore);
        QFETCH(bool, folderBlocked);
        QFETCH(QStringList, expected);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("usr/bin") && QDir(root.path()).mkpath("data/Skedwise"));
        QVERIFY(QDir(root.path()).mkpath("usr/share/skedwise"));
        QVERIFY(testsupport::writeFile(root.filePath("usr/share/skedwise/ILGDATA.MDB"), "x"));
        QVERIFY(testsupport::writeFile(root.filePath("blocked"), "x"));
        if (ownSchedule)
            QVERIFY(testsupport::writeFile(root.filePath("data/Skedwise/ILGDATA.MDB"), "x"));
        const QString xdg = root.filePath(folderBlocked ? "blocked" : "data");
        const app::Paths paths = app::Paths::locate(root.filePath("usr/bin"), xdg, root.path());
        app::OwnSettings own;
        own.SampleNoticeShown = saidBefore;
        const QStringList notices = startup::startNotices(paths, own);
        QCOMPARE(notices.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(notices[i].contains(expected[i]), qPrintable(notices[i]));
        QCOMPARE(own.SampleNoticeShown, saidBefore || expected.join('|').contains("made-up"));
    }
};

QTEST_GUILESS_MAIN(StartNoticesTest)
#include "StartNotices_test.moc"
