#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Expert Electronics' TCI ("Transceiver Control Interface"): text commands "name:arg,arg;"
// over a WebSocket. The server announces its device and state, then "ready;"; after that
// "vfo:0,0,HZ;" and "modulation:0,MODE;" set receiver 0 and come back whenever it changes
// (a knob turned on the radio too), and "rx_smeter:0,0;" asks for the S-meter in dBm.
namespace rx::tci {

inline constexpr int DefaultPort = 40001;

struct Command {
    QString name; // lower case
    QStringList args;
};

// The commands of one text message; names lower-cased, blanks trimmed, empty ones left out.
QList<Command> parseMessage(QStringView message);

// What the server told of itself and of receiver 0, channel 0.
struct State {
    bool ready = false;
    QString device;
    std::optional<double> hz;
    QString mode; // as the schedule knows modes: "AM", "USB", "FM", ...
    std::optional<double> dbm;
    QStringList modulations; // the server's own names, lower case; empty when not told
};

// A command from the server into the state; other receivers and channels, unknown commands
// and malformed arguments change nothing.
void apply(const Command &command, State &state);

QString frequencyCommand(double hz);
// "" when TCI has no such mode.
QString modulationCommand(const QString &mode);
inline const QString SMeterRequest = QStringLiteral("rx_smeter:0,0;");

// TCI's name of a mode ("FM" is "nfm"), and back.
QString tciMode(const QString &mode);
QString modeOfTci(const QString &tci);
QStringList offeredModes();

// dB above S9 (S9 = -73 dBm, 6 dB an S unit), as the rigs' STRENGTH level.
int signalDbOfDbm(double dbm);

} // namespace rx::tci
