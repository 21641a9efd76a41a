#include "fetch/FetchState.h"

#include "app/WriteTarget.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fetch {

QString databaseStamp(const QString &databasePath) {
    const QFileInfo info(app::resolveWriteTarget(databasePath).path);
    if (!info.exists())
        return {};
    return QStringLiteral("%1@%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
}

QString stateFileFor(const QString &databasePath) {
    return databasePath + QStringLiteral(".fetch");
}

app::ScheduleRecord readState(const QString &databasePath) {
    QFile f(stateFileFor(databasePath));
    return f.open(QIODevice::ReadOnly) ? app::recordFromText(f.readAll()) : app::ScheduleRecord{};
}

bool writeState(const QString &databasePath, const app::ScheduleRecord &record, QString *error) {
    const app::WriteTarget target = app::resolveWriteTarget(stateFileFor(databasePath));
    if (!target.ok()) {
        *error = target.error;
        return false;
    }
    QSaveFile f(target.path);
    const QByteArray text = app::recordText(record);
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return true;
    *error = QStringLiteral("%1 cannot be written: %2").arg(target.path, f.errorString());
    return false;
}

} // namespace fetch
