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
    const QByteArray bytes = text.toUtf8();
    // A short write (a full disk) is reported; what was in the file before stays as it was.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace app
