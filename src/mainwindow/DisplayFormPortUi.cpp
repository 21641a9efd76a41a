#include "mainwindow/DisplayFormPortUi.h"

#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "onair/OnAirSequences.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"

namespace mainwindow {

app::ProgramState &DisplayFormPort::state() {
    return m_form.services().state;
}
app::Prompts &DisplayFormPort::prompts() {
    return m_form.services().prompts;
}
jet::DataSource &DisplayFormPort::data1() {
    return m_form.data1();
}
void DisplayFormPort::ReadDB(const QString &selectText) {
    m_form.ReadDB(selectText);
}
int DisplayFormPort::visibleRowCount() const {
    return m_form.grid()->visibleRowCount();
}
void DisplayFormPort::setGridRedraw(bool on) {
    m_form.grid()->setRedraw(on);
}
void DisplayFormPort::refreshGrid() {
    m_form.grid()->refresh();
}
void DisplayFormPort::resetGridRows() {
    m_form.grid()->resetRows();
}
void DisplayFormPort::resetGridSelection() {
    m_form.grid()->resetSelection();
}
int DisplayFormPort::bookmarkAtOffset(int offset) const {
    return m_form.grid()->bookmarkAtOffset(offset);
}
void DisplayFormPort::setFirstVisibleRow(int bookmark) {
    m_form.grid()->setFirstVisibleRow(bookmark);
}
int DisplayFormPort::currentBookmark() const {
    return m_form.grid()->currentBookmark();
}
jet::Cell DisplayFormPort::firstColumnValue(int bookmark) const {
    return m_form.grid()->cellValue(0, bookmark);
}
void DisplayFormPort::setGridCaption(const QString &caption) {
    m_form.grid()->setCaption(caption);
}

bool DisplayFormPort::currentRowVisible() const {
    return m_form.grid()->currentRow() >= 0;
}
void DisplayFormPort::clearFindMarking() {
    m_form.grid()->clearFindMarking();
}

// Busy and default may come unpaired (a find puts the pointer back early), so keep one level.
void DisplayFormPort::setBusyPointer(bool busy) {
    if (!busy)
        m_busy.reset();
    else if (!m_busy)
        m_busy.emplace();
}

void DisplayFormPort::setOnAirButtonColor(int rgb24) {
    m_form.setOnAirButtonColor(rgb24);
}
void DisplayFormPort::setWindowTitle(const QString &title) {
    m_form.setWindowTitle(title);
}

void DisplayFormPort::DisplayOnAir() {
    onair::DisplayOnAir(*this);
}
void DisplayFormPort::DisableOnAir() {
    onair::DisableOnAir(*this);
}

void DisplayFormPort::showQueryDialog() {
    if (m_query)
        m_query->run();
}

void DisplayFormPort::showLanguageSelector() {
    if (m_language)
        m_language->showSelector();
}

void DisplayFormPort::setLanguageSelectorText(const QString &text) {
    if (m_language)
        m_language->setListText(text);
}

} // namespace mainwindow
