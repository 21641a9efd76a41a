#pragma once

#include <QString>

// The clipboard messages between the schedule and the receiver-control program: a six-character
// code and a payload, with no separator and no line end. Both programs compose and parse them
// here, so the codes stand in one place only.
namespace receiver {

enum class MessageKind {
    None,          // any other text: left on the clipboard untouched
    TuneRequest,   // "101010" + the schedule's Freq text
    StatusRequest, // "111001", no payload
    FreqReport,    // "010101" + a frequency text, or kHz + 40000 (the forced form)
    StatusReply,   // "100001" + "freq,mode,signal,filter"
};

struct Message {
    MessageKind kind = MessageKind::None;
    QString payload;
};

inline constexpr int CodeLength = 6;
// Reports above this number carry the frequency plus this number: the schedule then switches
// to frequency order to follow it.
inline constexpr double ForcedOffsetKHz = 40000;

QString codeOf(MessageKind kind);
QString composeMessage(MessageKind kind, const QString &payload = {});
// Reads a clipboard text; kind None when it starts with no known code.
Message parseMessage(const QString &text);

// The forced frequency report payload: kHz + 40000 with one decimal ("49575.0").
QString forcedFreqPayload(double kHz);

// A status reply's fields, in the order the receiver program writes them.
struct Status {
    QString frequencyKHz; // "9575.00"
    QString mode;         // "AM", "LSB", ...
    QString signal;       // "S7", or "" when the rig reports none
    QString filterHz;     // "6000", or ""
};
QString composeStatusPayload(const Status &status);
// The text between the first and the second comma, "" when there are fewer than two commas.
QString modeOfStatus(const QString &payload);

} // namespace receiver
