#pragma once

#include "export/AtomicFile.h"
#include "export/ExportTable.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QPrinter;
class QProgressDialog;
class QWidget;

namespace exporting {

// A progress dialog with a Cancel button, shown only when the work takes a while; the window
// keeps repainting while rows are written.
class ProgressDialogReporter : public ProgressReporter {
public:
    ProgressDialogReporter(QWidget *parent, QString label);
    ~ProgressDialogReporter() override;
    bool progress(qint64 done, qint64 total) override;
    void finish() override;

private:
    QWidget *m_parent;
    QString m_label;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_sinceEvents;
};

// Prints the table on the printer. A printout to a file is written beside it under a temporary
// name and renamed over it when complete: a cancelled or failed one leaves no partial file and
// an old file as it was. A failure's error says which file and why.
WriteOutcome printTable(QPrinter &printer, const ExportTable &table, const PrintFonts &fonts,
                        ProgressReporter &progress);

// Shows the print dialog (and first the page set-up dialog when asked) and prints the table on
// the chosen printer, a PDF file included.
WriteOutcome printWithDialog(QWidget *parent, const ExportTable &table, const PrintFonts &fonts,
                             bool pageSetup, ProgressReporter &progress);

// The print preview: the pages as they will print, with its own Print button (which shows the
// print dialog). Every page is laid out for the preview, so it suits smaller record sets.
void previewTable(QWidget *parent, const ExportTable &table, const PrintFonts &fonts);

} // namespace exporting
