#include "app/ScreenUnitsUi.h"
#include "imports/ImportUi.h"
#include "imports/UpdateScheduleDialog.h"
#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace mainwindow {

namespace {
QDateTime nowUtc(const app::Services &services) {
    return services.clock.localNow().toUTC();
}
} // namespace

// The one place that says where an imported or fetched schedule is written.
QString DisplayForm::scheduleDatabasePath() const {
    return m_services.paths.importTarget();
}

void DisplayForm::addScheduleItems(QMenu *functions) {
    addItem(functions, QStringLiteral("Import EiBi Schedule…"), QStringLiteral("ImportEibi"),
            [this] { ImportSchedule_Click(fetch::Source::Eibi); });
    addItem(functions, QStringLiteral("Import HFCC Schedule…"), QStringLiteral("ImportHfcc"),
            [this] { ImportSchedule_Click(fetch::Source::Hfcc); });
    addItem(functions, QStringLiteral("Update Schedule…"), QStringLiteral("UpdateSchedule"),
            [this] { UpdateSchedule_Click(); });
}

void DisplayForm::addWeeklyCheckItem(QMenu *options) {
    m_checkWeekly = addItem(options, QStringLiteral("Check for a New Schedule Weekly"),
                            QStringLiteral("CheckWeekly"), [this] { CheckWeekly_Click(); });
    m_checkWeekly->setCheckable(true);
    m_checkWeekly->setChecked(m_state.fetch.checkWeekly);
}

imports::ImportUi DisplayForm::importDialogs() {
    return imports::ImportUi(
        this, m_services.paths.writeFolder(), [this] { reloadSchedule(); },
        [this](const app::ScheduleRecord &record) { recordSchedule(record); });
}

void DisplayForm::ImportSchedule_Click(fetch::Source source) {
    if (m_background)
        return showScheduleNotice(QStringLiteral("A schedule is being fetched; try again soon."));
    imports::ImportUi dialogs = importDialogs();
    imports::ImportSchedule_Click(dialogs, m_services.prompts, source, scheduleDatabasePath(),
                                  nowUtc(m_services));
}

void DisplayForm::UpdateSchedule_Click() {
    if (m_background)
        return showScheduleNotice(QStringLiteral("A schedule is being fetched; try again soon."));
    imports::UpdateScheduleDialog dialog(
        m_state.fetch, nowUtc(m_services),
        [this](imports::UpdateRequest update, const QString &address) {
            update.databasePath = scheduleDatabasePath();
            imports::ImportUi dialogs = importDialogs();
            return imports::Download_Click(dialogs, m_services.prompts, update, address);
        },
        this);
    dialog.exec();
    app::SaveFetchSettings(m_state.fetch, m_services.store); // the addresses as edited
}

void DisplayForm::CheckWeekly_Click() {
    m_state.fetch.checkWeekly = !m_state.fetch.checkWeekly;
    m_checkWeekly->setChecked(m_state.fetch.checkWeekly);
    app::SaveFetchSettings(m_state.fetch, m_services.store);
}

void DisplayForm::recordSchedule(const app::ScheduleRecord &record) {
    m_state.fetch.inUse = record;
    app::SaveFetchSettings(m_state.fetch, m_services.store);
    if (m_scheduleNotice)
        m_scheduleNotice->hide();
}

// One line at the right of the menu bar; a link in it opens "Update Schedule…".
void DisplayForm::showScheduleNotice(const QString &text) {
    if (!m_scheduleNotice) {
        m_scheduleNotice = new QLabel(this);
        m_scheduleNotice->setObjectName(QStringLiteral("ScheduleNotice"));
        m_scheduleNotice->setContentsMargins(0, 0, 8, 0);
        connect(m_scheduleNotice, &QLabel::linkActivated, this, [this] { UpdateSchedule_Click(); });
        menuBar()->setCornerWidget(m_scheduleNotice, Qt::TopRightCorner);
    }
    m_scheduleNotice->setText(text);
    m_scheduleNotice->show();
}

// At start: an offer when the schedule in use is of an earlier season, and the weekly fetch in
// the background when the listener asked for it. Nothing goes on the network otherwise.
void DisplayForm::startScheduleChecks() {
    const QDateTime now = nowUtc(m_services);
    const fetch::Season today = fetch::seasonOn(now.date());
    const auto inUse = fetch::parseSeason(m_state.fetch.inUse.season);
    if (inUse && inUse->isEarlierThan(today))
        showScheduleNotice(QStringLiteral("The %1 schedule is in use and %2 has begun: "
                                          "<a href=\"update\">Update Schedule…</a>")
                               .arg(inUse->code(), today.code()));
    if (!imports::weeklyCheckDue(m_state.fetch, now.date()))
        return;
    imports::UpdateRequest update;
    update.source = fetch::sourceNamed(m_state.fetch.inUse.source).value_or(fetch::Source::Eibi);
    update.season = today;
    const QString &stored = update.source == fetch::Source::Eibi ? m_state.fetch.eibiAddress
                                                                 : m_state.fetch.hfccAddress;
    update.url =
        fetch::addressFor(stored.isEmpty() ? fetch::defaultAddress(update.source) : stored, today);
    update.validity = imports::Validity::on(now.date());
    update.databasePath = scheduleDatabasePath();
    update.inUse = m_state.fetch.inUse;
    update.nowUtc = now;
    m_background = std::make_unique<imports::BackgroundUpdate>(
        update, [this](const imports::UpdateResult &r) { weeklyCheckDone(r); });
    m_background->start();
}

void DisplayForm::weeklyCheckDone(const imports::UpdateResult &result) {
    m_background.release()->deleteLater();
    using imports::UpdateOutcome;
    if (result.outcome == UpdateOutcome::Updated || result.outcome == UpdateOutcome::UpToDate) {
        m_state.fetch.lastWeeklyCheck = nowUtc(m_services).date();
        app::SaveFetchSettings(m_state.fetch, m_services.store);
    }
    if (result.outcome != UpdateOutcome::Updated)
        return;
    recordSchedule(result.record);
    reloadSchedule();
    showScheduleNotice(QStringLiteral("A new schedule was put in place: %1 %2.")
                           .arg(result.record.source, result.record.season));
}

// The file was replaced (or, installed, the listener's own now stands in for the shipped
// sample): every reader reads it again, and the grid shows the new rows with the filter, sort
// and columns the user had.
void DisplayForm::reloadSchedule() {
    const QString database = m_services.paths.database();
    app::BusyPointer busy;
    m_services.tables.forget(m_data1.databaseName());
    m_services.tables.forget(database);
    m_data1.setDatabaseName(database);
    m_data2.setDatabaseName(database);
    if (!m_data2.recordSource().isEmpty())
        m_data2.refresh();
    ReadDB(m_state.SQLStr);
    m_queryDialog->reloadLists(m_services.tables, database);
    m_languageSelector->reloadLanguages(m_services.tables, database);
    m_styledMinute.clear(); // the new rows' colours at the next tick
    m_grid->refresh();
    reportDatabaseProblem();
}

} // namespace mainwindow
