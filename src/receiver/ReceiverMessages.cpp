#include "receiver/ReceiverMessages.h"

#include <QHash>

#include <array>

namespace receiver {

namespace {

struct CodeEntry {
    MessageKind kind;
    const char *code;
};

constexpr std::array<CodeEntry, 5> Codes{{
    {MessageKind::TuneRequest, "101010"},
    {MessageKind::TuneModeRequest, "101011"},
    {MessageKind::StatusRequest, "111001"},
    {MessageKind::FreqReport, "010101"},
    {MessageKind::StatusReply, "100001"},
}};

// The field of a status payload after the given number of commas, "" when it has none; open
// says whether it may run to the end of the text.
QString statusField(const QString &payload, int commasBefore, bool open) {
    qsizetype start = 0;
    for (int i = 0; i < commasBefore; ++i) {
        start = payload.indexOf(u',', start);
        if (start < 0)
            return {};
        ++start;
    }
    const qsizetype end = payload.indexOf(u',', start);
    if (end < 0)
        return open ? payload.mid(start) : QString();
    return payload.mid(start, end - start);
}

} // namespace

QString codeOf(MessageKind kind) {
    for (const auto &e : Codes)
        if (e.kind == kind)
            return QString::fromLatin1(e.code);
    return {};
}

QString composeMessage(MessageKind kind, const QString &payload) {
    return codeOf(kind) + payload;
}

Message parseMessage(const QString &text) {
    for (const auto &e : Codes)
        if (text.startsWith(QLatin1String(e.code)))
            return {e.kind, text.mid(CodeLength)};
    return {};
}

QString forcedFreqPayload(double kHz) {
    return QString::number(kHz + ForcedOffsetKHz, 'f', 1);
}

QString composeStatusPayload(const Status &s) {
    return s.frequencyKHz + u',' + s.mode + u',' + s.signal + u',' + s.filterHz;
}

QString receiverModeOfRow(const QString &modeField) {
    static const QHash<QString, QString> modes{
        {QStringLiteral("D"), QStringLiteral("AM")},  {QStringLiteral("U"), QStringLiteral("USB")},
        {QStringLiteral("L"), QStringLiteral("LSB")}, {QStringLiteral("T"), QStringLiteral("USB")},
        {QStringLiteral("N"), QStringLiteral("USB")}, {QStringLiteral("C"), QStringLiteral("CW")},
    };
    return modes.value(modeField.trimmed().toUpper(), QStringLiteral("AM"));
}

QString composeTuneModePayload(const QString &frequency, const QString &mode) {
    return frequency + u',' + mode;
}

TuneMode parseTuneModePayload(const QString &payload) {
    const qsizetype comma = payload.lastIndexOf(u',');
    if (comma < 0)
        return {payload, {}};
    return {payload.left(comma), payload.mid(comma + 1)};
}

QString modeOfStatus(const QString &payload) {
    return statusField(payload, 1, false);
}

// Another receiver program may end its reply with the signal.
QString signalOfStatus(const QString &payload) {
    return statusField(payload, 2, true);
}

} // namespace receiver
