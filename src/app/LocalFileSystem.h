#pragma once

#include "app/Seams.h"

namespace app {

// The machine's own files. Every write goes where resolveWriteTarget says.
class LocalFileSystem : public FileSystem {
public:
    bool exists(const QString &path) const override;
    qint64 length(const QString &path) const override;
    bool append(const QString &path, const QString &text, QString &error) override;
    bool replace(const QString &path, const QString &text, QString &error) override;
    std::optional<QString> read(const QString &path) const override;
    void remove(const QString &path) override;
};

} // namespace app
