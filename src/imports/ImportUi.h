#pragma once

#include "imports/ImportFlow.h"

#include <QDialog>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QCheckBox;
class QDateEdit;

namespace imports {

// The day whose entries an import keeps, or every entry: a date field and a check box.
class ValidityChooser : public QWidget {
public:
    ValidityChooser(QDate todayUtc, QWidget *parent);
    Validity validity() const;

private:
    QDateEdit *m_day;
    QCheckBox *m_all;
};

// The imports' and the update's file dialog (opening in startFolder), day dialog and progress
// dialog; the reload and the record are the main window's.
class ImportUi : public ImportPort {
public:
    ImportUi(QWidget *parent, QString startFolder, std::function<void()> reload,
             std::function<void(const app::ScheduleRecord &)> record);
    ~ImportUi() override;

    QString chooseScheduleFile(fetch::Source source) override;
    std::optional<Validity> chooseValidity(const QString &file, QDate todayUtc) override;
    bool progress(int percent, const QString &what) override;
    void closeProgress() override;
    void reloadDatabase() override;
    void recordSchedule(const app::ScheduleRecord &record) override;

private:
    QWidget *m_parent;
    QString m_startFolder;
    std::function<void()> m_reload;
    std::function<void(const app::ScheduleRecord &)> m_record;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace imports
