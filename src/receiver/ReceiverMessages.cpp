#include "receiver/ReceiverMessages.h"

#include <array>

namespace receiver {

namespace {

struct CodeEntry {
    MessageKind kind;
    const char *code;
};

constexpr std::array<CodeEntry, 4> Codes{{
    {MessageKind::TuneRequest, "101010"},
    {MessageKind::StatusRequest, "111001"},
    {MessageKind::FreqReport, "010101"},
    {MessageKind::StatusReply, "100001"},
}};

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

QString modeOfStatus(const QString &payload) {
    const qsizetype first = payload.indexOf(u',');
    if (first < 0)
        return {};
    const qsizetype second = payload.indexOf(u',', first + 1);
    if (second < 0)
        return {};
    return payload.mid(first + 1, second - first - 1);
}

} // namespace receiver
