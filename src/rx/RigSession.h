#pragma once

#include "rx/ClipboardLink.h"
#include "rx/RigWorker.h"

#include <QObject>
#include <QThread>

#include <memory>
#include <optional>

namespace rx {

// The receiver on its own thread: orders go to it queued, its state comes back by signal.
// Replacing the receiver (a new choice in the settings) stops the old one first; a tune the old
// one never carried out goes to the new one.
class RigSession : public QObject, public TunePort {
    Q_OBJECT
public:
    RigSession(int pollMs, int retryMs);
    ~RigSession() override;
    void replace(std::unique_ptr<Rig> rig);
    void tune(double hz, quint64 ticket) override;
    void tuneInMode(double hz, const QString &mode, quint64 ticket) override;
    void setMode(const QString &mode, int filterHz);

signals:
    void stateChanged(const rx::RigState &state);
    void tuned(double hz, quint64 ticket);
    void rigMoved(double hz);
    void modeProblem(const QString &text);

private:
    void finish();

    int m_pollMs;
    int m_retryMs;
    QThread m_thread;
    RigWorker *m_worker = nullptr;
    struct Order {
        double hz;
        quint64 ticket;
        QString mode;
    };
    std::optional<Order> m_unconfirmed;
};

} // namespace rx
