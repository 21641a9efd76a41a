#pragma once

#include "app/GridPort.h"

namespace onair {

// What the on-air sequences need beyond the grid: the button's colour.
class OnAirPort : public virtual app::GridPort {
public:
    virtual void setOnAirButtonColor(int rgb24) = 0;
};

// The clock tick's view of the main window.
class ClockPort : public virtual OnAirPort {
public:
    virtual void setWindowTitle(const QString &title) = 0;
};

} // namespace onair
