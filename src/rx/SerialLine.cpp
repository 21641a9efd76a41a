#include "rx/SerialLine.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace rx {

namespace {

speed_t speedConstant(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B0;
    }
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

bool SerialLine::open(const QString &path, int baud, QString &why) {
    close();
    m_path = path;
    const speed_t speed = speedConstant(baud);
    if (speed == B0) {
        why = QStringLiteral("%1 baud is not a serial speed").arg(baud);
        return false;
    }
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) {
        why = QStringLiteral("cannot open %1: %2").arg(path, systemReason());
        return false;
    }
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        why = QStringLiteral("cannot set up %1: %2").arg(path, systemReason());
        close();
        return false;
    }
    return true;
}

void SerialLine::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool SerialLine::write(const QByteArray &bytes, QString &why) {
    qsizetype done = 0;
    QElapsedTimer timer;
    timer.start();
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            why = QStringLiteral("%1 is gone: %2").arg(m_path, systemReason());
            return false;
        }
        pollfd p{m_fd, POLLOUT, 0};
        if (timer.elapsed() > 2000 || ::poll(&p, 1, 100) < 0) {
            why = QStringLiteral("%1 takes no data").arg(m_path);
            return false;
        }
    }
    return true;
}

QByteArray SerialLine::read(int count, int timeoutMs) {
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < count && m_fd >= 0) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0)
            break;
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready <= 0 || (p.revents & (POLLERR | POLLNVAL)))
            break;
        char buffer[64];
        const ssize_t n =
            ::read(m_fd, buffer, std::min<qsizetype>(sizeof buffer, count - got.size()));
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    return got;
}

void SerialLine::discardInput() {
    if (m_fd >= 0)
        tcflush(m_fd, TCIFLUSH);
}

} // namespace rx
