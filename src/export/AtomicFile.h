#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace exporting {

// How a file write ended; error holds the system's reason of a failure.
struct WriteOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Written;
    QString error;
    bool written() const { return status == Status::Written; }
};

// A file written under a temporary name beside its target and renamed over it only when
// complete: a failed or cancelled write leaves the old file (or none) as it was.
class AtomicFile {
public:
    explicit AtomicFile(const QString &path);
    bool open();
    // UTF-8, buffered; a failure is kept and reported by commit().
    void write(const QString &text);
    WriteOutcome commit();
    WriteOutcome cancel();
    QString error() const { return m_error; }

private:
    bool flushBuffer();

    QSaveFile m_file;
    QByteArray m_buffer;
    QString m_error;
};

// "The file "PATH" could not be written: REASON" for the user.
QString writeFailureText(const QString &path, const QString &reason);

} // namespace exporting
