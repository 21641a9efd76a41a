// The main window as the export and print handlers see it: the grid's rows and columns.
#include "app/Conversions.h"
#include "export/GridPrinter.h"
#include "export/HtmlExport.h"
#include "export/PrintUi.h"
#include "mainwindow/DisplayFormPortUi.h"
#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"

#include <QPrinter>

namespace mainwindow {

int DisplayFormPort::selectedRowCount() const {
    return m_form.grid()->selectedCount();
}

int DisplayFormPort::rowCount() const {
    return m_form.grid()->rowCount();
}

QString DisplayFormPort::caption() const {
    return m_form.grid()->caption();
}

// Widths in characters as the settings keep them, so a column is as wide in the file as on
// the screen.
QList<exporting::GridColumn> DisplayFormPort::displayedColumns() const {
    const ScheduleGridWidget &grid = *m_form.grid();
    const qint16 charWidth = m_form.services().state.CharWidth;
    QList<exporting::GridColumn> columns;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const int chars =
            charWidth != 0
                ? app::roundToInt32(double(grid.columnWidthTwips(c)) / charWidth).value_or(0)
                : 0;
        columns.append({c, grid.columnFieldName(c), chars});
    }
    return columns;
}

QList<int> DisplayFormPort::rowBookmarks(exporting::RowScope scope) const {
    const ScheduleGridWidget &grid = *m_form.grid();
    if (scope == exporting::RowScope::Selected)
        return grid.selectedBookmarks();
    QList<int> bookmarks;
    bookmarks.reserve(grid.rowCount());
    for (int row = 0; row < grid.rowCount(); ++row)
        bookmarks.append(grid.bookmarkAt(row));
    return bookmarks;
}

jet::Cell DisplayFormPort::cellValue(int gridColumn, int bookmark) const {
    return m_form.grid()->cellValue(gridColumn, bookmark);
}

QString DisplayFormPort::templateFile() const {
    return m_form.services().paths.fileToRead(exporting::TemplateFileName);
}

exporting::ProgressReporter &DisplayFormPort::progress() {
    if (!m_exportProgress)
        m_exportProgress = std::make_unique<exporting::ProgressDialogReporter>(
            &m_form, QStringLiteral("Writing records…"));
    return *m_exportProgress;
}

// Without the dialog the printout goes to the default printer; page set-up comes only with
// the dialog.
void DisplayFormPort::printTable(const exporting::ExportTable &table,
                                 const exporting::PrintFonts &fonts, bool pageSetup,
                                 bool printDialog) {
    if (printDialog) {
        exporting::printWithDialog(&m_form, table, fonts, pageSetup, progress());
    } else {
        QPrinter printer(QPrinter::HighResolution);
        exporting::GridPrinter(table, fonts).print(printer, progress());
    }
    progress().finish();
}

} // namespace mainwindow
