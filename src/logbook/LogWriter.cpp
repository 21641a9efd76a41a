#include "logbook/LogWriter.h"

#include <QRegularExpression>

namespace logbook {

namespace {

// An entry's line starts with its date and time, "24/05/17 0130 "; a remarks line follows it.
QStringList entriesOf(const QString &text) {
    static const QRegularExpression entryStart(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d \\d{4} "));
    QStringList entries;
    for (const QString &line : text.split(CrLf, Qt::SkipEmptyParts)) {
        if (entries.isEmpty() || entryStart.match(line).hasMatch())
            entries.append(QString());
        entries.last() += line + CrLf;
    }
    return entries;
}

} // namespace

QString LogWriter::write(const QString &path, const QString &entry,
                         const ChooseOther &chooseOther) {
    m_pending.append(entry + CrLf);
    return writePending(path, chooseOther);
}

QString LogWriter::writePending(const QString &path, const ChooseOther &chooseOther) {
    QString written;
    QString target = path;
    while (!m_pending.isEmpty() && !target.isEmpty()) {
        QString reason;
        if (tryWrite(target, reason)) {
            written = target;
            break;
        }
        keepPending(); // before the question, so that nothing hangs on the answer
        target = chooseOther(target, reason);
    }
    keepPending();
    return written;
}

bool LogWriter::tryWrite(const QString &path, QString &reason) {
    const bool fresh = !m_files.exists(path) || m_files.length(path) == 0;
    const QString text = (fresh ? LogHeading + CrLf + CrLf : QString()) + m_pending.join(QString());
    if (!m_files.append(path, text, reason))
        return false;
    m_pending.clear();
    return true;
}

int LogWriter::recover() {
    int count = 0;
    for (const QString &file : m_recoveryFiles()) {
        const QStringList entries = entriesOf(m_files.read(file).value_or(QString()));
        m_pending += entries;
        count += int(entries.size());
    }
    return count;
}

void LogWriter::keepPending() {
    const QStringList files = m_recoveryFiles();
    QString keptIn;
    if (!m_pending.isEmpty()) {
        for (const QString &file : files)
            if (m_files.replace(file, m_pending.join(QString()), m_keptError)) {
                keptIn = file;
                break;
            }
    }
    // One place only, or the next start would take them back twice.
    for (const QString &file : files)
        if (file != keptIn && m_files.exists(file))
            m_files.remove(file);
    m_keptIn = keptIn;
}

} // namespace logbook
