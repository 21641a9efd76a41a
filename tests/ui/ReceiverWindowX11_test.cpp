// The main window and another process (xclip standing in for the receiver-control program)
// talking over the real X11 CLIPBOARD, with the window's own clock timer doing the polling.
// Starts its own Xvfb when none is given.
#include "receiver/WatchedClipboardUi.h"
#include "support/OwnXServer.h"
#include "support/ProgramUnderTest.h"

#include <QApplication>

using testsupport::otherProcessReads;
using testsupport::otherProcessWrites;

namespace {

constexpr int TickMs = 900;

// In Freq order: 6000, 9575.25, 9580, 15345.
std::shared_ptr<const jet::Table> stations() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language\r\n"
                      "1,6000,\"Radio Beta\",\"0000-2400\",\"German\"\r\n"
                      "2,9575.25,\"Radio Alpha\",\"0000-2400\",\"English\"\r\n"
                      "3,9580,\"Radio Gamma\",\"0000-2400\",\"Spanish\"\r\n"
                      "4,15345,\"Radio Delta\",\"0000-2400\",\"French\"\r\n"));
}

// The program with the system clipboard, the window's timer running.
struct Program : testsupport::ProgramUnderTest<testsupport::MemoryTables, testsupport::MemoryStore,
                                               receiver::WatchedClipboard> {
    Program() {
        tables.add(dir.path() + "/ILGDATA.MDB", stations());
        start(dir.path(), QDateTime(QDate(2024, 5, 17), QTime(1, 30), Qt::UTC));
    }

    int currentStation() {
        const jet::RecordSet &rs = form->data1().recordset();
        return rs.position() < 0 ? -1 : int(rs.value(rs.position(), 0).number);
    }
};

} // namespace

class ReceiverWindowX11Test : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (Xvfb) and xclip");
    }

    void otherProgramsTextWithinTwoTicks_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("left");
        QTest::newRow("report moves the grid and is cleared")
            << QByteArray("0101019580") << 3 << "";
        QTest::newRow("forced report moves the grid") << QByteArray("01010155345.0") << 4 << "";
        QTest::newRow("foreign text stays, grid stays") << QByteArray("hello") << 1 << "hello";
    }
    void otherProgramsTextWithinTwoTicks() {
        QFETCH(QByteArray, written);
        QFETCH(int, station);
        QFETCH(QString, left);
        Program p;
        QCOMPARE(p.currentStation(), 1);
        otherProcessWrites(written);
        QTest::qWait(2 * TickMs + 100);
        QCOMPARE(p.currentStation(), station);
        QCOMPARE(otherProcessReads(), left);
    }

    void rowPickReachesOtherProcess() {
        Program p;
        otherProcessWrites("something else");
        QTest::qWait(200);
        jet::RecordSet &rs = p.form->data1().recordset();
        rs.moveFirst();
        rs.findFirst("StationID = 2");
        p.form->SSDBGrid_PickRow();
        QCOMPARE(otherProcessReads(), QString("1010109575.25"));
        // The window's own ticks leave its request for the receiver program.
        QTest::qWait(2 * TickMs + 100);
        QCOMPARE(otherProcessReads(), QString("1010109575.25"));
    }

    // The receiver program answers right after taking our request, as skedwise-rx does.
    void answerAtOnceAfterOurRequestIsTaken() {
        Program p;
        p.form->SSDBGrid_PickRow();
        otherProcessWrites("0101019580");
        QTest::qWait(2 * TickMs + 100);
        QCOMPARE(p.currentStation(), 3);
        QCOMPARE(otherProcessReads(), QString());
    }
};

int main(int argc, char **argv) {
    auto *probe = new QCoreApplication(argc, argv);
    testsupport::OwnXServer server;
    const bool x11 = server.start();
    delete probe;
    qputenv("QT_QPA_PLATFORM", x11 ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    ReceiverWindowX11Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "ReceiverWindowX11_test.moc"
