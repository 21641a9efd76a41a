#pragma once

#include "mainwindow/FieldSelection.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace mainwindow {

// FrmSelect, "Select Fields to Display". Shows the lists of FieldSelection and forwards its
// buttons, and a double-click on a field, to it. Run it with exec(); DlgCancel tells the end.
class FieldSelectionDialog : public QDialog {
    Q_OBJECT
public:
    FieldSelectionDialog(app::ProgramState &state, app::Prompts &prompts,
                         QWidget *parent = nullptr);

    void CmdSwap_Click(int index);
    void CmdDone_Click();
    void CmdCancel_Click();

    // Closing by the window frame or Esc counts as Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QPushButton *addButton(const QString &caption, const QString &name, QRect twips);
    void showLists(int displayLine = -1, int sourceLine = -1);

    app::ProgramState &m_state;
    FieldSelection m_selection;
    QListWidget *m_sourceList = nullptr;
    QListWidget *m_displayList = nullptr;
};

} // namespace mainwindow
