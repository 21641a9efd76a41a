#include "mainwindow/DisplayWindow.h"

#include "imports/UpdateFlow.h"

#include "app/Contrast.h"
#include "app/Conversions.h"
#include "app/PromptsQt.h"
#include "app/ScreenUnitsUi.h"
#include "app/Settings.h"
#include "export/ExportCommands.h"
#include "logbook/ReceptionLog.h"
#include "mainwindow/DisplayFormPortUi.h"
#include "mainwindow/DisplayOptions.h"
#include "mainwindow/GridSetup.h"
#include "mainwindow/MainKeys.h"
#include "mainwindow/OptionMarks.h"
#include "mainwindow/RowStyling.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "map/PictureWindows.h"
#include "onair/Clock.h"
#include "onair/OnAir.h"
#include "onair/OnAirSequences.h"
#include "onair/TimeZoneDialog.h"
#include "receiver/ReceiverLink.h"
#include "reference/AboutHelp.h"
#include "schedule/ClearFilter.h"
#include "schedule/CustomFilters.h"
#include "schedule/FilterStatusWindow.h"
#include "schedule/GridEvents.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryComposition.h"
#include "schedule/QueryDialog.h"
#include "schedule/QuickFind.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <cmath>

namespace mainwindow {

namespace {

constexpr int TickMs = 900;

// Column widths of the grid for saving.
class WindowSaveContext : public app::SaveContext {
public:
    explicit WindowSaveContext(const DisplayForm &form) : m_form(form) {}
    double formHeightTwips() const override { return m_form.heightTwips(); }
    double formWidthTwips() const override { return m_form.widthTwips(); }
    int gridColumnCount() const override { return m_form.grid()->columnCount(); }
    double gridColumnWidthTwips(int column) const override {
        return m_form.grid()->columnWidthTwips(column);
    }

private:
    const DisplayForm &m_form;
};

bool flag(const QString &text) {
    return app::parseFlag(text).value_or(false);
}

// Checks item index of an option group and unchecks the others.
void checkOnly(const QList<QAction *> &items, int index, int count = -1) {
    const int n = count < 0 ? int(items.size()) : count;
    for (int i = 0; i < n; ++i)
        if (items[i])
            items[i]->setChecked(i == index);
}

// As checkOnly, but a mark of -1 leaves the group as it is.
void applyMark(const QList<QAction *> &items, int mark, int count = -1) {
    if (mark >= 0)
        checkOnly(items, mark, count);
}

// Labels draw with the window roles, edit fields with the base roles: set both.
void setColors(QWidget *w, double back, double fore) {
    QPalette palette = w->palette();
    for (auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, app::colorFromRgb24(int(back)));
    for (auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, app::colorFromRgb24(int(fore)));
    w->setAutoFillBackground(true);
    w->setPalette(palette);
    for (QWidget *child : w->findChildren<QWidget *>())
        child->setPalette(palette);
}

} // namespace

DisplayForm::DisplayForm(app::Services services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_state(services.state), m_data1(services.tables),
      m_data2(services.tables), m_gridSource(m_data1),
      m_reference(m_services, services.paths.shippedFile(reference::HelpFileName), this) {
    setObjectName(QStringLiteral("DisplayForm"));
    setWindowTitle(QStringLiteral("Skedwise"));
    buildControls();
    buildMenus();
    loadCompanionWindows();
    qApp->installEventFilter(this);
}

// The query dialog and the language selector live hidden from start to exit; each fills
// its lists from the database now.
void DisplayForm::loadCompanionWindows() {
    m_port = std::make_unique<DisplayFormPort>(*this);
    m_link = std::make_unique<receiver::ReceiverLink>(*m_port);
    m_log = std::make_unique<logbook::ReceptionLog>(*m_port);
    const QString database = m_services.paths.database();
    m_queryDialog =
        new schedule::QueryDialog(m_state, m_services.prompts, m_services.tables, database, this);
    m_languageSelector =
        new schedule::LanguageSelectorWindow(*m_port, m_services.tables, database, this);
    m_port->setCompanions(m_queryDialog, m_languageSelector);
    m_queryDialog->setLanguageSelectorMover(
        [selector = m_languageSelector](int position) { selector->setListPosition(position); });
    m_filterStatus = std::make_unique<schedule::FilterStatusPopup>(m_state, *this);
}

DisplayForm::~DisplayForm() {
    qApp->removeEventFilter(this);
}

// ---- Load, placement, exits ----

void DisplayForm::Form_Load() {
    m_state.SelStationID = 0;
    m_state.WhereStr.clear();
    m_state.QueryNot.clear();
    m_services.clipboard.clear();
    m_link->setMenuChecks();
    m_log->Form_Load();
    onair::ComputeClock(m_state, m_services.clock.localNow(), QLocale());
    m_fileDialogFolder = m_services.paths.listenerFolder() + u'/';
    m_grid->setGridFont(m_state.GridFontname, int(app::leadingNumber(m_state.GridFontSize)));
    repaintColours();
    m_state.ExitFlag = false;
    m_state.FindType = 0;
    placeWindow();
    onair::ComputeClock(m_state, m_services.clock.localNow(), QLocale());
    setStyleNames(m_state);
    m_data1.setDatabaseName(m_services.paths.database());
    m_data2.setDatabaseName(m_services.paths.database());
    {
        app::BusyPointer busy;
        SetupGrid();
        m_state.CharWidth = charWidthTwips();
        schedule::ParseFieldLists(m_state.fieldLists(), m_state.DisplayFields);
        schedule::BuildSQL(m_state);
        schedule::startupQuery(m_state);
        ReadDB(m_state.SQLStr);
        CheckFontSize();
        m_timer->start(TickMs);
    }
    applyOptionMarks();
    m_grid->refresh();
    reportDatabaseProblem();
    startScheduleChecks();
}

void DisplayForm::repaintColours() {
    setColors(m_label0, m_state.BackColor, m_state.Forecolor);
    if (auto *combo = m_languageSelector->findChild<QWidget *>(QStringLiteral("Combo0")))
        setColors(combo, m_state.BackColor, m_state.Forecolor);
}

// A missing or unreadable database is said once, in plain words; the window then shows
// an empty grid. The table provider keeps the outcome, so this costs no second load.
void DisplayForm::reportDatabaseProblem() {
    const jet::LoadOutcome outcome =
        m_services.tables.table(m_data1.databaseName(), QStringLiteral("MyDataTable"));
    if (!outcome.ok())
        m_services.prompts.messageBox(outcome.error, QStringLiteral("Skedwise"), app::Buttons::Ok);
}

// The check marks and grid options the settings ask for.
void DisplayForm::applyOptionMarks() {
    const OptionMarks marks = optionMarks(m_state);
    applyMark(m_DoLink, marks.doLink);
    m_grid->setToolTipsEnabled(marks.tipsShown);
    applyMark(m_TTips, marks.tips);
    applyMark(m_FSort, marks.freqSort);
    if (marks.rowSelectionKind)
        m_grid->setRowSelectionKind(marks.rowSelectionKind);
    applyMark(m_SelectM, marks.selectMethod, 3);
    applyMark(m_Sinpo, marks.sinpo);
    applyMark(m_WhichFont, marks.markedRowFont);
    applyMark(m_SelAutoUpdate, marks.autoUpdate);
    applyMark(m_ClockOnOff, marks.clock);
    if (marks.lockedColumns)
        m_grid->setLockedColumns(marks.lockedColumns);
    applyMark(m_LC, marks.lockColumns);
    m_grid->refresh();
}

void DisplayForm::placeWindow() {
    const double tpp = app::twipsPerPixel(this);
    m_givenHeight = app::TwipsLength(app::leadingNumber(m_state.FormHeight), tpp);
    m_givenWidth = app::TwipsLength(m_state.FormWidth, tpp);
    resize(std::max(m_givenWidth.pixels(), 200), std::max(m_givenHeight.pixels(), 100));
    move(int(m_state.FormLeft / tpp), int(app::leadingNumber(m_state.FormTop) / tpp));
    // Resizing later changes the grid's height only; its width is the loaded window's.
    m_grid->setGeometry(0, 0, width(), m_grid->height());
}

double DisplayForm::topTwips() const {
    return frameGeometry().top() * app::twipsPerPixel(this);
}
double DisplayForm::leftTwips() const {
    return frameGeometry().left() * app::twipsPerPixel(this);
}
// Sizes are saved and restored without the desktop's frame: its size is not known before
// the window is shown, and a frame counted on saving only would grow the window every run.
double DisplayForm::heightTwips() const {
    return m_givenHeight.twipsFor(geometry().height());
}
double DisplayForm::widthTwips() const {
    return m_givenWidth.twipsFor(geometry().width());
}

void DisplayForm::saveSettings() {
    app::SaveSettings(m_state, m_services.store, WindowSaveContext(*this));
}

void DisplayForm::ExitNow_Click() {
    m_state.FormTop = app::realText(std::round(topTwips()));
    m_state.FormLeft = app::roundToInt16(leftTwips()).value_or(m_state.FormLeft);
    m_state.ExitFlag = true;
    m_log->offerPendingAtExit();
    saveSettings();
    close();
}

void DisplayForm::Form_Activate() {
    if (m_port->busy())
        return; // a find in progress owns the pointer
    app::BusyPointer::clearAll();
}

void DisplayForm::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QMainWindow::changeEvent(event);
}

void DisplayForm::closeEvent(QCloseEvent *event) {
    if (!m_state.ExitFlag) {
        m_log->offerPendingAtExit();
        saveSettings();
    }
    m_state.ExitFlag = true; // saved once, whichever way the window closes
    m_timer->stop();
    event->accept();
    emit finished();
}

void DisplayForm::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    applyLayout(heightTwips());
}

