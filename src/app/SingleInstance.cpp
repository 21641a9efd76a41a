#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

namespace app {

SingleInstance::SingleInstance(const QString &lockPath) : m_lock(lockPath) {
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    m_lock.setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

bool SingleInstance::acquire() {
    return m_lock.tryLock(0);
}

} // namespace app
