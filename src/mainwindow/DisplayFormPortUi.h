#pragma once

#include "app/ScreenUnitsUi.h"
#include "export/ExportPort.h"
#include "logbook/LogPort.h"
#include "mainwindow/DisplayOptionsPort.h"
#include "mainwindow/FieldSelection.h"
#include "receiver/LinkPort.h"
#include "schedule/FilterPort.h"
#include "schedule/GridEvents.h"

#include <memory>
#include <optional>

namespace schedule {
class QueryDialog;
class LanguageSelectorWindow;
} // namespace schedule

namespace mainwindow {

class DisplayForm;

// The main window as every subsystem's port sees it: the grid port and the on-air, clock and
// filter ports. A new subsystem's port derives virtually from app::GridPort and is added here.
class DisplayFormPort : public schedule::FilterPort,
                        public onair::ClockPort,
                        public schedule::SortPort,
                        public FieldSelectionPort,
                        public DisplayOptionsPort,
                        public receiver::LinkPort,
                        public logbook::LogPort,
                        public exporting::ExportPort {
public:
    explicit DisplayFormPort(DisplayForm &form) : m_form(form) {}

    void setCompanions(schedule::QueryDialog *query, schedule::LanguageSelectorWindow *language) {
        m_query = query;
        m_language = language;
    }

    // app::GridPort
    app::ProgramState &state() override;
    app::Prompts &prompts() override;
    jet::DataSource &data1() override;
    void ReadDB(const QString &selectText) override;
    int visibleRowCount() const override;
    void setGridRedraw(bool on) override;
    void refreshGrid() override;
    void resetGridRows() override;
    void resetGridSelection() override;
    int bookmarkAtOffset(int offset) const override;
    void setFirstVisibleRow(int bookmark) override;
    int currentBookmark() const override;
    jet::Cell firstColumnValue(int bookmark) const override;
    void setGridCaption(const QString &caption) override;
    void clearFindMarking() override;
    void setBusyPointer(bool busy) override;
    bool busy() const { return m_busy.has_value(); }

    // schedule::SortPort
    bool currentRowVisible() const override;

    // onair::OnAirPort, onair::ClockPort
    void setOnAirButtonColor(int rgb24) override;
    void setWindowTitle(const QString &title) override;

    // schedule::FilterPort
    void DisplayOnAir() override;
    void DisableOnAir() override;
    void showQueryDialog() override;
    void showLanguageSelector() override;
    void setLanguageSelectorText(const QString &text) override;

    // Reference views: "Select All Records" closes the single record.
    void closeSingleRecordWindow() override;

    // Field selection and the Options menu (DisplayFormPortFieldsUi.cpp); DisableOnAir above.
    void showFieldSelection() override;
    void setChecked(OptionGroup group, int index, bool checked) override;
    void setGridFontName(const QString &name) override;
    void setGridFontSize(int points) override;
    void setLockedColumns(int count) override;
    void setRowSelectionKind(int kind) override;
    void setGridToolTips(bool on) override;
    void clearGridSelection() override;
    void SetupGrid() override;
    void CheckFontSize() override;
    void repaintWindowColours() override;

    // Receiver link and reception log (DisplayFormPortLogUi.cpp)
    app::Clipboard &clipboard() override;
    void setLabel0(const QString &caption) override;
    void setLinkChecks(bool enabledChecked, bool disabledChecked) override;
    void reTuneRule() override;
    const app::Clock &clock() override;
    app::FileSystem &fileSystem() override;
    QString logFolder() const override;
    QString dataDir() const override;
    jet::DataSource &data2() override;
    void setLogButtons(bool logOnEnabled, bool logOffEnabled) override;
    void setSinpoChecks(bool noChecked, bool yesChecked) override;
    void showLogNotice() override;
    void showRemarksDialog() override;
    void lastLookForReply() override;

    // exporting::ExportPort: export and print (DisplayFormPortExportUi.cpp)
    int selectedRowCount() const override;
    int rowCount() const override;
    QString caption() const override;
    QList<exporting::GridColumn> displayedColumns() const override;
    QList<int> rowBookmarks(exporting::RowScope scope) const override;
    jet::Cell cellValue(int gridColumn, int bookmark) const override;
    QString templateFile() const override;
    exporting::ProgressReporter &progress() override;
    exporting::WriteOutcome printTable(const exporting::ExportTable &table,
                                       const exporting::PrintFonts &fonts, bool pageSetup,
                                       bool printDialog) override;

private:
    DisplayForm &m_form;
    schedule::QueryDialog *m_query = nullptr;
    schedule::LanguageSelectorWindow *m_language = nullptr;
    std::optional<app::BusyPointer> m_busy;
    std::unique_ptr<exporting::ProgressReporter> m_exportProgress;
};

} // namespace mainwindow
