#include "app/WriteTarget.h"

#include <QDir>
#include <QFileInfo>

namespace app {

namespace {

// Links are followed by hand, a step at a time, so that a link to a file not yet there
// (a dangling link) still names where the new file goes; canonicalFilePath would give "".
constexpr int MaxLinkSteps = 40;

QString refusal(const QString &given, const QString &why) {
    return QStringLiteral("\"%1\" %2; nothing was written there.").arg(given, why);
}

QString kindOf(const QFileInfo &info) {
    if (info.isDir())
        return QStringLiteral("is a folder");
    return QStringLiteral("is not a regular file (a device, pipe or socket)");
}

} // namespace

WriteTarget resolveWriteTarget(const QString &given) {
    QString path = QFileInfo(given).absoluteFilePath();
    for (int step = 0; step < MaxLinkSteps; ++step) {
        const QFileInfo info(path);
        if (info.isSymLink()) {
            const QString next = info.symLinkTarget();
            if (next.isEmpty())
                return {{}, refusal(given, QStringLiteral("is a link that cannot be read"))};
            path = QDir::cleanPath(next);
            continue;
        }
        if (!info.exists() || info.isFile())
            return {path, {}};
        return {{}, refusal(given, kindOf(info))};
    }
    return {{}, refusal(given, QStringLiteral("is a chain of links that does not end"))};
}

} // namespace app
