#pragma once

#include "jet/TableProvider.h"
#include "schedule/FilterPort.h"

#include <QWidget>

class QComboBox;

namespace schedule {

// FrmLanguage, "Language Selector": the languages of the database with "ALL" first. Picking
// one filters the grid at once; it stays open beside the main window until closed and
// reopens where it was closed.
class LanguageSelectorWindow : public QWidget {
    Q_OBJECT
public:
    // Fills the list from the database file (Form_Load).
    LanguageSelectorWindow(FilterPort &port, jet::TableProvider &tables,
                           const QString &databaseFile, QWidget *parent = nullptr);
    ~LanguageSelectorWindow() override;

    // Shows the window at its remembered place (Form_Activate) without blocking.
    void showSelector();

    // Set by the program, not the user: no re-query.
    void setListText(const QString &text);
    void setListPosition(int position);
    QString listText() const;
    // A new database replaced the old one: the languages are read again, the choice kept.
    void reloadLanguages(jet::TableProvider &tables, const QString &databaseFile);

    void Combo_Click();
    void CmdClose_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load(jet::TableProvider &tables, const QString &databaseFile);
    void Form_Activate();
    void languageEnteredByKey();
    void showChosenFromStart();
    void rememberPosition();

    FilterPort &m_port;
    QComboBox *m_combo;
};

} // namespace schedule
