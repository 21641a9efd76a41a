#pragma once

#include "app/Services.h"
#include "reference/ReferenceViews.h"

#include <QPointer>

class QWidget;

namespace reference {

class SingleRecordWindow;
class LegendsWindow;
class HelpWindow;

// The reference windows of the main window: single record, legends, about and help.
class ReferenceViewsUi : public ReferenceWindows {
public:
    // helpFile: the help file named at start (the shipped SkedwiseHelp.html).
    ReferenceViewsUi(app::Services &services, QString helpFile, QWidget *owner);
    ~ReferenceViewsUi() override;

    // The main window's handlers.
    void ShowSingleRecord(); // right click on a row, after SelStationID is set
    void SelectAllClosesSingleRecord();
    void Legends_Click();
    void ShowHelp_Click();
    void DoAbout_Click();

    bool singleRecordOpen() const override;
    void openSingleRecord(qint32 stationId) override;
    void bringSingleRecordToFront() override;
    void closeSingleRecord() override;
    bool helpOpen() const override;
    void openHelp(const QString &helpFile) override;
    void bringHelpToFront() override;

    // Out of line: the window classes are only declared here.
    SingleRecordWindow *singleRecord() const;
    LegendsWindow *legends() const;
    HelpWindow *help() const;

private:
    app::Services &m_services;
    QString m_helpFile;
    QWidget *m_owner;
    QPointer<SingleRecordWindow> m_single;
    QPointer<LegendsWindow> m_legends;
    QPointer<HelpWindow> m_help;
};

} // namespace reference
