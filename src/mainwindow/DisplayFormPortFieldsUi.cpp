#include "mainwindow/DisplayFormPortUi.h"

#include "mainwindow/DisplayWindow.h"
#include "mainwindow/FieldSelectionDialog.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/QueryDialog.h"

#include <QAction>

namespace mainwindow {

void DisplayFormPort::showFieldSelection() {
    FieldSelectionDialog dialog(state(), prompts(), &m_form);
    dialog.exec();
}

void DisplayFormPort::setChecked(OptionGroup group, int index, bool checked) {
    if (QAction *item = m_form.optionItem(group, index))
        item->setChecked(checked);
}

// The window's item arrays, in the order of OptionGroup.
QAction *DisplayForm::optionItem(OptionGroup group, int index) const {
    const ItemArray *groups[] = {&m_TTips, &m_FontNames, &m_DFonts, &m_WhichFont,
                                 &m_FSort, &m_LC,        &m_SelectM};
    const ItemArray &items = *groups[int(group)];
    return index >= 0 && index < items.size() ? items[index] : nullptr;
}

void DisplayFormPort::setGridFontName(const QString &name) {
    m_form.grid()->setGridFont(name, m_form.grid()->fontSize());
}
void DisplayFormPort::setGridFontSize(int points) {
    m_form.grid()->setGridFont(m_form.grid()->fontName(), points);
}
void DisplayFormPort::setLockedColumns(int count) {
    m_form.grid()->setLockedColumns(count);
}
void DisplayFormPort::setRowSelectionKind(int kind) {
    m_form.grid()->setRowSelectionKind(kind);
}
void DisplayFormPort::setGridToolTips(bool on) {
    m_form.grid()->setToolTipsEnabled(on);
}
void DisplayFormPort::clearGridSelection() {
    m_form.grid()->clearSelection();
}
void DisplayFormPort::SetupGrid() {
    m_form.SetupGrid();
}
void DisplayFormPort::CheckFontSize() {
    m_form.CheckFontSize();
}

void DisplayFormPort::repaintWindowColours() {
    m_form.repaintColours();
    if (m_query)
        m_query->applyColours();
}

} // namespace mainwindow
