#pragma once

// For window tests only: it needs the print dialog.
#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QTimer>

namespace testsupport {

// A program's standard output, or "(program did not finish)".
inline QString run(const QString &program, const QStringList &arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000))
        return "(" + program + " did not finish)";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Fills the print dialog with a PDF file once it is open, then prints.
inline void printToFileWhenAsked(const QString &pdf, bool &asked) {
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, pdf, &asked, waited = 0]() mutable {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog || ++waited < 5) // a few turns of the dialog's loop go by first
            return;
        asked = true;
        if (auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
            file->setText(pdf);
        dialog->accept();
        poll->deleteLater();
    });
    poll->start(20);
}

} // namespace testsupport
