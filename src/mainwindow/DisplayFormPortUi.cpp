#include "mainwindow/DisplayFormPortUi.h"

#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"

#include <QGuiApplication>

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

// Busy and default may come unpaired (a find puts the pointer back early), so keep one level.
void DisplayFormPort::setBusyPointer(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void DisplayFormPort::DisplayOnAir() {
    m_form.DisplayOnAir();
}
void DisplayFormPort::DisableOnAir() {
    m_form.DisableOnAir();
}
void DisplayFormPort::setOnAirButtonColor(int bgr) {
    m_form.setOnAirButtonColor(bgr);
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
