#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A local TCP port nobody listens on at the moment.
inline int freeLocalPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

// rigctld with the dummy rig on a local port, ended with the test.
class Rigctld {
public:
    explicit Rigctld(int port) : m_port(port) { start(); }
    ~Rigctld() { stop(); }
    void start() {
        m_process.start(QStringLiteral("rigctld"),
                        {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                         QStringLiteral("127.0.0.1"), QStringLiteral("-t"),
                         QString::number(m_port)});
        m_process.waitForStarted();
        for (int i = 0; i < 50 && query({QStringLiteral("f")}).isEmpty(); ++i)
            QTest::qWait(50);
    }
    void stop() {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    // rigctl's answer to the commands, through the daemon.
    QString query(const QStringList &commands) const {
        QProcess rigctl;
        rigctl.start(QStringLiteral("rigctl"),
                     QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                                 address()} +
                         commands);
        rigctl.waitForFinished(5000);
        return rigctl.exitCode() == 0
                   ? QString::fromLatin1(rigctl.readAllStandardOutput()).trimmed()
                   : QString();
    }

private:
    int m_port;
    QProcess m_process;
};
