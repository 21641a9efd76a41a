#include "receiver/X11ClipboardUi.h"

#include <QByteArray>

#include <cstring>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace receiver {

namespace {

using Clock = std::chrono::steady_clock;

struct FreeEvent {
    void operator()(xcb_generic_event_t *e) const { std::free(e); }
};
using Event = std::unique_ptr<xcb_generic_event_t, FreeEvent>;

template <class Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t intern(xcb_connection_t *c, const char *name) {
    ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

int msLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return int(std::max<long long>(0, left.count()));
}

enum class Outcome { Answered, Silent, Changed };

// What the window's thread asks of the clipboard's: a clear, or a text of our own.
struct Command {
    quint64 clearGeneration = 0; // 0: own ownText
    QByteArray ownText;
};

} // namespace

class X11Clipboard::Worker {
public:
    Worker(xcb_connection_t *c, std::function<void()> onRead)
        : m_c(c), m_wake(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), m_onRead(std::move(onRead)) {}

    ~Worker() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        wake();
        if (m_thread.joinable())
            m_thread.join();
        xcb_disconnect(m_c);
        if (m_wake >= 0)
            ::close(m_wake);
    }

    bool start() {
        const xcb_query_extension_reply_t *xfixes = xcb_get_extension_data(m_c, &xcb_xfixes_id);
        if (m_wake < 0 || !xfixes || !xfixes->present)
            return false;
        m_xfixesNotify = uint8_t(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY);
        free(xcb_xfixes_query_version_reply(m_c, xcb_xfixes_query_version(m_c, 5, 0), nullptr));
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        m_clipboard = intern(m_c, "CLIPBOARD");
        m_utf8 = intern(m_c, "UTF8_STRING");
        m_incr = intern(m_c, "INCR");
        m_targets = intern(m_c, "TARGETS");
        m_mimeUtf8 = intern(m_c, "text/plain;charset=utf-8");
        m_property = intern(m_c, "SKEDWISE_CLIPBOARD");
        newWindow();
        m_ownerWindow = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_ownerWindow, m_root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        // On the root window: the transfer windows come and go, the watch must not.
        xcb_xfixes_select_selection_input(
            m_c, m_root, m_clipboard,
            XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        ReplyPtr<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr),
            &std::free);
        m_owner = owner ? owner->owner : XCB_NONE;
        m_seen = 1; // what is there now is read first
        m_thread = std::thread([this] { run(); });
        return true;
    }

    SelectionText latest() const {
        std::lock_guard lock(m_mutex);
        return m_latest;
    }
    quint64 seen() const { return m_seen; }
    bool settled() const { return m_read == m_seen; }

    void clearIf(quint64 generation) { ask({generation, {}}); }
    void own(const QString &text) { ask({0, text.toUtf8()}); }

