#pragma once

#include "rx/Rig.h"
#include "rx/Rx320Protocol.h"
#include "rx/SerialLine.h"

namespace rx {

// The Ten-Tec RX-320 on a serial port. It cannot report frequency or mode, so those are the
// ones last set; its answer to the strength request tells that it is there.
class Rx320Rig : public Rig {
public:
    static constexpr int HamlibModel = 16003;
    static constexpr int Baud = 1200;
    // hz, mode and filterHz: what was last set, set again on every connect.
    Rx320Rig(QString port, double hz, const QString &mode, int filterHz, int replyTimeoutMs = 400);
    QString describe() const override;
    bool open(QString &why) override;
    void close() override { m_line.close(); }
    bool setFrequency(double hz, QString &why) override;
    bool setMode(const QString &mode, int filterHz, QString &why) override;
    bool read(RigReading &reading, QString &why) override;
    bool reportsFrequency() const override { return false; }
    std::optional<double> lastSetHz() const override { return m_hz; }
    QStringList modes() const override;
    QList<int> filters() const override { return rx320::filterWidths(); }
    double minHz() const override { return rx320::MinHz; }
    double maxHz() const override { return rx320::MaxHz; }
    // 0 loudest to 63 silent.
    bool setVolume(int attenuation, QString &why);

private:
    bool send(const QByteArray &bytes, QString &why);
    QString noAnswer() const;

    QString m_port;
    int m_replyTimeoutMs;
    SerialLine m_line;
    double m_hz;
    rx320::Mode m_mode;
    int m_filterHz;
    int m_attenuation = 20; // the receiver wakes up silent
};

} // namespace rx