void DisplayForm::applyLayout(double outerHeightTwips) {
    const MainLayout layout = mainLayout(outerHeightTwips);
    m_grid->setGeometry(m_grid->x(), m_grid->y(), m_grid->width(),
                        app::twipsToPixels(layout.gridHeight, this));
    if (m_grid->layout())
        m_grid->layout()->activate();
    m_state.HalfRows = qint16(m_grid->visibleRowCount() / 2);
    for (QWidget *w : std::as_const(m_buttonRow))
        w->move(w->x(), app::twipsToPixels(layout.buttonTop, this));
}

// ---- Grid set-up ----

// The window's "W", or the grid's when large text makes it wider, so that columns keep
// their texts whole.
qint16 DisplayForm::charWidthTwips() const {
    const QFont gridFont(m_grid->fontName(), m_grid->fontSize());
    const double pixels = std::max(QFontMetricsF(font()).horizontalAdvance(u'W'),
                                   QFontMetricsF(gridFont).horizontalAdvance(u'W'));
    const double twips = pixels * app::twipsPerPixel(this);
    return app::roundToInt16(twips).value_or(0);
}

void DisplayForm::SetupGrid() {
    setStyleNames(m_state);
    m_state.CharWidth = charWidthTwips();
    m_grid->setRedraw(false);
    m_grid->resetLayout();
    m_grid->removeAllStyleSets();
    m_grid->setRowBackColors(m_state.GridBackColor, m_state.GridBackColor);
    defineStyleSets();
    schedule::ParseFieldLists(m_state.fieldLists(), m_state.DisplayFields);
    schedule::BuildSQL(m_state);
    m_state.ColsChanged = true;
    ReadDB(m_state.SQLStr);
    m_grid->setRedraw(true);
    m_grid->refresh();
}

