#pragma once

#include <QByteArray>
#include <QString>

namespace rx {

// A raw serial port (8N1, no flow control) with timed reads; bytes are written exactly as
// given, zero bytes included.
class SerialLine {
public:
    ~SerialLine() { close(); }
    bool open(const QString &path, int baud, QString &why);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    bool write(const QByteArray &bytes, QString &why);
    // Up to count bytes, waiting at most timeoutMs in all.
    QByteArray read(int count, int timeoutMs);
    void discardInput();

private:
    int m_fd = -1;
    QString m_path;
};

} // namespace rx
