#pragma once

#include "app/ProgramState.h"

#include <QWidget>

#include <memory>

class QPlainTextEdit;

namespace schedule {

// FrmFilter, "Filter Settings": the filter description and the sort order at the moment it
// is opened, placed over the main window a quarter of its width from the left.
class FilterStatusWindow : public QWidget {
    Q_OBJECT
public:
    FilterStatusWindow(const app::ProgramState &state, const QWidget &mainWindow,
                       QWidget *parent = nullptr);
    QString text() const;

private:
    QPlainTextEdit *m_text;
};

// The "Filter Status" button's window: exists only while the button is held.
class FilterStatusPopup {
public:
    FilterStatusPopup(const app::ProgramState &state, QWidget &mainWindow)
        : m_state(state), m_mainWindow(mainWindow) {}
    ~FilterStatusPopup();

    void CmdFilter_MouseDown(); // any button
    void CmdFilter_MouseUp();
    FilterStatusWindow *window() const { return m_window.get(); }

private:
    const app::ProgramState &m_state;
    QWidget &m_mainWindow;
    std::unique_ptr<FilterStatusWindow> m_window;
};

} // namespace schedule
