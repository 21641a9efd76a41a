#pragma once

#include "app/Seams.h"

#include <QStringList>

#include <functional>

namespace logbook {

inline const QString LogHeading =
    QStringLiteral("DATE  LOG -ON -OFF  FREQ STATION              ADM LANGUAGE        MODE   kW");
inline const QString CrLf = QStringLiteral("\r\n");

// Appends entries to the log so that none is lost: an entry that cannot be written is kept and
// written, in order, ahead of the next one. Only ever appends. What is kept also stands in a
// recovery file, so that it outlives the program; the next start takes it back.
class LogWriter {
public:
    // Asks for another log file after a failure: the new full path, or "" to keep the entries.
    using ChooseOther = std::function<QString(const QString &failedPath, const QString &reason)>;

    // recoveryFiles: where kept entries may stand, the first that can be written.
    LogWriter(app::FileSystem &files, std::function<QStringList()> recoveryFiles)
        : m_files(files), m_recoveryFiles(std::move(recoveryFiles)) {}

    // Writes the pending entries and this one (each ending in CR LF), the heading first when
    // the file is missing or empty. On failure asks chooseOther until a write succeeds or it
    // answers ""; returns the path written to, or "" when the entries were kept.
    QString write(const QString &path, const QString &entry, const ChooseOther &chooseOther);
    // Writes what is kept, asking as above; "" when nothing was written.
    QString writePending(const QString &path, const ChooseOther &chooseOther);
    // Takes back the entries a recovery file holds; how many.
    int recover();

    const QStringList &pending() const { return m_pending; }
    // The recovery file the pending entries stand in, or "" with the reason in keptError.
    const QString &keptIn() const { return m_keptIn; }
    const QString &keptError() const { return m_keptError; }

private:
    bool tryWrite(const QString &path, QString &reason);
    void keepPending();

    app::FileSystem &m_files;
    std::function<QStringList()> m_recoveryFiles;
    QStringList m_pending;
    QString m_keptIn;
    QString m_keptError;
};

} // namespace logbook
