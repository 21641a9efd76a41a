#pragma once

#include "rx/Rig.h"
#include "rx/TciProtocol.h"

#include <QMutex>
#include <QThread>
#include <QUrl>
#include <QWaitCondition>

namespace rx {

class TciConnection;

// A receiver behind a TCI server (ExpertSDR for SunSDR, Thetis for ANAN, ...) at "host:port".
// The WebSocket lives on a thread of its own, so that the server's announcements come in while
// the rig thread waits: open waits for "ready", read gives what the server announced last.
class TciRig : public Rig {
public:
    static constexpr int OpenTimeoutMs = 2500; // below the 3 s between reconnects
    // How RigChoice and the settings know it: "-m tci" (Hamlib's models are all positive).
    static constexpr int Model = -1;

    explicit TciRig(const QString &hostPort, int openTimeoutMs = OpenTimeoutMs);
    ~TciRig() override;
    QString describe() const override;
    bool open(QString &why) override;
    void close() override;
    bool setFrequency(double hz, QString &why) override;
    bool setMode(const QString &mode, int filterHz, QString &why) override;
    bool read(RigReading &reading, QString &why) override;
    bool reportsFrequency() const override { return true; }
    QStringList modes() const override { return tci::offeredModes(); }
    QList<int> filters() const override { return {0}; }
    double minHz() const override { return 1e3; }
    double maxHz() const override { return 10e9; }

    // What the socket's thread and the rig thread share.
    struct Shared {
        QMutex mutex;
        QWaitCondition changed;
        int attempt = 0; // a connection's news counts only while it is the latest attempt
        tci::State state;
        QString lost; // why the connection ended; "" while it stands
    };

private:
    bool standing(QString &why) const;
    void send(const QString &text);

    QString m_address;
    int m_openTimeoutMs;
    mutable Shared m_shared;
    QThread m_thread;
    TciConnection *m_connection;
};

} // namespace rx
