#include "logbook/LogWriter.h"

namespace logbook {

QString LogWriter::write(const QString &path, const QString &entry,
                         const ChooseOther &chooseOther) {
    m_pending.append(entry + CrLf);
    return writePending(path, chooseOther);
}

QString LogWriter::writePending(const QString &path, const ChooseOther &chooseOther) {
    QString target = path;
    while (!m_pending.isEmpty() && !target.isEmpty()) {
        QString reason;
        if (tryWrite(target, reason))
            return target;
        target = chooseOther(target, reason);
    }
    return {};
}

bool LogWriter::tryWrite(const QString &path, QString &reason) {
    const bool fresh = !m_files.exists(path) || m_files.length(path) == 0;
    const QString text = (fresh ? LogHeading + CrLf + CrLf : QString()) + m_pending.join(QString());
    if (!m_files.append(path, text, reason))
        return false;
    m_pending.clear();
    return true;
}

} // namespace logbook
