#include "app/FetchSettings.h"

#include "app/Settings.h"

#include <QList>

namespace app {

namespace {

const QString Iso = QStringLiteral("yyyy-MM-ddTHH:mm:ssZ");

// The record's keys and members, one list for the settings section and the file.
template <typename Record, typename Visit> void eachField(Record &r, Visit visit) {
    visit("Source", r.source);
    visit("Season", r.season);
    visit("Url", r.url);
    visit("LastModified", r.lastModified);
    visit("ETag", r.etag);
    visit("KeptDates", r.keptSpan);
    visit("DatabaseStamp", r.databaseStamp);
}

QString timeText(const QDateTime &t) {
    return t.isValid() ? t.toUTC().toString(Iso) : QString();
}

QDateTime timeFrom(const QString &text) {
    const QDateTime t = QDateTime::fromString(text, Iso);
    return t.isValid() ? QDateTime(t.date(), t.time(), Qt::UTC) : QDateTime();
}

} // namespace

void LoadFetchSettings(FetchSettings &f, SettingsStore &store) {
    const auto read = [&](const char *key, const QString &def = {}) {
        return store.read(SettingsApplication, FetchSettingsSection, QString::fromLatin1(key), def);
    };
    eachField(f.inUse, [&](const char *key, QString &v) { v = read(key); });
    f.inUse.putInPlace = timeFrom(read("PutInPlace"));
    f.eibiAddress = read("EibiAddress");
    f.hfccAddress = read("HfccAddress");
    f.checkWeekly = read("CheckWeekly", QStringLiteral("False")) == u"True";
    f.lastWeeklyCheck = QDate::fromString(read("LastWeeklyCheck"), Qt::ISODate);
}

void SaveFetchSettings(const FetchSettings &f, SettingsStore &store) {
    const auto write = [&](const char *key, const QString &v) {
        store.write(SettingsApplication, FetchSettingsSection, QString::fromLatin1(key), v);
    };
    eachField(f.inUse, [&](const char *key, const QString &v) { write(key, v); });
    write("PutInPlace", timeText(f.inUse.putInPlace));
    write("EibiAddress", f.eibiAddress);
    write("HfccAddress", f.hfccAddress);
    write("CheckWeekly", f.checkWeekly ? QStringLiteral("True") : QStringLiteral("False"));
    write("LastWeeklyCheck", f.lastWeeklyCheck.toString(Qt::ISODate));
    store.flush();
}

QByteArray recordText(const ScheduleRecord &record) {
    QByteArray text;
    const auto line = [&](const char *key, const QString &v) {
        text += QByteArray(key) + '=' + v.toUtf8() + '\n';
    };
    eachField(record, line);
    line("PutInPlace", timeText(record.putInPlace));
    return text;
}

ScheduleRecord recordFromText(const QByteArray &text) {
    ScheduleRecord record;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(line.mid(eq + 1)).trimmed();
        if (eq <= 0)
            continue;
        if (key == "PutInPlace")
            record.putInPlace = timeFrom(value);
        eachField(record, [&](const char *name, QString &v) {
            if (key == name)
                v = value;
        });
    }
    return record;
}

} // namespace app
