#include "export/PrintUi.h"

#include "app/WriteTarget.h"
#include "export/AtomicFile.h"
#include "export/GridPrinter.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace exporting {

namespace {
// Events are let through this often while rows are written, in milliseconds.
constexpr int eventInterval = 50;

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

WriteOutcome printTable(QPrinter &printer, const ExportTable &table, const PrintFonts &fonts,
                        ProgressReporter &progress) {
    const WriteOutcome cancelled{WriteOutcome::Status::Cancelled, {}};
    const QString given = printer.outputFileName();
    if (given.isEmpty())
        return GridPrinter(table, fonts).print(printer, progress).done ? WriteOutcome{} : cancelled;
    const auto failed = [&](const QString &why) {
        return WriteOutcome{WriteOutcome::Status::Failed, writeFailureText(given, why)};
    };
    const app::WriteTarget target = app::resolveWriteTarget(given);
    if (!target.ok())
        return failed(target.error);
    QTemporaryFile part(target.path + QStringLiteral(".XXXXXX.part"));
    if (!part.open())
        return failed(part.errorString());
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    part.close();
    printer.setOutputFileName(part.fileName());
    const bool done = GridPrinter(table, fonts).print(printer, progress).done;
    printer.setOutputFileName(given);
    if (!done)
        return cancelled;
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(target.path).constData()) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}

WriteOutcome printWithDialog(QWidget *parent, const ExportTable &table, const PrintFonts &fonts,
                             bool pageSetup, ProgressReporter &progress) {
    const WriteOutcome cancelled{WriteOutcome::Status::Cancelled, {}};
    QPrinter printer(QPrinter::HighResolution);
    if (pageSetup) {
        QPageSetupDialog setup(&printer, parent);
        if (setup.exec() != QDialog::Accepted)
            return cancelled;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return cancelled;
    const WriteOutcome outcome = printTable(printer, table, fonts, progress);
    progress.finish();
    return outcome;
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
