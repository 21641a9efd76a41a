#include "receiver/ReceiverProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

namespace receiver {

QString receiverLockPath() {
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
           QStringLiteral("/skedwise-rx-%1.lock").arg(QString::fromLocal8Bit(qgetenv("USER")));
}

ReceiverPlaces ReceiverPlaces::ofThisProgram(const QString &programDir) {
    return {programDir, QString::fromLocal8Bit(qgetenv("PATH")).split(u':', Qt::SkipEmptyParts),
            receiverLockPath()};
}

bool receiverProgramRunning(const QString &lockPath) {
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0); // as skedwise-rx: only a dead owner makes it stale
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

QString findReceiverProgram(const ReceiverPlaces &places) {
    const QFileInfo own(QDir(places.programDir).filePath(ReceiverProgramName));
    if (own.isFile() && own.isExecutable())
        return own.absoluteFilePath();
    if (places.searchPath.isEmpty())
        return {};
    return QStandardPaths::findExecutable(ReceiverProgramName, places.searchPath);
}

ReceiverStart startReceiverProgram(const ReceiverPlaces &places) {
    using Outcome = ReceiverStart::Outcome;
    if (receiverProgramRunning(places.lockPath))
        return {Outcome::AlreadyRunning,
                QStringLiteral("The receiver program (skedwise-rx) is already running.")};
    const QString program = findReceiverProgram(places);
    if (program.isEmpty())
        return {Outcome::NotFound,
                QStringLiteral("The receiver program skedwise-rx was not found. Looked in the "
                               "program's folder %1 and in the folders of PATH (%2).")
                    .arg(QDir::toNativeSeparators(places.programDir),
                         places.searchPath.isEmpty() ? QStringLiteral("none")
                                                     : places.searchPath.join(u':'))};
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    if (!process.startDetached())
        return {Outcome::NotStarted,
                QStringLiteral("The receiver program %1 could not be "
                               "started: %2")
                    .arg(QDir::toNativeSeparators(program), process.errorString())};
    return {Outcome::Started, {}};
}

} // namespace receiver