void DisplayForm::defineStyleSets() {
    for (const StyleSetLook &look : styleSetLooks(m_state)) {
        m_grid->addStyleSet(look.name);
        m_grid->setStyleSetBackColor(look.name, look.back);
        if (look.fore)
            m_grid->setStyleSetForeColor(look.name, *look.fore);
        if (look.bold)
            m_grid->setStyleSetBold(look.name, *look.bold);
    }
}

void DisplayForm::CheckFontSize() {
    const FontMenuMarks marks = fontMenuMarks(m_state.GridFontname, m_state.GridFontSize);
    checkOnly(m_FontNames, marks.checkedName);
    checkOnly(m_DFonts, marks.checkedSize);
    m_DFonts[0]->setEnabled(marks.sevenEnabled);
}

bool DisplayForm::ReadDB(const QString &selectText) {
    return schedule::ReadDB(m_state, selectText, m_data1, *m_gridResult, m_services.prompts);
}

int DisplayForm::recordCount() const {
    return m_data1.recordset().recordCount();
}

// ---- Grid events ----

void DisplayForm::SSDBGrid_PickRow() {
    m_link->PickRow(m_grid->cellText(1, m_grid->currentBookmark()));
}

void DisplayForm::SSDBGrid_SortColumn(int column) {
    schedule::SSDBGrid_SortColumn(*m_port, m_grid->columnFieldName(column));
}

