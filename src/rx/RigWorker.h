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
class RigWorker : public QObject {
    Q_OBJECT
public:
    RigWorker(std::unique_ptr<Rig> rig, int pollMs, int retryMs);
    ~RigWorker() override;
    const RigState &state() const { return m_state; }

public slots:
    void start();
    void stop();
    void tune(double hz, quint64 ticket);
    void setMode(const QString &mode, int filterHz);
    // One poll step: read the receiver, or try to reconnect when the retry time is up.
    void step();

signals:
    void stateChanged(const rx::RigState &state);
    void tuned(double hz, quint64 ticket);
    // The receiver's own frequency moved (turned by hand, or by another program on rigctld).
    void rigMoved(double hz);

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
    void readRig();
    void publish() { emit stateChanged(m_state); }

    std::unique_ptr<Rig> m_rig;
    RigState m_state;
    QTimer m_timer;
    QElapsedTimer m_sinceAttempt;
    int m_retryMs;
    std::optional<PendingTune> m_pendingTune;
    std::optional<PendingMode> m_pendingMode;
};

} // namespace rx
