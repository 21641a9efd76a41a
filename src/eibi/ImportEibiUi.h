#pragma once

#include "eibi/ImportEibiFlow.h"

#include <QPointer>
#include <QProgressDialog>

#include <functional>

namespace eibi {

// The import's file dialog, opening in startFolder, and progress dialog; the reload is the main
// window's.
class ImportEibiUi : public ImportEibiPort {
public:
    ImportEibiUi(QWidget *parent, QString startFolder, std::function<void()> reload);
    ~ImportEibiUi() override;

    QString chooseScheduleFile() override;
    bool progress(int percent) override;
    void closeProgress() override;
    void reloadDatabase() override;

private:
    QWidget *m_parent;
    QString m_startFolder;
    std::function<void()> m_reload;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace eibi
