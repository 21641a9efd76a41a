#include "app/LocalFileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace app {

bool LocalFileSystem::exists(const QString &path) const {
    return QFileInfo::exists(path);
}

qint64 LocalFileSystem::length(const QString &path) const {
    return QFileInfo(path).size();
}

bool LocalFileSystem::append(const QString &path, const QString &text, QString &error) {
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("It is a folder, not a file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        error = file.errorString();
        return false;
    }
    const qint64 before = file.size();
    const QByteArray bytes = text.toUtf8();
    // A short write (a full disk) is reported and cut off again, so that a retry does not
    // write the same entry twice; what was in the file before stays as it was.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        error = file.errorString();
        file.resize(before);
        return false;
    }
    return true;
}

} // namespace app
