#pragma once

#include "app/Seams.h"
#include "eibi/EibiCodes.h"

namespace eibi {

// What the EiBi import needs from the program around it.
class ImportEibiPort {
public:
    virtual ~ImportEibiPort() = default;
    // The open-kind file dialog for a "sked-*.csv" file: the chosen path, "" on cancel.
    virtual QString chooseScheduleFile() = 0;
    // Shows or moves the progress dialog (0..100) and lets the window handle its events;
    // false once the user has pressed Cancel. Called often on the window's thread while the
    // import runs on a worker thread.
    virtual bool progress(int percent) = 0;
    virtual void closeProgress() = 0;
    // Reads the replaced database again and fills the grid with the current settings.
    virtual void reloadDatabase() = 0;
};

inline constexpr char16_t ImportTitle[] = u"Import EiBi Schedule";

// "Functions" > "Import EiBi Schedule…": file dialog, import with progress and cancel into
// databasePath (where the listener's schedule goes), summary, reload. Cancel or a failure
// leaves the database and the grid as they were.
void ImportEibi_Click(ImportEibiPort &port, app::Prompts &prompts, const EibiCodes &codes,
                      const QString &databasePath);

} // namespace eibi
