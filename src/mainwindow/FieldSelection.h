#pragma once

#include "app/GridPort.h"
#include "app/ProgramState.h"
#include "app/Seams.h"

#include <QStringList>

namespace mainwindow {

inline const QString TimeFieldMissing =
    QStringLiteral("Time Field Missing. Select either UTC or UTCB AND UTCE");

// FrmSelect, "Select Fields to Display": the available and the displayed fields and what its
// buttons do to the display-field model. The dialog shows the two lists and forwards here.
class FieldSelection {
public:
    FieldSelection(app::ProgramState &state, app::Prompts &prompts)
        : m_state(state), m_prompts(prompts) {}

    // Remembers everything the dialog may change and fills both lists from the settings.
    void Form_Load();

    // 0 (">") moves the highlighted available field to the end of the displayed ones, 1 ("<")
    // moves the highlighted displayed field back among the available ones. highlighted is the
    // line of the list taken from, -1 for none. Returns the line the moved field now stands on
    // in the list it went to, -1 when nothing moved.
    int CmdSwap_Click(int index, int highlighted);

    // Returns true when the dialog closes; false after the time message (lists kept).
    bool CmdDone_Click();
    // Everything goes back to how it was when the dialog opened.
    void CmdCancel_Click();

    const QStringList &sourceList() const { return m_source; }
    const QStringList &displayList() const { return m_display; }
    bool listsEnabled() const { return m_listsEnabled; }

private:
    void fillLists();
    void addSorted(const QString &field);

    app::ProgramState &m_state;
    app::Prompts &m_prompts;
    QStringList m_source;
    QStringList m_display;
    bool m_listsEnabled = true;

    QString m_savedFieldList;
    QString m_savedDisplayList;
    QString m_savedSourceList;
    schedule::DisplayFieldArray m_savedFields;
};

// The fields FrmSelect offers and shows: each stored name that is a schedule field other than
// StationID and Freq, once, in the catalogue's spelling. Unknown names are dropped; a field
// missing from both lists comes back among the available ones; when no displayed field is
// left, both lists take their defaults.
struct FieldChoice {
    QStringList available; // sorted
    QStringList displayed; // in column order
};
FieldChoice cleanFieldChoice(const schedule::CodeTables &codes, const QString &sourceListStr,
                             const QString &displayListStr);

// UTC, or both UTCB and UTCE, among the displayed fields (tested on the joined list text).
bool hasTimeField(const QString &displayListStr);

// What SForm_Click needs from the main window.
class FieldSelectionPort : public virtual app::GridPort {
public:
    virtual void DisableOnAir() = 0;
    // Shows FrmSelect modally; DlgCancel tells how it closed.
    virtual void showFieldSelection() = 0;
};

// "Select Fields": the dialog, then the new columns under the language condition only.
void SForm_Click(FieldSelectionPort &port);

// The SELECT text SForm_Click runs: the language condition alone (two blanks before "=").
QString languageOnlySelect(const QString &fieldListStr, const QString &language);

} // namespace mainwindow
