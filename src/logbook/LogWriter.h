#pragma once

#include "app/Seams.h"

#include <QStringList>

#include <functional>

namespace logbook {

inline const QString LogHeading =
    QStringLiteral("DATE  LOG -ON -OFF  FREQ STATION              ADM LANGUAGE        MODE   kW");
inline const QString CrLf = QStringLiteral("\r\n");

// Appends entries to the log so that none is lost: an entry that cannot be written is kept and
// written, in order, ahead of the next one. Only ever appends.
class LogWriter {
public:
    // Asks for another log file after a failure: the new full path, or "" to keep the entries.
    using ChooseOther = std::function<QString(const QString &failedPath, const QString &reason)>;

    explicit LogWriter(app::FileSystem &files) : m_files(files) {}

    // Writes the pending entries and this one (each ending in CR LF), the heading first when
    // the file is missing or empty. On failure asks chooseOther until a write succeeds or it
    // answers ""; returns the path written to, or "" when the entries were kept.
    QString write(const QString &path, const QString &entry, const ChooseOther &chooseOther);
    // Writes what is kept, asking as above; "" when nothing was written.
    QString writePending(const QString &path, const ChooseOther &chooseOther);

    const QStringList &pending() const { return m_pending; }

private:
    bool tryWrite(const QString &path, QString &reason);

    app::FileSystem &m_files;
    QStringList m_pending;
};

} // namespace logbook
