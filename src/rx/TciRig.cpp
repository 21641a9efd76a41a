#include "rx/TciRig.h"

#include <QDeadlineTimer>
#include <QWebSocket>

namespace rx {

namespace {
constexpr qint64 LargestMessage = 1 << 20; // TCI's texts are short; more is not a TCI server
}

// The socket, on the rig's socket thread.
class TciConnection : public QObject {
public:
    TciConnection(QUrl url, QString address, TciRig::Shared &shared)
        : m_url(std::move(url)), m_address(std::move(address)), m_shared(shared),
          m_socket(new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this)) {
        m_socket->setMaxAllowedIncomingMessageSize(LargestMessage);
        m_socket->setMaxAllowedIncomingFrameSize(LargestMessage);
        connect(m_socket, &QWebSocket::textMessageReceived, this, &TciConnection::received);
        connect(m_socket, &QWebSocket::connected, this, [this] { m_wasConnected = true; });
        connect(m_socket, &QWebSocket::disconnected, this, [this] {
            if (m_wasConnected) // else the error tells why it never connected
                ended(QStringLiteral("the TCI server at %1 closed the connection").arg(m_address));
        });
        // error() is errorOccurred() from Qt 6.5 on.
        connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
                [this](QAbstractSocket::SocketError error) {
                    if (error == QAbstractSocket::RemoteHostClosedError)
                        return; // disconnected() tells
                    ended(QStringLiteral("no TCI server answers at %1 (%2)")
                              .arg(m_address, m_socket->errorString()));
                });
    }

    void connectToServer(int attempt) {
        m_socket->abort();
        m_attempt = attempt;
        m_wasConnected = false;
        m_socket->open(m_url);
    }
    void send(const QString &text) {
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->sendTextMessage(text);
    }
    void drop() { m_socket->abort(); }

private:
    void received(const QString &message) {
        const QList<tci::Command> commands = tci::parseMessage(message);
        QMutexLocker lock(&m_shared.mutex);
        if (m_shared.attempt != m_attempt)
            return;
        for (const tci::Command &command : commands)
            tci::apply(command, m_shared.state);
        m_shared.changed.wakeAll();
    }
    void ended(const QString &why) {
        QMutexLocker lock(&m_shared.mutex);
        if (m_shared.attempt != m_attempt || !m_shared.lost.isEmpty())
            return; // an older connection, or the first reason is already told
        m_shared.lost = why;
        m_shared.changed.wakeAll();
    }

    QUrl m_url;
    QString m_address;
    TciRig::Shared &m_shared;
    QWebSocket *m_socket;
    int m_attempt = 0;
    bool m_wasConnected = false;
};

TciRig::TciRig(const QString &hostPort, int openTimeoutMs)
    : m_address(hostPort.isEmpty() ? QStringLiteral("127.0.0.1:%1").arg(tci::DefaultPort)
                : hostPort.contains(u':')
                    ? hostPort
                    : QStringLiteral("%1:%2").arg(hostPort).arg(tci::DefaultPort)),
      m_openTimeoutMs(openTimeoutMs),
      m_connection(
          new TciConnection(QUrl(QStringLiteral("ws://") + m_address), m_address, m_shared)) {
    m_connection->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_connection, &QObject::deleteLater);
    m_thread.start();
}

TciRig::~TciRig() {
    close();
    m_thread.quit();
    m_thread.wait();
}

QString TciRig::describe() const {
    QMutexLocker lock(&m_shared.mutex);
    if (m_shared.state.device.isEmpty())
        return QStringLiteral("the TCI server at %1").arg(m_address);
    return QStringLiteral("%1 through TCI at %2").arg(m_shared.state.device, m_address);
}

bool TciRig::open(QString &why) {
    int attempt = 0;
    {
        QMutexLocker lock(&m_shared.mutex);
        attempt = ++m_shared.attempt;
        m_shared.state = {};
        m_shared.lost.clear();
    }
    TciConnection *connection = m_connection;
    QMetaObject::invokeMethod(connection,
                              [connection, attempt] { connection->connectToServer(attempt); });
    QMutexLocker lock(&m_shared.mutex);
    const QDeadlineTimer deadline(m_openTimeoutMs);
    while (!m_shared.state.ready && m_shared.lost.isEmpty())
        if (!m_shared.changed.wait(&m_shared.mutex, deadline))
            break;
    if (m_shared.state.ready && m_shared.lost.isEmpty())
        return true;
    why = !m_shared.lost.isEmpty()
              ? m_shared.lost
              : QStringLiteral("the TCI server at %1 did not say it is ready within %2 s")
                    .arg(m_address)
                    .arg(m_openTimeoutMs / 1000.0);
    lock.unlock();
    close();
    return false;
}

void TciRig::close() {
    TciConnection *connection = m_connection;
    QMetaObject::invokeMethod(connection, [connection] { connection->drop(); });
}

bool TciRig::standing(QString &why) const {
    if (m_shared.lost.isEmpty())
        return true;
    why = m_shared.lost;
    return false;
}

void TciRig::send(const QString &text) {
    TciConnection *connection = m_connection;
    QMetaObject::invokeMethod(connection, [connection, text] { connection->send(text); });
}

bool TciRig::setFrequency(double hz, QString &why) {
    QMutexLocker lock(&m_shared.mutex);
    if (!standing(why))
        return false;
    m_shared.state.hz = hz; // until the server announces otherwise
    lock.unlock();
    send(tci::frequencyCommand(hz));
    return true;
}

bool TciRig::setMode(const QString &mode, int, QString &why) {
    QMutexLocker lock(&m_shared.mutex);
    if (!standing(why))
        return false;
    const QString tciMode = tci::tciMode(mode);
    if (tciMode.isEmpty() ||
        (!m_shared.state.modulations.isEmpty() && !m_shared.state.modulations.contains(tciMode))) {
        why = QStringLiteral("the TCI server at %1 has no mode %2").arg(m_address, mode);
        return false;
    }
    m_shared.state.mode = tci::modeOfTci(tciMode);
    lock.unlock();
    send(tci::modulationCommand(mode));
    return true;
}

bool TciRig::read(RigReading &reading, QString &why) {
    QMutexLocker lock(&m_shared.mutex);
    if (!standing(why))
        return false;
    reading.hz = m_shared.state.hz;
    reading.mode = m_shared.state.mode;
    if (m_shared.state.dbm)
        reading.signalDb = tci::signalDbOfDbm(*m_shared.state.dbm);
    lock.unlock();
    send(tci::SMeterRequest); // the answer comes with the next read
    return true;
}

} // namespace rx
