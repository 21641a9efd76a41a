#pragma once

#include "app/Seams.h"
#include "export/ExportPort.h"

namespace exporting {

enum class ExportKind { Text, Html };

// One entry of the Export menu.
struct ExportEntry {
    RowScope scope;
    ExportKind kind;
    QString dialogTitle;
    QString pattern;   // also the dialog's initial name
    QString extension; // appended when its upper-case form is nowhere in the upper-cased name
};

// The entry of Export index 0..3; index must be in range.
ExportEntry exportEntry(int index);

// name with extension appended unless the upper-cased name contains it anywhere.
QString withExtension(const QString &name, const QString &extension);

// A count as Basic's Str puts it into a message: a blank for the sign before a non-negative one.
QString countText(int count);

// Export index 0 selected rows to text, 1 all rows to text, 2 selected rows to HTML, 3 all rows
// to HTML; other indices do nothing. The HTML page is filled from template.htm in the program
// folder; the local time of the clock goes into it.
void Export_Click(int Index, ExportPort &port, app::Prompts &prompts, const app::Clock &clock);

// The fonts the printout is set to: "Times New Roman" and "Arial".
PrintFonts printFonts();

// PrintData index 0 prints the selected rows, 1 all rows; other indices do nothing.
void PrintData_Click(int Index, ExportPort &port, app::Prompts &prompts);

} // namespace exporting
