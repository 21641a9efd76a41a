#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "jet/TableProvider.h"
#include "schedule/QueryComposer.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace schedule {

// FrmQuery, "Select Fields to Search": up to six field conditions, each negatable, one
// frequency condition and the on-air narrowing. Loaded once, then shown and hidden; it
// keeps its entries between uses unless "Clear on Startup" is ticked.
class QueryDialog : public QDialog {
    Q_OBJECT
public:
    // Fills the lists from the database file (Form_Load).
    QueryDialog(app::ProgramState &state, app::Prompts &prompts, jet::TableProvider &tables,
                const QString &databaseFile, QWidget *parent = nullptr);
    ~QueryDialog() override;

    // Receives the language selector's new list position after a language is chosen.
    void setLanguageSelectorMover(std::function<void(int)> mover) {
        m_moveSelector = std::move(mover);
    }

    // Shows the dialog modally until Done or Cancel hides it; DlgCancel tells which.
    void run();

    // A new database replaced the old one: the field lists are read again, entries kept.
    void reloadLists(jet::TableProvider &tables, const QString &databaseFile);

    void Form_Activate();
    void CmdDone_Click();
    void CmdCancel_Click();
    void ClearAll_Click();
    // The lists and boxes take BackColor and Forecolor again after a colour change.
    void applyColours();

    // Closing by the window frame or Esc outside the boxes counts as Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load(jet::TableProvider &tables, const QString &databaseFile);
    void fillDatabaseLists(jet::TableProvider &tables, const QString &databaseFile);
    void buildControls();
    QWidget *buildFieldRows();
    QWidget *buildFrequencyFrame();
    QueryForm currentForm() const;
    void clearFields(int lastField);
    bool handleComboKey(int index, int key);
    bool handleTextKey(int index, int key);

    app::ProgramState &m_state;
    app::Prompts &m_prompts;
    std::function<void(int)> m_moveSelector;
    std::array<QComboBox *, QueryFieldCount> m_combo{};
    std::array<QCheckBox *, QueryFieldCount> m_not{};
    QCheckBox *m_onAir = nullptr;
    QCheckBox *m_clearOnStart = nullptr;
    std::array<QRadioButton *, 3> m_freqOption{};
    std::array<QLineEdit *, 3> m_text{};
};

} // namespace schedule
