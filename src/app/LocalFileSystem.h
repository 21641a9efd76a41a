#pragma once

#include "app/Seams.h"

namespace app {

// The machine's own files.
class LocalFileSystem : public FileSystem {
public:
    bool exists(const QString &path) const override;
    qint64 length(const QString &path) const override;
    bool append(const QString &path, const QString &text, QString &error) override;
};

} // namespace app
