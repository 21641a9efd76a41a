#pragma once

#include <QString>

namespace app {

// Every grid caption starts with this (three blanks after the name).
inline const QString CaptionPrefix = QStringLiteral("VAZOdariDATA   ");

} // namespace app
