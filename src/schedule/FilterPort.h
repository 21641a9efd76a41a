#pragma once

#include "onair/OnAirPort.h"

namespace schedule {

// What the filters, Clear Filter and the language choice need beyond the grid: the on-air
// sequences (the window runs onair::DisplayOnAir and onair::DisableOnAir) and the companion
// windows.
class FilterPort : public virtual onair::OnAirPort {
public:
    virtual void DisplayOnAir() = 0;
    virtual void DisableOnAir() = 0;

    // Shows FrmQuery modally; returns when it is hidden (DlgCancel tells how).
    virtual void showQueryDialog() = 0;
    // Shows FrmLanguage beside the main window, without blocking it.
    virtual void showLanguageSelector() = 0;
    virtual void setLanguageSelectorText(const QString &text) = 0;
    virtual void closeSingleRecordWindow() = 0; // nothing when it is not open
};

} // namespace schedule
