#pragma once

#include "rx/Rig.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace rx {

// The receiver chosen: Hamlib's model number (16003 the RX-320, driven here), port or
// "host:port" for rigctld, and the serial speed.
struct RigChoice {
    int model = 1;
    QString port;
    int speed = 0;
};

RigChoice loadChoice(QSettings &settings);
void saveChoice(QSettings &settings, const RigChoice &choice);

// What was last set on a receiver that cannot report it, set again when it connects.
struct LastSet {
    double hz = 10e6;
    QString mode = QStringLiteral("AM");
    int filterHz = 6000;
};
LastSet loadLastSet(QSettings &settings);
// Keeps what a receiver that cannot report its frequency was last set to.
void keepLastSet(QSettings &settings, const RigState &state);

// Hamlib's own options: -m MODEL, -r PATH|HOST:PORT, -s SPEED. Given ones replace the saved
// ones for this run. False with the reason (or the help text, with help set) otherwise.
struct CommandLine {
    RigChoice choice;
    bool help = false;
    QString text; // the help text or the error
};
CommandLine parseCommandLine(const QStringList &arguments, const RigChoice &saved);

std::unique_ptr<Rig> makeRig(const RigChoice &choice, const LastSet &lastSet = {});

} // namespace rx
