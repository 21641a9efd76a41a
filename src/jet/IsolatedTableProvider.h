#pragma once

#include "jet/MdbReader.h"
#include "jet/TableProvider.h"

#include <QDateTime>
#include <QHash>

namespace jet {

// Loads tables through the worker program skedwise-jetread, so that a file which makes
// libmdb crash or loop costs a few seconds and a message, never the program. Each file's
// table is loaded once and shared until the file changes on disk.
class IsolatedTableProvider : public TableProvider {
public:
    struct Limits {
        int stallMs = 3000;    // no new bytes from the worker for this long: give up
        int overallMs = 60000; // never wait longer than this for one file
    };

    explicit IsolatedTableProvider(QString workerPath);
    IsolatedTableProvider(QString workerPath, Limits limits);

    LoadOutcome table(const QString &file, const QString &tableName) override;
    void forget(const QString &file) override;

    // The message shown for a file that could not be read.
    static QString message(ReadStatus status, const QString &file, const QString &tableName);

private:
    // Failures are kept too, so that the many queries of a start-up on a damaged file wait
    // for the worker once, not once each.
    struct Cached {
        LoadOutcome outcome;
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
    };
    LoadOutcome load(const QString &file, const QString &tableName);
    static QString key(const QString &file, const QString &tableName);

    QString m_worker;
    Limits m_limits;
    QHash<QString, Cached> m_cache;
};

} // namespace jet
