#include "rx/Tuning.h"

#include "rx/FrequencyText.h"

namespace rx {

namespace {
constexpr int WheelNotch = 120;
}

const QList<int> &TuningPanel::steps() {
    static const QList<int> list{10, 100, 500, 1000, 5000, 9000, 10000, 100000};
    return list;
}

QString TuningPanel::typed(const QString &kHzText) {
    QString why;
    const std::optional<double> hz = parseFrequencyKHz(kHzText, why);
    return hz ? tuneTo(*hz) : why;
}

QString TuningPanel::stepBy(int clicks) {
    const RigState &state = m_link.rigState();
    if (!state.hzKnown)
        return QStringLiteral("the receiver's frequency is not known yet");
    return tuneTo(state.hz + double(clicks) * m_stepHz);
}

QString TuningPanel::wheel(int angleDelta) {
    m_wheelRest += angleDelta;
    const int clicks = m_wheelRest / WheelNotch;
    m_wheelRest -= clicks * WheelNotch;
    return clicks == 0 ? QString() : stepBy(clicks);
}

QString TuningPanel::tuneTo(double hz) {
    QString why;
    m_link.userTune(hz, why);
    return why;
}

} // namespace rx
