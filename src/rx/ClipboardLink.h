#pragma once

#include "app/Seams.h"
#include "rx/Rig.h"

#include <QObject>

#include <optional>

namespace rx {

// Where the link sends its tune orders: the rig thread in the program, a fake in tests.
class TunePort {
public:
    virtual ~TunePort() = default;
    virtual void tune(double hz, quint64 ticket) = 0;
    // A tune with the mode to set on the way, in the same order; a port that cannot set a
    // mode only tunes.
    virtual void tuneInMode(double hz, const QString &mode, quint64 ticket) {
        Q_UNUSED(mode);
        tune(hz, ticket);
    }
};

// The clipboard side: takes the schedule's tune (with or without a mode) and status requests,
// answers them and reports every frequency change made here. A report never overwrites a request
// not yet seen: it waits until the clipboard is read, and a newer tune request is carried out first
// (only the latest counts). Runs on the window's thread.
class ClipboardLink : public QObject {
    Q_OBJECT
public:
    // How often the clipboard is read; the schedule's round trip is bounded by it.
    static constexpr int PollMs = 200;

    ClipboardLink(app::Clipboard &clipboard, TunePort &rig);
    // One look at the clipboard, and the report that is due when nothing waits there.
    void poll();
    // A frequency chosen in this program's window: tuned, then reported in the forced form.
    // False with the reason when it is out of range.
    bool userTune(double hz, QString &why);
    const RigState &rigState() const { return m_state; }

public slots:
    void rigStateChanged(const rx::RigState &state);
    void rigTuned(double hz, quint64 ticket);
    void rigMoved(double hz);

signals:
    // A request that was not carried out, and why; shown in the window.
    void problem(const QString &text);

private:
    void takeTuneRequest(const QString &payload, const std::optional<QString> &mode);
    QString modeProblem(const QString &mode) const;
    void answerStatusRequest(const QString &request);
    void order(double hz, const QString &report, const QString &mode = {});
    void put(const QString &text);
    void report(const QString &text);

    app::Clipboard &m_clipboard;
    TunePort &m_rig;
    RigState m_state;
    quint64 m_ticket = 0;
    QString m_pendingReport;      // for the order in flight
    std::optional<QString> m_due; // to be written once nothing waits on the clipboard
    QString m_unansweredShown;
};

} // namespace rx