void DisplayForm::SSDBGrid_MouseButton(Qt::MouseButton button, Qt::KeyboardModifiers, int, int y) {
    const int bookmark = m_grid->bookmarkOfVisibleRow(m_grid->rowAtPosition(y));
    if (schedule::stationClicked(*m_port, bookmark) && button == Qt::RightButton)
        ShowSingleRecord();
}

void DisplayForm::SSDBGrid_StyleRow(int bookmark, GridRowStyle &row) {
    const QString style = rowStyleSet(
        m_state, [this, bookmark](int column) { return m_grid->cellText(column, bookmark); });
    if (style.isEmpty())
        return;
    for (int column = 0; column < row.columnCount(); ++column)
        row.applyToCell(column, style);
}

// ---- On the air ----

void DisplayForm::setOnAirButtonColor(int rgb24) {
    QPalette palette = m_cmdOnAir->palette();
    palette.setColor(QPalette::Button, app::colorFromRgb24(rgb24));
    // A dark desktop's white caption would vanish on the light grey.
    palette.setColor(QPalette::ButtonText, app::colorFromRgb24(app::textOn(rgb24)));
    m_cmdOnAir->setPalette(palette);
}

void DisplayForm::DisplayOnAir() {
    onair::DisplayOnAir(*m_port);
}
void DisplayForm::CmdONAir_Click() {
    onair::CmdONAir_Click(*m_port);
}
void DisplayForm::CmdONAir_MouseDown(Qt::MouseButton button) {
    onair::CmdONAir_MouseDown(*m_port, button == Qt::RightButton);
}
void DisplayForm::DisableOnAir() {
    onair::DisableOnAir(*m_port);
}
void DisplayForm::SelAutoUpdate_Click(int index) {
    applyMark(m_SelAutoUpdate, mainwindow::SelAutoUpdate_Click(m_state, index));
}

// ---- Clock ----

void DisplayForm::Timer_Timer(int index) {
    if (index != 0)
        return;
    ReceiverClipboardStep(); // its outcome is the receiver link's business: the clock goes on
    onair::clockTick(*m_port, m_services.clock.localNow(), QLocale(), m_styledMinute);
    if (m_pictures && m_pictures->behindTheClock())
        picturesFollowSoon();
}

void DisplayForm::ClockOnOff_Click(int index) {
    const ClockChoice choice = mainwindow::ClockOnOff_Click(m_state, index);
    applyMark(m_ClockOnOff, choice.mark);
    if (choice.title)
        setWindowTitle(*choice.title);
}

onair::TimeZoneDialog *DisplayForm::ChangeTZ_Click() {
    if (m_timeZoneDialog) { // one time-zone window: bring it forward
        m_timeZoneDialog->raise();
        m_timeZoneDialog->activateWindow();
        return m_timeZoneDialog;
    }
    m_timeZoneDialog = new onair::TimeZoneDialog(m_state, this);
    m_timeZoneDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_timeZoneDialog->Form_Load();
    m_timeZoneDialog->show();
    return m_timeZoneDialog;
}

// ---- Keys ----

