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
struct FakeClipboard : app::Clipboard {
    QString content = QStringLiteral("left over");
    void writtenByOtherProgram(const QString &text) { content = text; }
    void clear() override { content.clear(); }
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }
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

// Files in memory; failNext makes the next appends fail with that reason, as a full disk or a
// read-only folder would.
struct FakeFileSystem : app::FileSystem {
    QMap<QString, QString> files;
    QStringList failNext;
    bool exists(const QString &path) const override { return files.contains(path); }
    qint64 length(const QString &path) const override { return files.value(path).toUtf8().size(); }
    bool append(const QString &path, const QString &text, QString &error) override {
        if (!failNext.isEmpty()) {
            error = failNext.takeFirst();
            return false;
        }
        files[path] += text;
        return true;
    }
};

} // namespace testsupport
