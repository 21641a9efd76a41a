#include "receiver/ReceiverProgram.h"
#include "support/TestSupport.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

using namespace receiver;

namespace {

// A stand-in for skedwise-rx in folder: it writes which copy ran and its arguments to ran.txt.
void placeProgram(const QDir &folder, const QString &ranFile) {
    folder.mkpath(".");
    const QString path = folder.filePath(ReceiverProgramName);
    QVERIFY(testsupport::writeFile(path, QStringLiteral("#!/bin/sh\necho \"%1 $#\" > '%2'\n")
                                             .arg(folder.dirName(), ranFile)
                                             .toUtf8()));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class ReceiverProgramTest : public QObject {
    Q_OBJECT

private slots:
    void start_data() {
        QTest::addColumn<QStringList>("copiesIn"); // of "own", "onPath"
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("ran"); // the copy that ran and its argument count
        using O = ReceiverStart::Outcome;
        addRow("the program's own folder before PATH", QStringList{"own", "onPath"}, false,
               int(O::Started), "own 0");
        addRow("PATH when not beside the program", QStringList{"onPath"}, false, int(O::Started),
               "onPath 0");
        addRow("a running copy's lock: none started", QStringList{"own"}, true,
               int(O::AlreadyRunning), "");
        addRow("nowhere", QStringList{}, false, int(O::NotFound), "");
    }
    void start() {
        QFETCH(QStringList, copiesIn);
        QFETCH(bool, locked);
        QFETCH(int, outcome);
        QFETCH(QString, ran);
        QTemporaryDir dir;
        const QString ranFile = dir.filePath("ran.txt");
        for (const QString &folder : copiesIn)
            placeProgram(QDir(dir.filePath(folder)), ranFile);
        QLockFile running(dir.filePath("rx.lock"));
        QVERIFY(!locked || running.tryLock(0));
        const ReceiverPlaces places{
            dir.filePath("own"), {dir.filePath("onPath")}, dir.filePath("rx.lock")};
        const ReceiverStart start = startReceiverProgram(places);
        QCOMPARE(int(start.outcome), outcome);
        if (!ran.isEmpty()) {
            QTRY_COMPARE(testsupport::fileBytes(ranFile).trimmed(), ran.toUtf8());
            return;
        }
        QVERIFY(!QFile::exists(ranFile));
        QVERIFY(!start.message.isEmpty());
        if (start.outcome == ReceiverStart::Outcome::NotFound)
            QVERIFY2(start.message.contains(dir.filePath("own")) &&
                         start.message.contains(dir.filePath("onPath")),
                     qPrintable(start.message));
    }
};

QTEST_GUILESS_MAIN(ReceiverProgramTest)
#include "ReceiverProgram_test.moc"
