#pragma once

#include <QString>

// The clipboard messages between the schedule and the receiver-control program: a six-character
// code and a payload, with no separator and no line end. Both programs compose and parse them
// here, so the codes stand in one place only.
namespace receiver {

enum class MessageKind {
    None,            // any other text: left on the clipboard untouched
    TuneRequest,     // "101010" + the schedule's Freq text
    TuneModeRequest, // "101011" + the Freq text, a comma and a mode name ("9575.0,USB")
    StatusRequest,   // "111001", no payload
    FreqReport,      // "010101" + a frequency text, or kHz + 40000 (the forced form)
    StatusReply,     // "100001" + "freq,mode,signal,filter"
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

// The receiver mode for a schedule row's Mode field: D AM, U USB, L LSB, T USB, N (DRM) USB,
// C CW; anything else, or nothing, AM.
QString receiverModeOfRow(const QString &modeField);

// A "101011" payload: the frequency text before its last comma, the mode name after it.
struct TuneMode {
    QString frequency;
    QString mode; // "" when the payload has no comma
};
QString composeTuneModePayload(const QString &frequency, const QString &mode);
TuneMode parseTuneModePayload(const QString &payload);

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
// The signal, the text between the second and the third comma ("S7", "S9+20"); "" when none.
QString signalOfStatus(const QString &payload);

} // namespace receiver
