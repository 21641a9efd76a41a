#pragma once

#include "app/GridPort.h"

namespace logbook {

// What the reception log needs from the main window and its windows beyond the shared grid.
class LogPort : public virtual app::GridPort {
public:
    virtual app::Clipboard &clipboard() = 0;
    virtual const app::Clock &clock() = 0;
    virtual app::FileSystem &fileSystem() = 0;
    // Where the log goes unless the listener chose a file: the listener's folder (made when
    // missing), without a trailing "/".
    virtual QString logFolder() const = 0;
    // The listener's own data folder, the second place for entries not yet written.
    virtual QString dataDir() const = 0;
    // The lookup data source Data2 on the same database.
    virtual jet::DataSource &data2() = 0;

    // Enables CmdLog(0) "Log ON" and CmdLog(1) "Log OFF".
    virtual void setLogButtons(bool logOnEnabled, bool logOffEnabled) = 0;
    // The check marks of "Prompt for SINPO" > "No" (Sinpo 0) and "Yes" (Sinpo 1).
    virtual void setSinpoChecks(bool noChecked, bool yesChecked) = 0;
    // FrmNotify with LogNotice, beside the main window, without waiting.
    virtual void showLogNotice() = 0;
    // FrmRemarks, modal; it may append CR LF and a remarks line to LogEntry.
    virtual void showRemarksDialog() = 0;
    // The receiver link's last look at the clipboard for a status reply.
    virtual void lastLookForReply() = 0;
};

} // namespace logbook
