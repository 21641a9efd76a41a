#pragma once

#include "schedule/MainWindowPort.h"

namespace schedule {
class QueryDialog;
class LanguageSelectorWindow;
} // namespace schedule

namespace mainwindow {

class DisplayForm;

// The main window as the find, filter and language handlers see it.
class DisplayFormPort : public schedule::MainWindowPort {
public:
    explicit DisplayFormPort(DisplayForm &form) : m_form(form) {}

    void setCompanions(schedule::QueryDialog *query, schedule::LanguageSelectorWindow *language) {
        m_query = query;
        m_language = language;
    }

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
    void setBusyPointer(bool busy) override;
    void DisplayOnAir() override;
    void DisableOnAir() override;
    void setOnAirButtonColor(int bgr) override;
    void showQueryDialog() override;
    void showLanguageSelector() override;
    void setLanguageSelectorText(const QString &text) override;
    void closeSingleRecordWindow() override {}
    bool busy() const { return m_busy; }

private:
    DisplayForm &m_form;
    schedule::QueryDialog *m_query = nullptr;
    schedule::LanguageSelectorWindow *m_language = nullptr;
    bool m_busy = false;
};

} // namespace mainwindow
