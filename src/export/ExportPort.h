#pragma once

#include "jet/Cell.h"

#include <QList>
#include <QString>

namespace exporting {

// Which rows an export or a printout takes.
enum class RowScope { Selected, All };

// One grid column as the grid shows it: its index among the grid's columns (the index
// cellValue takes), its field name and its width in characters.
struct GridColumn {
    int gridColumn = 0;
    QString fieldName;
    int widthChars = 0;
};

// Progress of a long export or printout. The reporter may let the window repaint in between.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    // done of total rows written; false when the user cancelled.
    virtual bool progress(qint64 done, qint64 total) = 0;
    // The work is over (finished, failed or cancelled).
    virtual void finish() = 0;
};

// Reports nothing and never cancels.
class NoProgress : public ProgressReporter {
public:
    bool progress(qint64, qint64) override { return true; }
    void finish() override {}
};

// The two fonts of a printout: caption, headings and page numbers; rows.
struct PrintFonts {
    QString headingFont;
    QString rowFont;
};

class ExportTable;

// What the export and print handlers need from the main window's grid.
class ExportPort {
public:
    virtual ~ExportPort() = default;

    virtual int selectedRowCount() const = 0;
    virtual int rowCount() const = 0;
    virtual QString caption() const = 0;
    // The grid's columns left to right as shown, hidden ones (width 0) included.
    virtual QList<GridColumn> displayedColumns() const = 0;
    // Bookmarks of the selected rows or of all rows, in the grid's current order.
    virtual QList<int> rowBookmarks(RowScope scope) const = 0;
    virtual jet::Cell cellValue(int gridColumn, int bookmark) const = 0;
    // The template.htm to read: the listener's own, else the one shipped with the program.
    virtual QString templateFile() const = 0;
    virtual ProgressReporter &progress() = 0;
    // Prints the table with the fonts: the print dialog when asked (the printout starts only
    // when it is accepted), the page set-up dialog when asked.
    virtual void printTable(const ExportTable &table, const PrintFonts &fonts, bool pageSetup,
                            bool printDialog) = 0;
};

} // namespace exporting
