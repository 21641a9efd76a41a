#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The RX-320's serial command set (1200 baud, 8N1). Commands are binary and may hold zero
// bytes, so they are kept as byte arrays with their exact length, never as C strings.
namespace rx::rx320 {

enum class Mode : char { AM = '0', USB = '1', LSB = '2', CW = '3' };

struct TuningFactors {
    int coarse = 0; // 16 bits
    int fine = 0;   // 16 bits
    int bfo = 0;    // 16 bits
};

inline constexpr int CwBfoHz = 1000;
inline constexpr double MinHz = 100e3;
inline constexpr double MaxHz = 30e6;

// The filter widths in Hz in the receiver's own order: the position is the filter number.
const QList<int> &filterWidths();
std::optional<int> filterNumber(int widthHz);
// The filter a mode set without a width gets: 6 kHz for AM, 2.4 kHz for SSB, 600 Hz for CW.
int normalFilterHz(Mode mode);
std::optional<Mode> modeFromName(const QString &name);
QString modeName(Mode mode);

TuningFactors tuningFactors(double hz, Mode mode, int filterHz);
QByteArray tuneCommand(const TuningFactors &factors); // "N" + 6 bytes + CR
QByteArray modeCommand(Mode mode);                    // "M" + mode + CR
QByteArray filterCommand(int filterNumber);           // "W" + number + CR
QByteArray volumeCommand(int attenuation);            // "C" + 0 + 0..63 (0 loudest) + CR
QByteArray signalRequest();                           // "X" + CR
// "X" + high + low; the receiver's reference adds a CR, Hamlib's backend reads none, so the
// CR is not waited for (a late one is dropped before the next request).
inline constexpr int SignalReplyLength = 3;
// The raw strength from a reply, with or without its CR; none when the bytes are not one.
std::optional<int> signalFromReply(const QByteArray &reply);
// An approximate calibration of the raw strength as dB over S9.
int signalDbFromRaw(int raw);

} // namespace rx::rx320
