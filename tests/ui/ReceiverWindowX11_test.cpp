// The main window and other processes talking over the real X11 CLIPBOARD, with the window's
// own clock timer doing the polling: xclip and X clients of the test's own stand in for the
// receiver-control program. Starts its own Xvfb when none is given.
#include "receiver/WatchedClipboardUi.h"
#include "support/OwnXServer.h"
#include "support/ProgramUnderTest.h"

#include <QApplication>

#include <atomic>
#include <mutex>
#include <thread>
#include <xcb/xcb.h>

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
};

// An X client that owns the CLIPBOARD with one window, again and again: it hands out its text
// from a thread of its own, or, when silent, never answers (a program hung or busy).
class OwnerClient {
public:
    explicit OwnerClient(bool answers) : m_c(xcb_connect(nullptr, nullptr)) {
        m_window = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window,
                          xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_clipboard = atom("CLIPBOARD");
        m_utf8 = atom("UTF8_STRING");
        if (answers)
            m_thread = std::thread([this] { serve(); });
    }
    ~OwnerClient() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        xcb_disconnect(m_c);
    }
    void take(const QByteArray &text) {
        {
            std::lock_guard lock(m_mutex);
            m_text = text;
        }
        xcb_set_selection_owner(m_c, m_window, m_clipboard, XCB_CURRENT_TIME);
        free(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr));
    }

private:
    xcb_atom_t atom(const char *name) {
        auto *reply = xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = reply->atom;
        free(reply);
        return a;
    }
    void serve() {
        while (!m_stop) {
            xcb_generic_event_t *e = xcb_poll_for_event(m_c);
            if (!e) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            if ((e->response_type & 0x7f) == XCB_SELECTION_REQUEST)
                answer(*reinterpret_cast<xcb_selection_request_event_t *>(e));
            free(e);
        }
    }
    void answer(const xcb_selection_request_event_t &request) {
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = request.target == m_utf8 ? request.property : xcb_atom_t(XCB_ATOM_NONE);
        if (notify.property != XCB_ATOM_NONE) {
            std::lock_guard lock(m_mutex);
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                                m_utf8, 8, uint32_t(m_text.size()), m_text.constData());
        }
        xcb_send_event(m_c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&notify));
        xcb_flush(m_c);
    }

    xcb_connection_t *m_c;
    xcb_window_t m_window;
    xcb_atom_t m_clipboard, m_utf8;
    std::mutex m_mutex;
    QByteArray m_text;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

class ReceiverWindowX11Test : public QObject {
    Q_OBJECT

private slots:
    void init() { REQUIRE_THAT(QGuiApplication::platformName() == "xcb", "Xvfb and xclip"); }

    // A message of any size is taken, or foreign text left alone, within two ticks.
    void otherProgramsTextWithinTwoTicks_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("left");
        const QByteArray blanks(1 << 20, ' ');
        addRow("report moves the grid and is cleared", QByteArray("0101019580"), 3, "");
        addRow("1 MB foreign text stays", QByteArray(1 << 20, 'x'), 1, QString(1 << 20, 'x'));
        addRow("1 MB report is taken", "0101019580" + blanks, 3, "");
        addRow("1 MB status reply is taken", "100001,AM,S7," + blanks, 1, "");
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
        QCOMPARE(otherProcessReads(), QString("1010119575.25,AM"));
        // The window's own ticks leave its request for the receiver program.
        QTest::qWait(2 * TickMs + 100);
        QCOMPARE(otherProcessReads(), QString("1010119575.25,AM"));
    }

    // The receiver program answers right after taking our request, as skedwise-rx does: the
    // window no longer owns the clipboard and must read it again.
    void answerAtOnceAfterOurRequestIsTaken() {
        Program p;
        p.form->SSDBGrid_PickRow();
        otherProcessWrites("0101019580");
        QTest::qWait(2 * TickMs + 100);
        QCOMPARE(p.currentStation(), 3);
        QCOMPARE(otherProcessReads(), QString());
    }

    // Every reply reaches RadioStatus, whoever owned the clipboard before it and however often
    // the same program owned it in a row.
    void replyReachesRadioStatus_data() {
        QTest::addColumn<QByteArray>("first"); // what the receiver program wrote before
        QTest::addColumn<bool>("ourRequest");
        addRow("after our request", QByteArray(), true);
        addRow("from the owner of the report taken before our request", QByteArray("0101019580"),
               true);
        addRow("from the same owner again, right after its other text", QByteArray("hello"), false);
    }
    void replyReachesRadioStatus() {
        QFETCH(QByteArray, first);
        QFETCH(bool, ourRequest);
        Program p;
        OwnerClient receiver(true);
        if (!first.isEmpty()) {
            receiver.take(first);
            QTRY_VERIFY_WITH_TIMEOUT(p.currentStation() == 3 || p.clipboard.text() == first,
                                     2 * TickMs + 100);
        }
        if (ourRequest) {
            p.clipboard.setText("111001");
            QCOMPARE(otherProcessReads(), QString("111001")); // the receiver program answers it
        }
        receiver.take("100001,USB,S7,");
        QTRY_COMPARE_WITH_TIMEOUT(p.state.RadioStatus, QString(",USB,S7,"), 2 * TickMs + 100);
    }

    // A program that takes the clipboard and never answers holds up neither the tick nor the
    // reading of what comes after it.
    void silentOwnerNeverHoldsTheTick() {
        Program p;
        OwnerClient silent(false);
        silent.take("never sent");
        QTest::qWait(100);
        QElapsedTimer tick;
        tick.start();
        p.form->Timer_Timer(0);
        QVERIFY2(tick.elapsed() < 100, qPrintable(QString::number(tick.elapsed())));
        otherProcessWrites("0101019580");
        QTRY_COMPARE_WITH_TIMEOUT(p.currentStation(), 3, 2 * TickMs + 100);
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
