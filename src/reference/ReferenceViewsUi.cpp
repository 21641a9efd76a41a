#include "reference/ReferenceViewsUi.h"

#include "reference/AboutBox.h"
#include "reference/HelpWindow.h"
#include "reference/LegendsWindow.h"
#include "reference/SingleRecordWindow.h"

namespace reference {
namespace {

void toFront(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

ReferenceViewsUi::ReferenceViewsUi(app::Services &services, QString helpFile, QWidget *owner)
    : m_services(services), m_helpFile(std::move(helpFile)), m_owner(owner) {}

ReferenceViewsUi::~ReferenceViewsUi() {
    delete m_single;
    delete m_legends;
    delete m_help;
}

SingleRecordWindow *ReferenceViewsUi::singleRecord() const {
    return m_single;
}
LegendsWindow *ReferenceViewsUi::legends() const {
    return m_legends;
}
HelpWindow *ReferenceViewsUi::help() const {
    return m_help;
}

void ReferenceViewsUi::ShowSingleRecord() {
    reference::ShowSingleRecord(*this, m_services.state.SelStationID);
}

void ReferenceViewsUi::SelectAllClosesSingleRecord() {
    CloseSingleRecord(*this);
}

void ReferenceViewsUi::Legends_Click() {
    if (!m_legends)
        m_legends = new LegendsWindow(m_services.paths, int(m_services.state.BackColor),
                                      int(m_services.state.Forecolor), m_owner);
    toFront(m_legends);
}

void ReferenceViewsUi::ShowHelp_Click() {
    ShowHelp(*this, m_helpFile);
}

void ReferenceViewsUi::DoAbout_Click() {
    AboutBox about(m_owner);
    about.exec();
}

bool ReferenceViewsUi::singleRecordOpen() const {
    return m_single && m_single->isVisible();
}

void ReferenceViewsUi::openSingleRecord(qint32 stationId) {
    delete m_single;
    m_single = new SingleRecordWindow(m_services.tables, m_services.paths.database(), m_owner);
    m_single->setListenerLocation(m_services.state.own.MyLocation);
    m_single->Form_Load(stationId);
    m_single->show();
}

void ReferenceViewsUi::bringSingleRecordToFront() {
    toFront(m_single);
}

void ReferenceViewsUi::closeSingleRecord() {
    m_single->close();
}

bool ReferenceViewsUi::helpOpen() const {
    return m_help && m_help->isVisible();
}

void ReferenceViewsUi::openHelp(const QString &helpFile) {
    delete m_help;
    m_help = new HelpWindow(helpFile, m_owner);
    m_help->show();
}

void ReferenceViewsUi::bringHelpToFront() {
    toFront(m_help);
}

} // namespace reference
