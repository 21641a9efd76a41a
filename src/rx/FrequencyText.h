#pragma once

#include "rx/Rig.h"

#include <QString>

#include <optional>

namespace rx {

// The schedule's frequency text in kHz (" 9575.0", blanks allowed) as Hz; none with the reason
// when it is not a frequency.
std::optional<double> parseFrequencyKHz(const QString &text, QString &why);
// Empty when hz lies in [minHz, maxHz], else the reason.
QString rangeProblem(double hz, double minHz, double maxHz);
// The status reply's payload: "9575.00,AM,S7,6000".
QString statusPayload(const RigState &state);
// "S7", "S9+20"; "" without a reading.
QString sMeterText(std::optional<int> signalDb);
// kHz with two decimals for the big digits ("9575.00").
QString kHzText(double hz);

} // namespace rx
