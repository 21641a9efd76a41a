#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "app/SettingsStore.h"
#include "jet/TableProvider.h"

namespace app {

// Everything the windows need from outside, passed in at start.
struct Services {
    ProgramState &state;
    SettingsStore &store;
    Prompts &prompts;
    const Clock &clock;
    Clipboard &clipboard;
    jet::TableProvider &tables;
    QString programDir; // the folder of the program: ILGDATA.MDB and the data files

    QString programFile(const QString &name) const { return programDir + u'/' + name; }
};

} // namespace app
