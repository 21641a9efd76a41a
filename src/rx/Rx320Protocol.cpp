#include "rx/Rx320Protocol.h"

#include <cmath>

namespace rx::rx320 {

namespace {

constexpr char CR = '\r';

void appendWord(QByteArray &bytes, int word) {
    bytes.append(static_cast<char>((word >> 8) & 0xff));
    bytes.append(static_cast<char>(word & 0xff));
}

// Sideband correction: the passband sits beside the carrier in SSB and CW.
int modeCorrection(Mode mode) {
    switch (mode) {
    case Mode::USB:
        return 1;
    case Mode::LSB:
    case Mode::CW:
        return -1;
    case Mode::AM:
        break;
    }
    return 0;
}

} // namespace

const QList<int> &filterWidths() {
    static const QList<int> widths{6000, 5700, 5400, 5100, 4800, 4500, 4200, 3900, 3600,
                                   3300, 3000, 2850, 2700, 2550, 2400, 2250, 2100, 1950,
                                   1800, 1650, 1500, 1350, 1200, 1050, 900,  750,  675,
                                   600,  525,  450,  375,  330,  300,  8000};
    return widths;
}

std::optional<int> filterNumber(int widthHz) {
    const qsizetype at = filterWidths().indexOf(widthHz);
    if (at < 0)
        return std::nullopt;
    return static_cast<int>(at);
}

int normalFilterHz(Mode mode) {
    switch (mode) {
    case Mode::USB:
    case Mode::LSB:
        return 2400;
    case Mode::CW:
        return 600;
    default:
        return 6000;
    }
}

std::optional<Mode> modeFromName(const QString &name) {
    for (Mode m : {Mode::AM, Mode::USB, Mode::LSB, Mode::CW})
        if (modeName(m).compare(name, Qt::CaseInsensitive) == 0)
            return m;
    return std::nullopt;
}

QString modeName(Mode mode) {
    switch (mode) {
    case Mode::USB:
        return QStringLiteral("USB");
    case Mode::LSB:
        return QStringLiteral("LSB");
    case Mode::CW:
        return QStringLiteral("CW");
    case Mode::AM:
        break;
    }
    return QStringLiteral("AM");
}

TuningFactors tuningFactors(double hz, Mode mode, int filterHz) {
    const int passbandOffset = mode == Mode::CW ? 0 : filterHz / 2 + 200;
    const int bfoOffset = mode == Mode::CW ? CwBfoHz : 0;
    const int adjusted =
        static_cast<int>(std::llround(hz)) - 1250 + modeCorrection(mode) * passbandOffset;
    TuningFactors f;
    f.coarse = adjusted / 2500 + 18000;
    // x 5.46 and x 2.73 in whole numbers: a float product like 11200 * 2.73 may land a hair
    // below the integer and lose one step when cut.
    f.fine = (adjusted % 2500) * 546 / 100;
    f.bfo = (passbandOffset + bfoOffset + 8000) * 273 / 100;
    return f;
}

QByteArray tuneCommand(const TuningFactors &factors) {
    QByteArray bytes("N");
    appendWord(bytes, factors.coarse);
    appendWord(bytes, factors.fine);
    appendWord(bytes, factors.bfo);
    bytes.append(CR);
    return bytes;
}

QByteArray modeCommand(Mode mode) {
    return QByteArray("M") + static_cast<char>(mode) + CR;
}

QByteArray filterCommand(int number) {
    return QByteArray("W") + static_cast<char>(number) + CR;
}

QByteArray volumeCommand(int attenuation) {
    QByteArray bytes("C");
    appendWord(bytes, std::clamp(attenuation, 0, 63));
    bytes.append(CR);
    return bytes;
}

QByteArray signalRequest() {
    return QByteArray("X\r", 2);
}

std::optional<int> signalFromReply(const QByteArray &reply) {
    const bool withCr = reply.size() == SignalReplyLength + 1 && reply.at(SignalReplyLength) == CR;
    if ((reply.size() != SignalReplyLength && !withCr) || reply.at(0) != 'X')
        return std::nullopt;
    return (static_cast<unsigned char>(reply.at(1)) << 8) | static_cast<unsigned char>(reply.at(2));
}

int signalDbFromRaw(int raw) {
    // About 6 dB per S unit; S9 near a raw reading of 7000 on the unit this was set against.
    if (raw <= 0)
        return -54;
    return static_cast<int>(std::lround(20.0 * std::log10(raw / 7000.0)));
}

} // namespace rx::rx320
