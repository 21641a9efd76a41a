#pragma once

// For window tests only: it needs the print dialog.
#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTimer>

namespace testsupport {

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
