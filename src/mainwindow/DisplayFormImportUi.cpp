#include "app/ScreenUnitsUi.h"
#include "eibi/ImportEibiUi.h"
#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"

namespace mainwindow {

void DisplayForm::ImportEibi_Click() {
    eibi::ImportEibiUi dialogs(this, m_services.paths.writeFolder(), [this] { reloadSchedule(); });
    eibi::ImportEibi_Click(dialogs, m_services.prompts, eibi::EibiCodes::builtIn(),
                           m_services.paths.importTarget());
}

// The file was replaced (or, installed, the listener's own now stands in for the shipped
// sample): every reader reads it again, and the grid shows the new rows with the filter, sort
// and columns the user had.
void DisplayForm::reloadSchedule() {
    const QString database = m_services.paths.database();
    app::BusyPointer busy;
    m_services.tables.forget(m_data1.databaseName());
    m_services.tables.forget(database);
    m_data1.setDatabaseName(database);
    m_data2.setDatabaseName(database);
    if (!m_data2.recordSource().isEmpty())
        m_data2.refresh();
    ReadDB(m_state.SQLStr);
    m_queryDialog->reloadLists(m_services.tables, database);
    m_languageSelector->reloadLanguages(m_services.tables, database);
    m_styledMinute.clear(); // the new rows' colours at the next tick
    m_grid->refresh();
    reportDatabaseProblem();
}

} // namespace mainwindow
