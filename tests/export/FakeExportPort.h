#pragma once

#include "export/ExportPort.h"
#include "export/ExportTable.h"

#include <QVector>

#include <functional>

namespace testsupport {

// A grid for the export handlers: columns as shown, rows by bookmark, the grid's order and
// selection as bookmark lists. Printouts are recorded, not printed.
struct FakeExportPort : exporting::ExportPort {
    struct Printout {
        QString caption;
        int rows = 0;
        QStringList firstRow;
        exporting::PrintFonts fonts;
        bool pageSetup = false;
        bool printDialog = false;
    };

    QList<exporting::GridColumn> columns;
    QVector<QVector<jet::Cell>> rows; // by bookmark, one cell per grid column
    QList<int> order;                 // all rows in the grid's order
    QList<int> selected;              // selected rows in the grid's order
    QString gridCaption;
    QString folder;
    int rowCountOverride = -1; // a row count without rows behind it, for the questions only
    QList<Printout> printouts;
    exporting::NoProgress noProgress;
    exporting::ProgressReporter *reporter = &noProgress;

    int selectedRowCount() const override { return int(selected.size()); }
    int rowCount() const override {
        return rowCountOverride >= 0 ? rowCountOverride : int(order.size());
    }
    QString caption() const override { return gridCaption; }
    QList<exporting::GridColumn> displayedColumns() const override { return columns; }
    QList<int> rowBookmarks(exporting::RowScope scope) const override {
        return scope == exporting::RowScope::All ? order : selected;
    }
    jet::Cell cellValue(int gridColumn, int bookmark) const override {
        return rows.value(bookmark).value(gridColumn);
    }
    QString templateFile() const override { return folder + "/template.htm"; }
    exporting::ProgressReporter &progress() override { return *reporter; }
    void printTable(const exporting::ExportTable &table, const exporting::PrintFonts &fonts,
                    bool pageSetup, bool printDialog) override {
        QStringList first;
        for (int c = 0; c < table.columnCount() && table.rowCount() > 0; ++c)
            first << table.text(0, c);
        printouts << Printout{table.caption(), table.rowCount(), first,
                              fonts,           pageSetup,        printDialog};
    }
};

// A reporter that runs a check at every report and cancels from the given report on.
struct ScriptedProgress : exporting::ProgressReporter {
    int cancelAt = -1; // report number that cancels; -1 never
    int reports = 0;
    int finished = 0;
    std::function<void()> onReport;
    bool progress(qint64, qint64) override {
        if (onReport)
            onReport();
        return cancelAt < 0 || reports++ < cancelAt;
    }
    void finish() override { ++finished; }
};

} // namespace testsupport
