#pragma once

#include <QString>
#include <QStringList>

namespace receiver {

inline const QString ReceiverProgramName = QStringLiteral("skedwise-rx");

// The single-copy lock skedwise-rx holds while it runs, one per user.
QString receiverLockPath();

// Where the schedule looks for the receiver program and its lock.
struct ReceiverPlaces {
    QString programDir;     // the schedule's own folder, looked in first
    QStringList searchPath; // then these, as PATH lists them
    QString lockPath;
    // The places of this process: its folder, PATH and the per-user lock.
    static ReceiverPlaces ofThisProgram(const QString &programDir);
};

// True while a copy holds the lock (a lock left by a copy that died does not count).
bool receiverProgramRunning(const QString &lockPath);
// The receiver program's full path, "" when it is in none of the places.
QString findReceiverProgram(const ReceiverPlaces &places);

struct ReceiverStart {
    enum class Outcome { Started, AlreadyRunning, NotFound, NotStarted };
    Outcome outcome = Outcome::NotFound;
    QString message; // for the listener; "" when started
};

// Starts skedwise-rx detached, without options, so that it takes its saved settings.
ReceiverStart startReceiverProgram(const ReceiverPlaces &places);

} // namespace receiver
