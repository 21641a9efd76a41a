#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

namespace rx {

// What one read of the receiver gives.
struct RigReading {
    std::optional<double> hz; // none for receivers that cannot report their frequency
    QString mode;             // none: keep what was last set
    int filterHz = 0;
    std::optional<int> signalDb; // relative to S9, as Hamlib's STRENGTH level
};

// One receiver behind blocking calls with short timeouts; used from the rig thread only.
class Rig {
public:
    virtual ~Rig() = default;
    // "RX-320 on /dev/ttyUSB0"
    virtual QString describe() const = 0;
    // On failure why says plainly what went wrong ("no receiver answers on /dev/ttyUSB0").
    virtual bool open(QString &why) = 0;
    virtual void close() = 0;
    virtual bool setFrequency(double hz, QString &why) = 0;
    virtual bool setMode(const QString &mode, int filterHz, QString &why) = 0;
    // False when the receiver no longer answers.
    virtual bool read(RigReading &reading, QString &why) = 0;
    virtual bool reportsFrequency() const = 0;
    // For receivers that cannot report it: the frequency last set, which open() sets again.
    virtual std::optional<double> lastSetHz() const { return std::nullopt; }
    virtual QStringList modes() const = 0;
    virtual QList<int> filters() const = 0;
    virtual double minHz() const = 0;
    virtual double maxHz() const = 0;
};

// What the window and the clipboard side know of the receiver.
struct RigState {
    bool connected = false;
    QString line; // the connection line: what is connected, or why not
    bool hzKnown = false;
    double hz = 0;
    bool hzFromRig = false; // false: the last frequency set, the receiver cannot tell
    QString mode;
    int filterHz = 0;
    std::optional<int> signalDb;
    double minHz = 0;
    double maxHz = 0;
    QStringList modes;
    QList<int> filters;
};

} // namespace rx

Q_DECLARE_METATYPE(rx::RigState)
