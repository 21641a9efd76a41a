#include "imports/ImportUi.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace imports {

ValidityChooser::ValidityChooser(QDate todayUtc, QWidget *parent)
    : QWidget(parent), m_day(new QDateEdit(todayUtc, this)),
      m_all(new QCheckBox(QStringLiteral("Keep every entry, whatever its dates"), this)) {
    m_day->setObjectName(QStringLiteral("ValidOn"));
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_day->setCalendarPopup(true);
    m_all->setObjectName(QStringLiteral("AllDates"));
    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("Keep the entries valid on (UTC):"), m_day);
    layout->addRow(m_all);
    connect(m_all, &QCheckBox::toggled, m_day, &QWidget::setDisabled);
}

Validity ValidityChooser::validity() const {
    return m_all->isChecked() ? Validity::all() : Validity::on(m_day->date());
}

ImportUi::ImportUi(QWidget *parent, QString startFolder, std::function<void()> reload,
                   std::function<void(const app::ScheduleRecord &)> record)
    : m_parent(parent), m_startFolder(std::move(startFolder)), m_reload(std::move(reload)),
      m_record(std::move(record)) {}

ImportUi::~ImportUi() {
    closeProgress();
}

QString ImportUi::chooseScheduleFile(fetch::Source source) {
    const QString filter = source == fetch::Source::Eibi
                               ? QStringLiteral("EiBi schedules (sked-*.csv *.csv);;All files (*)")
                               : QStringLiteral("HFCC season files (*allx2.zip *.zip *all00.txt "
                                                "*all00.TXT);;All files (*)");
    return QFileDialog::getOpenFileName(m_parent, importTitle(source), m_startFolder, filter);
}

std::optional<Validity> ImportUi::chooseValidity(const QString &file, QDate todayUtc) {
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("ImportValidity"));
    dialog.setWindowTitle(QStringLiteral("Import %1").arg(QFileInfo(file).fileName()));
    auto *chooser = new ValidityChooser(todayUtc, &dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Broadcasts whose dates do not take in the day "
                                                "are left out, so that one listed in parts of "
                                                "the season shows once."),
                                 &dialog));
    layout->addWidget(chooser);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser->validity();
}

bool ImportUi::progress(int percent, const QString &what) {
    if (!m_dialog) {
        m_dialog = new QProgressDialog(what, QStringLiteral("Cancel"), 0, 100, m_parent);
        m_dialog->setWindowTitle(QStringLiteral("Skedwise"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
    }
    m_dialog->setLabelText(what);
    m_dialog->setValue(percent);
    // The work runs in steps on this thread or beside it; the events between keep the window
    // alive.
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

void ImportUi::closeProgress() {
    if (m_dialog) { // hidden now: a message box may follow before the event loop deletes it
        m_dialog->hide();
        m_dialog->deleteLater();
    }
    m_dialog = nullptr;
}

void ImportUi::reloadDatabase() {
    if (m_reload)
        m_reload();
}

void ImportUi::recordSchedule(const app::ScheduleRecord &record) {
    if (m_record)
        m_record(record);
}

} // namespace imports
