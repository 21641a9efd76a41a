#pragma once

#include <QLockFile>
#include <QString>

namespace app {

// A per-user lock telling a second copy that the first one runs. A lock left by a
// process that died is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath);
    // True when this process now holds the lock.
    bool acquire();

private:
    QLockFile m_lock;
};

} // namespace app
