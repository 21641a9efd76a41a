#pragma once

#include "app/ProgramState.h"
#include "app/SettingsStore.h"

namespace app {

inline const QString SettingsApplication = QStringLiteral("RX-320_ZEPHA");
inline const QString SettingsSection = QStringLiteral("DataBase Defaults");
inline const QString SettingsVersion = QStringLiteral("1.06a");
// Settings of features beyond the 36 keys above live in a section of their own, so that the
// old section stays exactly as other programs know it and a version reset does not touch them.
inline const QString OwnSettingsSection = QStringLiteral("Skedwise");

// Screen size in twips; the window position defaults derive from it.
struct ScreenTwips {
    double width = 0;
    double height = 0;
};

// What saving needs from the windows at that moment.
class SaveContext {
public:
    virtual ~SaveContext() = default;
    virtual double formHeightTwips() const = 0;
    virtual double formWidthTwips() const = 0;
    virtual int gridColumnCount() const = 0;
    virtual double gridColumnWidthTwips(int column) const = 0;
};

// Deletes the section when the stored version differs from ours (any letter case).
void ResetStaleSettings(SettingsStore &store);

void LoadSettings(ProgramState &state, SettingsStore &store, ScreenTwips screen);
void SaveSettings(ProgramState &state, SettingsStore &store, const SaveContext &windows);

// The section of our own; LoadSettings and SaveSettings call these too.
void LoadOwnSettings(OwnSettings &own, SettingsStore &store);
void SaveOwnSettings(const OwnSettings &own, SettingsStore &store);

// ColChars from the grid's current column widths, so manual widths survive a restart.
QString columnCharsFromGrid(const ProgramState &state, const SaveContext &windows);

} // namespace app
