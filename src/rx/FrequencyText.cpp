#include "rx/FrequencyText.h"

#include "receiver/ReceiverMessages.h"

#include <cmath>

namespace rx {

namespace {
constexpr int LongestFrequencyText = 16;
}

std::optional<double> parseFrequencyKHz(const QString &text, QString &why) {
    QString compact = text;
    compact.remove(u' ');
    compact.remove(u'\t');
    if (compact.isEmpty()) {
        why = QStringLiteral("the request holds no frequency");
        return std::nullopt;
    }
    if (compact.size() > LongestFrequencyText) {
        why = QStringLiteral("\"%1…\" is too long for a frequency").arg(text.left(12));
        return std::nullopt;
    }
    bool ok = false;
    const double kHz = compact.toDouble(&ok);
    if (!ok || !std::isfinite(kHz)) {
        why = QStringLiteral("\"%1\" is not a frequency").arg(text);
        return std::nullopt;
    }
    return kHz * 1000.0;
}

QString rangeProblem(double hz, double minHz, double maxHz) {
    if (hz >= minHz && hz <= maxHz)
        return {};
    return QStringLiteral("%1 kHz is outside the receiver's range %2 kHz to %3 kHz")
        .arg(QString::number(hz / 1000.0, 'g', 12), QString::number(minHz / 1000.0, 'g', 12),
             QString::number(maxHz / 1000.0, 'g', 12));
}

QString sMeterText(std::optional<int> signalDb) {
    if (!signalDb)
        return {};
    if (*signalDb > 0)
        return QStringLiteral("S9+%1").arg(*signalDb);
    const int units = 9 + static_cast<int>(std::lround(*signalDb / 6.0));
    return QStringLiteral("S%1").arg(std::max(0, units));
}

QString kHzText(double hz) {
    return QString::number(hz / 1000.0, 'f', 2);
}

QString statusPayload(const RigState &state) {
    receiver::Status status;
    status.frequencyKHz = state.hzKnown ? kHzText(state.hz) : QString();
    status.mode = state.mode;
    status.signal = sMeterText(state.signalDb);
    status.filterHz = state.filterHz > 0 ? QString::number(state.filterHz) : QString();
    return receiver::composeStatusPayload(status);
}

} // namespace rx
