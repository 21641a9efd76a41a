#pragma once

#include "app/Paths.h"
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
    Paths paths; // where the schedule, the log and the data files are read and written
};

} // namespace app
