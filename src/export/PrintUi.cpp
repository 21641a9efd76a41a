#include "export/PrintUi.h"

#include "export/GridPrinter.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryFile>

#include <cstdio>

namespace exporting {

namespace {
// Events are let through this often while rows are written, in milliseconds.
constexpr int eventInterval = 50;

// A printout to a file is written beside it under a temporary name and renamed over it when
// complete: a cancelled or failed one leaves no partial file, and an old file stays as it was.
bool printToTarget(QPrinter &printer, const ExportTable &table, const PrintFonts &fonts,
                   ProgressReporter &progress) {
    const QString target = printer.outputFileName();
    if (target.isEmpty())
        return GridPrinter(table, fonts).print(printer, progress).done;
    QTemporaryFile part(target + QStringLiteral(".XXXXXX.part"));
    if (!part.open())
        return false;
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    part.close();
    printer.setOutputFileName(part.fileName());
    const bool done = GridPrinter(table, fonts).print(printer, progress).done;
    printer.setOutputFileName(target);
    return done && std::rename(QFile::encodeName(part.fileName()).constData(),
                               QFile::encodeName(target).constData()) == 0;
}

} // namespace

ProgressDialogReporter::ProgressDialogReporter(QWidget *parent, QString label)
    : m_parent(parent), m_label(std::move(label)) {}

ProgressDialogReporter::~ProgressDialogReporter() {
    finish();
}

bool ProgressDialogReporter::progress(qint64 done, qint64 total) {
    if (!m_dialog) {
        m_dialog = new QProgressDialog(m_label, QStringLiteral("Cancel"), 0, 1000, m_parent);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(500);
        m_sinceEvents.start();
    }
    m_dialog->setValue(total > 0 ? int(done * 1000 / total) : 0);
    if (m_sinceEvents.elapsed() >= eventInterval) {
        // Until the dialog shows and blocks the window, clicks and keys wait: they would
        // re-query or re-enter while the rows are read.
        QCoreApplication::processEvents(m_dialog->isVisible() ? QEventLoop::AllEvents
                                                              : QEventLoop::ExcludeUserInputEvents);
        m_sinceEvents.restart();
    }
    return !m_dialog->wasCanceled();
}

void ProgressDialogReporter::finish() {
    delete m_dialog;
}

bool printWithDialog(QWidget *parent, const ExportTable &table, const PrintFonts &fonts,
                     bool pageSetup, ProgressReporter &progress) {
    QPrinter printer(QPrinter::HighResolution);
    if (pageSetup) {
        QPageSetupDialog setup(&printer, parent);
        if (setup.exec() != QDialog::Accepted)
            return false;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool done = printToTarget(printer, table, fonts, progress);
    progress.finish();
    return done;
}

void previewTable(QWidget *parent, const ExportTable &table, const PrintFonts &fonts) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter *target) {
                         NoProgress none;
                         GridPrinter(table, fonts).print(*target, none);
                     });
    preview.exec();
}

} // namespace exporting
