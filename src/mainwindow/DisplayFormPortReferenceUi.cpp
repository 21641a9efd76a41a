#include "mainwindow/DisplayFormPortUi.h"
#include "mainwindow/DisplayWindow.h"

namespace mainwindow {

void DisplayFormPort::closeSingleRecordWindow() {
    m_form.reference().SelectAllClosesSingleRecord();
}

} // namespace mainwindow