void DisplayForm::setButtonTip(QObject *watched) {
    const std::pair<QPushButton *, const char *> tips[] = {
        {m_cmdOnAir, " Click to Toggle On-Air display On/Off "},
        {m_cmdFilter, " Click to Display Current Filter Settings "},
        {m_selectAll, " Click to clear ALL filters "}};
    for (const auto &[button, tip] : tips)
        if (watched == button)
            button->setToolTip(flag(m_state.DoTips) ? QString::fromLatin1(tip) : QString());
    if (watched == m_cmdGo)
        m_cmdGo->setToolTip(receiver::cmdGoToolTip(m_state.DoTips));
    if (watched == m_label0)
        m_label0->setToolTip(receiver::label0ToolTip(m_state.DoTips));
    for (int i : {0, 1})
        if (watched == m_cmdLog[i])
            m_cmdLog[i]->setToolTip(logbook::cmdLogToolTip(i, m_state.DoTips));
}

bool DisplayForm::eventFilter(QObject *watched, QEvent *event) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (filterStatusKey(watched, event))
        return true;
    // The menu bar, entered with Alt, moves with its own keys.
    if (event->type() == QEvent::KeyPress && widget && widget->window() == this &&
        !qobject_cast<QMenuBar *>(widget)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool fromGrid = m_grid->isAncestorOf(widget);
        return Form_KeyDown(key->key(), key->modifiers(), fromGrid);
    }
    if (watched == m_cmdOnAir && event->type() == QEvent::MouseButtonPress)
        CmdONAir_MouseDown(static_cast<QMouseEvent *>(event)->button());
    // The filter status shows while any mouse button holds "Filter Status" down.
    if (watched == m_cmdFilter && event->type() == QEvent::MouseButtonPress)
        CmdFilter_MouseDown();
    if (watched == m_cmdFilter && event->type() == QEvent::MouseButtonRelease)
        CmdFilter_MouseUp();
    if (event->type() == QEvent::Enter)
        setButtonTip(watched);
    return QMainWindow::eventFilter(watched, event);
}

