#include "logbook/RemarksEntry.h"

#include <QRegularExpression>

#include <algorithm>

namespace logbook {

RemarksLayout remarksLayout(bool sinpoPrompt) {
    if (sinpoPrompt)
        return {1965, true, 480, 1260, RemarksLimitWithSinpo};
    return {1545, false, 60, 840, RemarksLimit};
}

int sinpoSignalDigit(const QString &meter) {
    static const QRegularExpression reading(QStringLiteral("^S([0-9])(\\+[0-9]{1,3})?$"));
    const QRegularExpressionMatch match = reading.match(meter.trimmed());
    if (!match.hasMatch())
        return 0;
    const int units = match.captured(1).toInt();
    if (!match.captured(2).isEmpty())
        return units == 9 ? 5 : 0; // only S9 reads on above itself
    return units < 3 ? 1 : std::min(5, (units + 1) / 2);
}

RemarksEntry::RemarksEntry(bool sinpoPrompt, QString &sinpoStr, QString &logEntry,
                           const QString &meter)
    : m_sinpoPrompt(sinpoPrompt), m_meter(sinpoSignalDigit(meter) ? meter.trimmed() : QString()),
      m_sinpoStr(sinpoStr), m_logEntry(logEntry),
      m_remarksLimit(remarksLayout(sinpoPrompt).remarksLimit) {
    m_sinpoStr.clear();
}

QString RemarksEntry::sinpoStart() const {
    return m_sinpoPrompt && !m_meter.isEmpty() ? QString::number(sinpoSignalDigit(m_meter))
                                               : QString();
}

QString RemarksEntry::hintLine() const {
    const QString keys = QStringLiteral("ESC to cancel    Enter to Accept");
    return m_meter.isEmpty() ? keys : keys + QStringLiteral("    Meter: ") + m_meter;
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
