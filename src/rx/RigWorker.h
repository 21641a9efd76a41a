#pragma once

#include "rx/Rig.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

namespace rx {

// Owns the receiver and does all its I/O, on a thread of its own in the program so that a
// hanging port never freezes the window. Reconnects every retry interval while the receiver
// is gone; a tune asked for meanwhile is kept, only the latest, and applied once it is back.
// A mode set is read back at once: a receiver that did not take it is said, not retried.
class RigWorker : public QObject {
    Q_OBJECT
public:
    RigWorker(std::unique_ptr<Rig> rig, int pollMs, int retryMs);
    ~RigWorker() override;
    const RigState &state() const { return m_state; }

public slots:
    void start();
    void stop();
    // With a mode, that mode is set first, in the normal filter for it, unless the receiver
    // is in it already (a filter the listener chose stays).
    void tune(double hz, quint64 ticket, const QString &mode = {});
    void setMode(const QString &mode, int filterHz);
    // One poll step: carry out what waits and read the receiver, or try to reconnect when the
    // retry time is up.
    void step();

signals:
    void stateChanged(const rx::RigState &state);
    void tuned(double hz, quint64 ticket);
    // The receiver's own frequency moved (turned by hand, or by another program on rigctld).
    void rigMoved(double hz);
    // A mode that was not set, or that the receiver did not take, and why.
    void modeProblem(const QString &text);

private:
    struct PendingTune {
        double hz;
        quint64 ticket;
    };
    struct PendingMode {
        QString mode;
        int filterHz;
    };
    void tryOpen();
    void lose(const QString &why);
    bool applyPending();
    QString applyPendingMode();
    void readBackOrPublish();
    void applySoon();
    void readRig();
    void checkMode(const QString &modeRead);
    void publish() { emit stateChanged(m_state); }

    std::unique_ptr<Rig> m_rig;
    RigState m_state;
    QTimer m_timer;
    QElapsedTimer m_sinceAttempt;
    int m_retryMs;
    std::optional<PendingTune> m_pendingTune;
    std::optional<PendingMode> m_pendingMode;
    QString m_modeToCheck; // set, not yet read back
    bool m_applyQueued = false;
};

} // namespace rx
