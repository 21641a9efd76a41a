#pragma once

#include "app/ProgramState.h"
#include "onair/Clock.h"

#include <QDialog>

class QListWidget;

namespace onair {

// "Select Timezone": whole-hour offsets from UTC; picking one sets TimeZone at once.
class TimeZoneDialog : public QDialog {
    Q_OBJECT
public:
    explicit TimeZoneDialog(app::ProgramState &state, QWidget *parent = nullptr);

    // Fills the list and selects the entry of the current TimeZone.
    void Form_Load();
    void List1_Click();
    void CmdDone_Click();

    QListWidget *list() const { return m_list; }

private:
    app::ProgramState &m_state;
    QListWidget *m_list;
    bool m_TZLoading = false;
};

} // namespace onair
