#pragma once

#include "app/GridPort.h"

namespace receiver {

// What the receiver link needs from the main window beyond the shared grid.
class LinkPort : public virtual app::GridPort {
public:
    virtual app::Clipboard &clipboard() = 0;

    // Label(0): the frequency last picked.
    virtual void setLabel0(const QString &caption) = 0;
    // The check marks of "RX320 Link" > "Enabled" (DoLink 0) and "Disabled" (DoLink 1).
    virtual void setLinkChecks(bool enabledChecked, bool disabledChecked) = 0;

    // The reception log's re-tune rule: when an entry is open, asks "Save Current Log Entry?"
    // and closes it (the log lives above this folder).
    virtual void reTuneRule() = 0;
};

} // namespace receiver