// Space held on "Filter Status" shows the filter as a held mouse button does; a screen
// reader hears it as the button's description when the focus comes.
bool DisplayForm::filterStatusKey(QObject *watched, QEvent *event) {
    if (watched != m_cmdFilter)
        return false;
    if (event->type() == QEvent::FocusIn)
        m_cmdFilter->setAccessibleDescription(schedule::filterStatusText(m_state).replace(
            QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Space)
        return false;
    if (!key->isAutoRepeat())
        event->type() == QEvent::KeyPress ? CmdFilter_MouseDown() : CmdFilter_MouseUp();
    return true;
}

// The menu key does what the right button does: the single record of the grid's current
// row, or the on-air refresh of the "On Air" button.
void DisplayForm::contextKey(bool fromGrid) {
    if (fromGrid && schedule::stationClicked(*m_port, m_grid->currentBookmark()))
        ShowSingleRecord();
    else if (m_cmdOnAir->hasFocus())
        CmdONAir_MouseDown(Qt::RightButton);
}

bool DisplayForm::Form_KeyDown(int key, Qt::KeyboardModifiers shift, bool fromGrid) {
    const KeyDecision decision = decideKey(key, shift, m_state.LogOn, fromGrid);
    switch (decision.command) {
    case KeyCommand::PageUp:
    case KeyCommand::PageDown:
        pageRows(decision.command == KeyCommand::PageDown, decision.jumpToEnd);
        break;
    case KeyCommand::FirstRecord:
    case KeyCommand::LastRecord:
        if (recordCount() > 0)
            moveToRecord(decision.command == KeyCommand::LastRecord);
        break;
    case KeyCommand::QuickFind:
        FindA_Click(decision.findIndex);
        break;
    case KeyCommand::StartLog:
        m_log->KeyF9();
        break;
    case KeyCommand::StopLog:
        m_log->KeyF10();
        break;
    case KeyCommand::PickRow:
        SSDBGrid_PickRow();
        break;
    case KeyCommand::ContextAction:
        contextKey(fromGrid);
        break;
    case KeyCommand::None:
        break;
    }
    return decision.consumed;
}

void DisplayForm::pageRows(bool down, bool jumpToEnd) {
    const int rows = mainwindow::pageRows(m_grid->visibleRowCount());
    m_grid->scrollRows(down ? rows : -rows);
    if (jumpToEnd && recordCount() > 0)
        moveToRecord(down);
}

void DisplayForm::moveToRecord(bool last) {
    jet::RecordSet &records = m_data1.recordset();
    last ? records.moveLast() : records.moveFirst();
    showCurrentRecord();
}

// The grid follows its record source and brings the current record into view.
void DisplayForm::showCurrentRecord() {
    m_grid->setFirstVisibleRow(m_grid->currentBookmark());
}

void DisplayForm::CmdLog_Click(int index) {
    m_log->CmdLog_Click(index);
}

// ---- Finds and filters ----

void DisplayForm::FindA_Click(int index) {
    schedule::FindA_Click(index, *m_port);
}
void DisplayForm::FindNow_Click(int index) {
    schedule::FindNow_Click(index, *m_port);
}
void DisplayForm::Progs_Click(int index) {
    schedule::Progs_Click(index, *m_port);
}
void DisplayForm::SelectAll_Click() {
    schedule::SelectAll_Click(*m_port);
}
void DisplayForm::CmdFilter_MouseDown() {
    m_filterStatus->CmdFilter_MouseDown();
}
void DisplayForm::CmdFilter_MouseUp() {
    m_filterStatus->CmdFilter_MouseUp();
}
// ---- Reference windows ----

void DisplayForm::ShowSingleRecord() {
    m_reference.ShowSingleRecord();
}
void DisplayForm::Legends_Click() {
    m_reference.Legends_Click();
}
void DisplayForm::ShowHelp_Click() {
    m_reference.ShowHelp_Click();
}
void DisplayForm::DoAbout_Click() {
    m_reference.DoAbout_Click();
}

// ---- Entry points of later work ----

void DisplayForm::StartLog() {
    m_log->StartLog();
}
void DisplayForm::StopLog() {
    m_log->StopLog();
}
void DisplayForm::CmdGo_Click() {
    m_link->CmdGo_Click();
}
app::ClipboardStepResult DisplayForm::ReceiverClipboardStep() {
    return m_link->ClipboardStep();
}
void DisplayForm::SendTuneRequest(const QString &freqText) {
    m_link->SendTuneRequest(freqText);
}
void DisplayForm::FindRadioFreq(const QString &payload) {
    m_link->FindRadioFreq(payload);
}
void DisplayForm::SForm_Click() {
    mainwindow::SForm_Click(*m_port);
}
void DisplayForm::SelectM_Click(int i) {
    mainwindow::SelectM_Click(i, *m_port);
}
// The clock holds off while rows are printed or written: its tick may re-query the grid.
void DisplayForm::PrintData_Click(int index) {
    const QSignalBlocker holdClock(m_timer);
    exporting::PrintData_Click(index, *m_port, m_services.prompts);
}
void DisplayForm::Export_Click(int index) {
    const QSignalBlocker holdClock(m_timer);
    exporting::Export_Click(index, *m_port, m_services.prompts, m_services.clock);
}
void DisplayForm::ChangeLog_Click() {
    m_log->ChangeLog_Click();
}
void DisplayForm::TTips_Click(int i) {
    mainwindow::TTips_Click(i, *m_port);
}
void DisplayForm::DoLink_Click(int index) {
    m_link->DoLink_Click(index);
}
void DisplayForm::Colors_Click(int i) {
    mainwindow::Colors_Click(i, *m_port);
}
void DisplayForm::FontNames_Click(int i) {
    mainwindow::FontNames_Click(i, *m_port);
}
void DisplayForm::DFonts_Click(int i) {
    mainwindow::DFonts_Click(i, *m_port);
}
void DisplayForm::WhichFont_Click(int i) {
    mainwindow::WhichFont_Click(i, *m_port);
}
void DisplayForm::FSort_Click(int i) {
    mainwindow::FSort_Click(i, *m_port);
}
void DisplayForm::Sinpo_Click(int index) {
    m_log->Sinpo_Click(index);
}
void DisplayForm::LC_Click(int i) {
    mainwindow::LC_Click(i, *m_port);
}

} // namespace mainwindow
