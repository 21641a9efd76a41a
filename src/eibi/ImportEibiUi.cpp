#include "eibi/ImportEibiUi.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace eibi {

ImportEibiUi::ImportEibiUi(QWidget *parent, QString startFolder, std::function<void()> reload)
    : m_parent(parent), m_startFolder(std::move(startFolder)), m_reload(std::move(reload)) {}

ImportEibiUi::~ImportEibiUi() {
    closeProgress();
}

QString ImportEibiUi::chooseScheduleFile() {
    return QFileDialog::getOpenFileName(m_parent, QString::fromUtf16(ImportTitle), m_startFolder,
                                        QStringLiteral("EiBi schedules (sked-*.csv *.csv);;All "
                                                       "files (*)"));
}

bool ImportEibiUi::progress(int percent) {
    if (!m_dialog) {
        m_dialog = new QProgressDialog(QStringLiteral("Importing the EiBi schedule..."),
                                       QStringLiteral("Cancel"), 0, 100, m_parent);
        m_dialog->setWindowTitle(QString::fromUtf16(ImportTitle));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
    }
    m_dialog->setValue(percent);
    // The import runs in steps on this thread; the events between them keep the window alive.
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

void ImportEibiUi::closeProgress() {
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
}

void ImportEibiUi::reloadDatabase() {
    if (m_reload)
        m_reload();
}

} // namespace eibi
