#include "rx/Rx320Rig.h"

#include <algorithm>

namespace rx {

using namespace rx320;

Rx320Rig::Rx320Rig(QString port, double hz, const QString &mode, int filterHz, int replyTimeoutMs)
    : m_port(std::move(port)), m_replyTimeoutMs(replyTimeoutMs), m_hz(std::clamp(hz, MinHz, MaxHz)),
      m_mode(modeFromName(mode).value_or(Mode::AM)),
      m_filterHz(filterNumber(filterHz) ? filterHz : filterWidths().first()) {}

QString Rx320Rig::describe() const {
    return QStringLiteral("RX-320 on %1").arg(m_port);
}

QString Rx320Rig::noAnswer() const {
    return QStringLiteral("no receiver answers on %1").arg(m_port);
}

QStringList Rx320Rig::modes() const {
    return {QStringLiteral("AM"), QStringLiteral("LSB"), QStringLiteral("USB"),
            QStringLiteral("CW")};
}

bool Rx320Rig::open(QString &why) {
    if (!m_line.open(m_port, Baud, why))
        return false;
    RigReading probe;
    if (!read(probe, why))
        return false;
    // Mode, filter and frequency last set go out again: after a power cycle the receiver
    // forgot them.
    return setMode(modeName(m_mode), m_filterHz, why) && setVolume(m_attenuation, why);
}

bool Rx320Rig::send(const QByteArray &bytes, QString &why) {
    if (!m_line.isOpen()) {
        why = noAnswer();
        return false;
    }
    return m_line.write(bytes, why);
}

bool Rx320Rig::setFrequency(double hz, QString &why) {
    if (!send(tuneCommand(tuningFactors(hz, m_mode, m_filterHz)), why))
        return false;
    m_hz = hz;
    return true;
}

// A width of 0 asks for the mode's normal filter, as with Hamlib's rigs.
bool Rx320Rig::setMode(const QString &mode, int widthHz, QString &why) {
    const std::optional<Mode> m = modeFromName(mode);
    const int filterHz = widthHz == 0 && m ? normalFilterHz(*m) : widthHz;
    const std::optional<int> filter = filterNumber(filterHz);
    if (!m || !filter) {
        why =
            QStringLiteral("the RX-320 has no mode %1 with a %2 Hz filter").arg(mode).arg(filterHz);
        return false;
    }
    if (!send(filterCommand(*filter), why) ||
        !send(tuneCommand(tuningFactors(m_hz, *m, filterHz)), why) || !send(modeCommand(*m), why))
        return false;
    m_mode = *m;
    m_filterHz = filterHz;
    return true;
}

bool Rx320Rig::setVolume(int attenuation, QString &why) {
    return send(volumeCommand(attenuation), why);
}

bool Rx320Rig::read(RigReading &reading, QString &why) {
    if (!m_line.isOpen()) {
        why = noAnswer();
        return false;
    }
    m_line.discardInput();
    if (!m_line.write(signalRequest(), why))
        return false;
    const std::optional<int> raw =
        signalFromReply(m_line.read(SignalReplyLength, m_replyTimeoutMs));
    if (!raw) {
        why = noAnswer();
        return false;
    }
    reading.signalDb = signalDbFromRaw(*raw);
    reading.mode = modeName(m_mode);
    reading.filterHz = m_filterHz;
    return true;
}

} // namespace rx
