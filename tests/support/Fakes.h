#pragma once

#include "app/Seams.h"
#include "app/SettingsStore.h"

#include <QMap>

namespace testsupport {

struct FixedClock : app::Clock {
    QDateTime now;
    QDateTime localNow() const override { return now; }
};

// A clipboard that starts with something left over, as a real one may.
struct FakeClipboard : app::Clipboard {
    QString content = QStringLiteral("left over");
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

} // namespace testsupport
