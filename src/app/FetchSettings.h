#pragma once

#include "app/SettingsStore.h"

#include <QDateTime>
#include <QString>

namespace app {

// The schedule in use: where it came from and what the server said of it, so that the next
// fetch asks only for what changed.
struct ScheduleRecord {
    QString source;       // "EiBi", "HFCC"; empty when unknown
    QString season;       // "B26"
    QDateTime putInPlace; // UTC
    QString url;          // empty for a file imported by hand
    QString lastModified; // the server's Last-Modified and ETag, as sent
    QString etag;
    QString keptSpan;      // the days on which the same entries would be kept
    QString databaseStamp; // size and time of the database written, to see it replaced since
};

// The fetch's own settings section, beside "DataBase Defaults" and "Skedwise".
struct FetchSettings {
    ScheduleRecord inUse;
    QString eibiAddress; // empty: the source's own address
    QString hfccAddress;
    bool checkWeekly = false;
    QDate lastWeeklyCheck;
};

inline const QString FetchSettingsSection = QStringLiteral("Schedule Fetch");

void LoadFetchSettings(FetchSettings &fetch, SettingsStore &store);
// Written and flushed at once: a fetch is recorded as soon as it succeeds.
void SaveFetchSettings(const FetchSettings &fetch, SettingsStore &store);

// The record as key=value lines, for the file the command-line update keeps beside the database.
QByteArray recordText(const ScheduleRecord &record);
ScheduleRecord recordFromText(const QByteArray &text);

} // namespace app