private:
    void ask(Command command) {
        {
            std::lock_guard lock(m_mutex);
            m_commands.push_back(std::move(command));
        }
        wake();
    }

    void wake() {
        const uint64_t one = 1;
        (void)!::write(m_wake, &one, sizeof one);
    }

    bool stopping() const {
        std::lock_guard lock(m_mutex);
        return m_stop;
    }

    void run() {
        while (!stopping() && !xcb_connection_has_error(m_c)) {
            handleCommands();
            if (!settled())
                readSelection();
            else
                waitFor(Clock::time_point::max(), m_seen);
        }
    }

    // A window of our own for each transfer given up, so that a late answer to it cannot land
    // in the next one.
    void newWindow() {
        if (m_window != XCB_NONE)
            xcb_destroy_window(m_c, m_window);
        m_window = xcb_generate_id(m_c);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, m_root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &mask);
        xcb_flush(m_c);
    }

    void handleCommands() {
        std::vector<Command> commands;
        {
            std::lock_guard lock(m_mutex);
            commands.swap(m_commands);
        }
        for (const Command &command : commands) {
            if (command.clearGeneration == 0) {
                m_ownText = command.ownText;
                xcb_set_selection_owner(m_c, m_ownerWindow, m_clipboard, XCB_CURRENT_TIME);
            } else if (command.clearGeneration == m_seen && m_owner != XCB_NONE) {
                // The owner's own time stamp: should a newer owner have come meanwhile, the
                // server ignores the clear.
                xcb_set_selection_owner(m_c, XCB_NONE, m_clipboard, m_ownerTime);
            }
        }
        xcb_flush(m_c);
    }

    // Hands our own text to a program that asks for it.
    void serve(const xcb_selection_request_event_t &request) {
        const xcb_atom_t property =
            request.property == XCB_NONE ? request.target : request.property;
        bool served = request.owner == m_ownerWindow;
        if (served && request.target == m_targets) {
            const xcb_atom_t targets[] = {m_targets, m_utf8, m_mimeUtf8, XCB_ATOM_STRING};
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                XCB_ATOM_ATOM, 32, 4, targets);
        } else if (served && (request.target == m_utf8 || request.target == m_mimeUtf8 ||
                              request.target == XCB_ATOM_STRING)) {
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                request.target, 8, uint32_t(m_ownText.size()),
                                m_ownText.constData());
        } else {
            served = false;
        }
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = served ? property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(m_c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&notify));
        xcb_flush(m_c);
    }

    // Changes of owner and requests for our text are handled whenever they come.
    bool handledAtOnce(const xcb_generic_event_t *e) {
        const uint8_t type = e->response_type & 0x7f;
        if (type == XCB_SELECTION_REQUEST) {
            serve(*reinterpret_cast<const xcb_selection_request_event_t *>(e));
            return true;
        }
        if (type != m_xfixesNotify)
            return false;
        const auto *notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t *>(e);
        m_owner = notify->owner;
        m_ownerTime = notify->selection_timestamp;
        ++m_seen;
        return true;
    }

    // The next event other than a change of owner, or null at the deadline, after a change
    // of owner past generation, or when asked to stop.
    Event waitFor(Clock::time_point deadline, quint64 generation) {
        for (;;) {
            while (Event e{xcb_poll_for_event(m_c)})
                if (!handledAtOnce(e.get()))
                    return e;
            if (m_seen != generation || stopping() || xcb_connection_has_error(m_c))
                return nullptr;
            pollfd fds[2] = {{xcb_get_file_descriptor(m_c), POLLIN, 0}, {m_wake, POLLIN, 0}};
            const int timeout = deadline == Clock::time_point::max() ? -1 : msLeft(deadline);
            if (::poll(fds, 2, timeout) == 0)
                return nullptr;
            if (fds[1].revents & POLLIN) {
                uint64_t count;
                (void)!::read(m_wake, &count, sizeof count);
                handleCommands();
            }
        }
    }

    void readSelection() {
        const quint64 generation = m_seen;
        if (m_owner == m_ownerWindow)
            return publish(generation, QString::fromUtf8(m_ownText.left(HeadBytes)));
        QByteArray head;
        Outcome outcome = m_owner == XCB_NONE ? Outcome::Answered : Outcome::Silent;
        // Two tries: an owner busy with another reader's long transfer may drop a request.
        for (int attempt = 0; attempt < 2 && outcome == Outcome::Silent; ++attempt)
            outcome = convert(generation, head);
        if (outcome == Outcome::Changed)
            return;
        publish(generation, outcome == Outcome::Answered ? QString::fromUtf8(head) : QString());
    }

    void publish(quint64 generation, const QString &text) {
        {
            std::lock_guard lock(m_mutex);
            m_latest = {generation, text};
        }
        m_read = generation;
        if (m_onRead)
            m_onRead();
    }

    Outcome convert(quint64 generation, QByteArray &head) {
        xcb_convert_selection(m_c, m_window, m_clipboard, m_utf8, m_property, m_ownerTime);
        xcb_flush(m_c);
        const auto deadline = Clock::now() + std::chrono::milliseconds(AnswerMs);
        for (;;) {
            const Event e = waitFor(deadline, generation);
            if (!e)
                return giveUp(generation);
            if ((e->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
                continue;
            const auto *n = reinterpret_cast<xcb_selection_notify_event_t *>(e.get());
            if (n->requestor != m_window)
                continue;
            if (n->property == XCB_NONE) // no text there
                return Outcome::Answered;
            return readProperty(generation, head);
        }
    }

    Outcome giveUp(quint64 generation) {
        newWindow();
        return m_seen != generation ? Outcome::Changed : Outcome::Silent;
    }

    // Up to length bytes of the property from its start; total is its whole length.
    QByteArray property(uint32_t length, xcb_atom_t &type, uint32_t &total) {
        ReplyPtr<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(m_c,
                                   xcb_get_property(m_c, 0, m_window, m_property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, (length + 3) / 4),
                                   nullptr),
            &std::free);
        type = reply ? reply->type : xcb_atom_t(XCB_ATOM_NONE);
        if (!reply)
            return {};
        const int bytes = xcb_get_property_value_length(reply.get());
        total = uint32_t(bytes) + reply->bytes_after;
        return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                          std::min<int>(bytes, int(length)));
    }

    void deleteProperty() {
        xcb_delete_property(m_c, m_window, m_property);
        xcb_flush(m_c);
    }

    Outcome readProperty(quint64 generation, QByteArray &head) {
        xcb_atom_t type;
        uint32_t total = 0;
        head = property(HeadBytes, type, total);
        deleteProperty();
        return type == m_incr ? readIncrementally(generation, head) : Outcome::Answered;
    }

    // A long text comes in pieces; past the head they are only let through, never fetched.
    Outcome readIncrementally(quint64 generation, QByteArray &head) {
        head.clear();
        for (;;) {
            const auto deadline = Clock::now() + std::chrono::milliseconds(AnswerMs);
            const Event e = waitFor(deadline, generation);
            if (!e)
                return giveUp(generation);
            const auto *p = reinterpret_cast<xcb_property_notify_event_t *>(e.get());
            if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY || p->window != m_window ||
                p->atom != m_property || p->state != XCB_PROPERTY_NEW_VALUE)
                continue;
            xcb_atom_t type;
            uint32_t total = 0;
            head += property(uint32_t(HeadBytes - std::min<qsizetype>(head.size(), HeadBytes)),
                             type, total);
            deleteProperty();
            if (total == 0)
                return Outcome::Answered;
        }
    }

    xcb_connection_t *m_c;
    int m_wake;
    std::function<void()> m_onRead;
    mutable std::mutex m_mutex;
    SelectionText m_latest;
    std::vector<Command> m_commands;
    bool m_stop = false;
    std::atomic<quint64> m_seen{0};
    std::atomic<quint64> m_read{0};
    std::thread m_thread;
    // The reader's thread only, after start().
    uint8_t m_xfixesNotify = 0;
    xcb_window_t m_root = XCB_NONE;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_clipboard = XCB_ATOM_NONE, m_utf8 = XCB_ATOM_NONE, m_incr = XCB_ATOM_NONE,
               m_targets = XCB_ATOM_NONE, m_mimeUtf8 = XCB_ATOM_NONE, m_property = XCB_ATOM_NONE;
    xcb_window_t m_ownerWindow = XCB_NONE;
    QByteArray m_ownText;
    xcb_window_t m_owner = XCB_NONE;
    xcb_timestamp_t m_ownerTime = XCB_CURRENT_TIME;
};

std::unique_ptr<X11Clipboard> X11Clipboard::connect(std::function<void()> onRead) {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    auto worker = std::make_unique<Worker>(c, std::move(onRead));
    if (!worker->start())
        return nullptr;
    return std::unique_ptr<X11Clipboard>(new X11Clipboard(std::move(worker)));
}

X11Clipboard::X11Clipboard(std::unique_ptr<Worker> worker) : m_worker(std::move(worker)) {}

X11Clipboard::~X11Clipboard() = default;

SelectionText X11Clipboard::latest() const {
    return m_worker->latest();
}

quint64 X11Clipboard::seenGeneration() const {
    return m_worker->seen();
}

bool X11Clipboard::settled() const {
    return m_worker->settled();
}

void X11Clipboard::clearIf(quint64 generation) {
    m_worker->clearIf(generation);
}

void X11Clipboard::own(const QString &text) {
    m_worker->own(text);
}

} // namespace receiver
