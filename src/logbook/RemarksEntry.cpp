#include "logbook/RemarksEntry.h"

namespace logbook {

RemarksLayout remarksLayout(bool sinpoPrompt) {
    if (sinpoPrompt)
        return {1965, true, 480, 1260, RemarksLimitWithSinpo};
    return {1545, false, 60, 840, RemarksLimit};
}

RemarksEntry::RemarksEntry(bool sinpoPrompt, QString &sinpoStr, QString &logEntry)
    : m_sinpoPrompt(sinpoPrompt), m_sinpoStr(sinpoStr), m_logEntry(logEntry),
      m_remarksLimit(remarksLayout(sinpoPrompt).remarksLimit) {
    m_sinpoStr.clear();
}

KeyOutcome RemarksEntry::sinpoKey(int key, const QString &sinpoBox) {
    if (key == KeyEscape)
        return KeyOutcome::Close;
    if (key != KeyEnter)
        return KeyOutcome::Type;
    const QString code = sinpoBox.trimmed();
    if (code.isEmpty()) {
        m_sinpoStr.clear();
        m_remarksLimit = RemarksLimit;
    } else {
        m_sinpoStr = QStringLiteral("SINPO: ") + code.left(SinpoLimit) + u' ';
        m_remarksLimit = RemarksLimitWithSinpo;
    }
    return KeyOutcome::Swallow;
}

KeyOutcome RemarksEntry::remarksKey(int key, const QString &sinpoBox, const QString &remarksBox) {
    if (key == KeyEscape) {
        if (!m_sinpoStr.isEmpty())
            appendLine(m_sinpoStr);
        return KeyOutcome::Close;
    }
    if (key != KeyEnter)
        return KeyOutcome::Type;
    // A code in the SINPO box counts only once it was confirmed with Enter.
    const QString prefix = sinpoBox.trimmed().isEmpty() ? QString() : m_sinpoStr;
    const QString line = prefix + fitRemarks(remarksBox);
    if (!line.isEmpty())
        appendLine(line);
    return KeyOutcome::Close;
}

QString RemarksEntry::fitRemarks(const QString &typed) const {
    QString oneLine = typed;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    return oneLine.left(m_remarksLimit);
}

void RemarksEntry::appendLine(const QString &line) {
    m_logEntry += QStringLiteral("\r\n") + line;
}

} // namespace logbook
