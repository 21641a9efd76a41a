#pragma once

#include "app/Seams.h"
#include "app/SettingsStore.h"

#include <QMap>
#include <QStringList>

namespace testsupport {

struct FixedClock : app::Clock {
    QDateTime now;
    QDateTime localNow() const override { return now; }
};

// A clipboard that starts with something left over, as a real one may. Assigning content
// stands for a text another program wrote.
// With reading set, a change is still being read and text() is what was there before.
struct FakeClipboard : app::Clipboard {
    QString content = QStringLiteral("left over");
    bool reading = false;
    void writtenByOtherProgram(const QString &text) { content = text; }
    void clear() override { content.clear(); }
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }
    bool settled() const override { return !reading; }
};

// Settings kept in memory, keys matched without regard to letter case.
struct MemoryStore : app::SettingsStore {
    QMap<QString, QString> values;
    QString read(const QString &, const QString &, const QString &key,
                 const QString &defaultText) override {
        return values.value(key.toLower(), defaultText);
    }
    void write(const QString &, const QString &, const QString &key, const QString &t) override {
        values[key.toLower()] = t;
    }
    void deleteSection(const QString &, const QString &) override { values.clear(); }
    void flush() override {}
};

// Files in memory; failNext makes the next appends fail with that reason, as a full disk
// would; nothing can be written in a folder of readOnly.
struct FakeFileSystem : app::FileSystem {
    QMap<QString, QString> files;
    QStringList failNext;
    QStringList readOnly;
    bool exists(const QString &path) const override { return files.contains(path); }
    qint64 length(const QString &path) const override { return files.value(path).toUtf8().size(); }
    bool append(const QString &path, const QString &text, QString &error) override {
        if (!failNext.isEmpty() || refused(path, error)) {
            error = failNext.isEmpty() ? error : failNext.takeFirst();
            return false;
        }
        files[path] += text;
        return true;
    }
    bool replace(const QString &path, const QString &text, QString &error) override {
        if (refused(path, error))
            return false;
        files[path] = text;
        return true;
    }
    std::optional<QString> read(const QString &path) const override {
        return files.contains(path) ? std::optional<QString>(files.value(path)) : std::nullopt;
    }
    void remove(const QString &path) override { files.remove(path); }
    bool refused(const QString &path, QString &error) const {
        for (const QString &folder : readOnly)
            if (path.startsWith(folder + '/')) {
                error = "Read-only file system";
                return true;
            }
        return false;
    }
};

} // namespace testsupport
