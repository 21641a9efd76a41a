#include "app/LocalFileSystem.h"

#include "app/WriteTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeAll(int fd, const QByteArray &bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return ::fsync(fd) == 0;
}

} // namespace

bool LocalFileSystem::exists(const QString &path) const {
    return QFileInfo::exists(path);
}

qint64 LocalFileSystem::length(const QString &path) const {
    return QFileInfo(path).size();
}

bool LocalFileSystem::append(const QString &path, const QString &text, QString &error) {
    const WriteTarget target = resolveWriteTarget(path);
    if (!target.ok()) {
        error = target.error;
        return false;
    }
    const int fd = ::open(QFile::encodeName(target.path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = systemReason(errno);
        return false;
    }
    struct stat before {};
    ::fstat(fd, &before);
    // A write cut short (a full disk) is cut off again: a retry must not find half an entry.
    const bool written = writeAll(fd, text.toUtf8());
    if (!written) {
        error = systemReason(errno);
        (void)!::ftruncate(fd, before.st_size);
        ::fsync(fd);
    }
    ::close(fd);
    return written;
}

bool LocalFileSystem::replace(const QString &path, const QString &text, QString &error) {
    const WriteTarget target = resolveWriteTarget(path);
    if (!target.ok()) {
        error = target.error;
        return false;
    }
    QDir().mkpath(QFileInfo(target.path).absolutePath());
    QSaveFile file(target.path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    error = file.errorString();
    return false;
}

std::optional<QString> LocalFileSystem::read(const QString &path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

void LocalFileSystem::remove(const QString &path) {
    QFile::remove(path);
}

} // namespace app
