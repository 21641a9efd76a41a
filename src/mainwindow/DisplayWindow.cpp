#include "mainwindow/DisplayWindow.h"

#include "app/Conversions.h"
#include "app/PromptsQt.h"
#include "app/Settings.h"
#include "mainwindow/DisplayFormPortUi.h"
#include "mainwindow/GridSetup.h"
#include "mainwindow/MainKeys.h"
#include "mainwindow/RowStyling.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "onair/Clock.h"
#include "onair/OnAir.h"
#include "onair/TimeZoneDialog.h"
#include "schedule/ClearFilter.h"
#include "schedule/CustomFilters.h"
#include "schedule/FilterStatusWindow.h"
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
#include <QTimer>

#include <cmath>

namespace mainwindow {

namespace {

constexpr int TickMs = 900;
constexpr int ButtonHeightTwips = 375;

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

// What ReadDB does to the grid widget.
class GridResult : public schedule::ResultGrid {
public:
    explicit GridResult(ScheduleGridWidget &grid) : m_grid(grid) {}
    void rebuildColumns() override { m_grid.rebuildColumns(); }
    void setColumnWidthTwips(int column, double twips) override {
        m_grid.setColumnWidthTwips(column, int(std::lround(twips)));
    }
    void refresh() override { m_grid.refresh(); }
    void setCaption(const QString &caption) override { m_grid.setCaption(caption); }

private:
    ScheduleGridWidget &m_grid;
};

// The hourglass for the length of a long operation.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
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

// Labels draw with the window roles, edit fields with the base roles: set both.
void setColors(QWidget *w, double back, double fore) {
    QPalette palette = w->palette();
    for (auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, colorFromRgb24(int(back)));
    for (auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, colorFromRgb24(int(fore)));
    w->setAutoFillBackground(true);
    w->setPalette(palette);
    for (QWidget *child : w->findChildren<QWidget *>())
        child->setPalette(palette);
}

} // namespace

DisplayForm::DisplayForm(app::Services services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_state(services.state), m_data1(services.tables),
      m_data2(services.tables), m_gridSource(m_data1) {
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
    const QString database = m_services.programFile(QStringLiteral("ILGDATA.MDB"));
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

// ---- Controls and menus ----

void DisplayForm::buildControls() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("DisplayClient"));
    setCentralWidget(client);
    m_grid = new ScheduleGridWidget(m_gridSource, client);
    m_grid->setObjectName(QStringLiteral("SSDBGrid"));
    m_gridResult = std::make_unique<GridResult>(*m_grid);
    m_grid->setRowStyler(
        [this](int bookmark, GridRowStyle &row) { SSDBGrid_StyleRow(bookmark, row); });
    connect(m_grid, &ScheduleGridWidget::rowPicked, this, &DisplayForm::SSDBGrid_PickRow);
    connect(m_grid, &ScheduleGridWidget::headingClicked, this, &DisplayForm::SSDBGrid_SortColumn);
    connect(m_grid, &ScheduleGridWidget::mouseButtonPressed, this,
            &DisplayForm::SSDBGrid_MouseButton);

    m_cmdGo = addButton(QStringLiteral("Go"), QStringLiteral("CmdGo"), 120, 600);
    m_cmdOnAir = addButton(QStringLiteral("On Air"), QStringLiteral("CmdONAir"), 780, 1000);
    m_cmdLog[0] = addButton(QStringLiteral("Log ON"), QStringLiteral("CmdLog_0"), 1840, 1000);
    m_cmdLog[1] = addButton(QStringLiteral("Log OFF"), QStringLiteral("CmdLog_1"), 2900, 1000);
    m_cmdFilter =
        addButton(QStringLiteral("Filter Status"), QStringLiteral("CmdFilter"), 3960, 1400);
    m_selectAll =
        addButton(QStringLiteral("Clear Filter"), QStringLiteral("SelectAll"), 5420, 1400);
    m_label0 = new QLabel(client);
    m_label0->setObjectName(QStringLiteral("Label_0"));
    m_label0->setAlignment(Qt::AlignCenter);
    m_label0->setGeometry(twipsToPixels(6900), 0, twipsToPixels(1200),
                          twipsToPixels(ButtonHeightTwips));
    m_buttonRow << m_label0;
    setOnAirButtonColor(onair::OnAirOffColor);
    connect(m_cmdGo, &QPushButton::clicked, this, &DisplayForm::CmdGo_Click);
    connect(m_cmdOnAir, &QPushButton::clicked, this, &DisplayForm::CmdONAir_Click);
    connect(m_cmdLog[0], &QPushButton::clicked, this, [this] { CmdLog_Click(0); });
    connect(m_cmdLog[1], &QPushButton::clicked, this, [this] { CmdLog_Click(1); });
    connect(m_selectAll, &QPushButton::clicked, this, &DisplayForm::SelectAll_Click);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer"));
    connect(m_timer, &QTimer::timeout, this, [this] { Timer_Timer(0); });
}

QPushButton *DisplayForm::addButton(const QString &caption, const QString &name, int leftTwips,
                                    int widthTwips) {
    auto *button = new QPushButton(caption, centralWidget());
    button->setObjectName(name);
    button->setGeometry(twipsToPixels(leftTwips), 0, twipsToPixels(widthTwips),
                        twipsToPixels(ButtonHeightTwips));
    m_buttonRow << button;
    return button;
}

QMenu *DisplayForm::addMenu(QMenu *parent, const QString &caption, const QString &name) {
    QMenu *menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction *DisplayForm::addItem(QMenu *menu, const QString &caption, const QString &name,
                              std::function<void()> handler) {
    QAction *item = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [handler] { handler(); });
    return item;
}

// An indexed item array with one handler. Check marks are the handler's business: the
// automatic toggle of a checkable item is undone before the handler runs.
DisplayForm::ItemArray DisplayForm::addItems(QMenu *menu, const QString &name,
                                             const QStringList &captions, int firstIndex,
                                             bool checkable, std::function<void(int)> handler) {
    ItemArray items(firstIndex, nullptr);
    for (int i = 0; i < captions.size(); ++i) {
        const int index = firstIndex + i;
        QAction *item = menu->addAction(captions[i]);
        item->setObjectName(name + u'_' + QString::number(index));
        item->setCheckable(checkable);
        connect(item, &QAction::triggered, this, [item, checkable, handler, index](bool on) {
            if (checkable)
                item->setChecked(!on);
            handler(index);
        });
        items << item;
    }
    return items;
}

void DisplayForm::buildMenus() {
    addItem(nullptr, QStringLiteral("Exit"), QStringLiteral("ExitNow"),
            [this] { ExitNow_Click(); });
    buildFindMenus();
    addItem(nullptr, QStringLiteral("Select Fields"), QStringLiteral("SForm"),
            [this] { SForm_Click(); });
    QMenu *method = addMenu(nullptr, QStringLiteral("Select Method"), QStringLiteral("SM1"));
    m_SelectM = addItems(
        method, QStringLiteral("SelectM"),
        {QStringLiteral("Single Record"), QStringLiteral("Multi Records (1 row at a time)"),
         QStringLiteral("Multi Records Contiguous"), QStringLiteral("Clear BookMarks")},
        0, true, [this](int i) { SelectM_Click(i); });
    m_SelectM[3]->setCheckable(false);
    buildFunctionAndHelpMenus();
}

void DisplayForm::buildFindMenus() {
    QMenu *find = addMenu(nullptr, QStringLiteral("Find"), QStringLiteral("FindBy1"));
    m_FindA = addItems(find, QStringLiteral("FindA"),
                       {QStringLiteral("Frequency  F2"), QStringLiteral("Station        F3"),
                        QStringLiteral("Location     F4"), QStringLiteral("Start Time   F5"),
                        QStringLiteral("ADM            F6"), QStringLiteral("STN            F7")},
                       0, false, [this](int i) { FindA_Click(i); });
    QMenu *filter = addMenu(nullptr, QStringLiteral("Filter By"), QStringLiteral("FindS"));
    m_FindNow = addItems(filter, QStringLiteral("FindNow"), {QStringLiteral("Custom Filter")}, 0,
                         false, [this](int i) { FindNow_Click(i); });
    QMenu *program = addMenu(filter, QStringLiteral("Program"), QStringLiteral("FindNow_1"));
    m_FindNow << program->menuAction();
    m_Progs =
        addItems(program, QStringLiteral("Progs"),
                 {QStringLiteral("Classic Music"), QStringLiteral("Language Lesson"),
                  QStringLiteral("Feature"), QStringLiteral("Home Service"),
                  QStringLiteral("Local Service"), QStringLiteral("Music"), QStringLiteral("News"),
                  QStringLiteral("POP Music"), QStringLiteral("Religious"),
                  QStringLiteral("Sports"), QStringLiteral("UnderGround/Pirate"),
                  QStringLiteral("Mixed"), QStringLiteral("Time Signal")},
                 1, false, [this](int i) { Progs_Click(i); });
    m_FindNow << addItems(filter, QStringLiteral("FindNow"),
                          {QStringLiteral("Language"), QStringLiteral("Frequency"),
                           QStringLiteral("Frequency Range"), QStringLiteral("Country"),
                           QStringLiteral("Location"), QStringLiteral("Start Time"),
                           QStringLiteral("Start/End Times"), QStringLiteral("ADM"),
                           QStringLiteral("Station Name"), QStringLiteral("Target")},
                          2, false, [this](int i) { FindNow_Click(i); })
                     .mid(2);
}

void DisplayForm::buildFunctionAndHelpMenus() {
    QMenu *functions = addMenu(nullptr, QStringLiteral("Functions"), QStringLiteral("Func"));
    addItem(functions, QStringLiteral("Change Time Zone"), QStringLiteral("ChangeTZ"),
            [this] { ChangeTZ_Click(); });
    m_PrintData =
        addItems(functions, QStringLiteral("PrintData"),
                 {QStringLiteral("Print Seleted Rows"), QStringLiteral("Print Entire Table")}, 0,
                 false, [this](int i) { PrintData_Click(i); });
    m_Export = addItems(functions, QStringLiteral("Export"),
                        {QStringLiteral("Export Selected Rows to Text File"),
                         QStringLiteral("Export ALL Rows to Text File"),
                         QStringLiteral("Export Selected Rows to HTML File"),
                         QStringLiteral("Export ALL Rows to HTML File")},
                        0, false, [this](int i) { Export_Click(i); });
    addItem(nullptr, QStringLiteral("Log File"), QStringLiteral("ChangeLog"),
            [this] { ChangeLog_Click(); });
    buildOptionsMenu();
    QMenu *help = addMenu(nullptr, QStringLiteral("Help"), QStringLiteral("H1"));
    addItem(help, QStringLiteral("Legend"), QStringLiteral("Legends"), [this] { Legends_Click(); });
    addItem(help, QStringLiteral("Contents"), QStringLiteral("ShowHelp"),
            [this] { ShowHelp_Click(); });
    addItem(help, QStringLiteral("About"), QStringLiteral("DoAbout"), [this] { DoAbout_Click(); });
}

void DisplayForm::buildOptionsMenu() {
    QMenu *options = addMenu(nullptr, QStringLiteral("Options"), QStringLiteral("SO1"));
    const QStringList noYes = {QStringLiteral("No"), QStringLiteral("Yes")};
    auto group = [&](const QString &caption, const QString &menuName, const QString &itemName,
                     const QStringList &captions, std::function<void(int)> handler) {
        return addItems(addMenu(options, caption, menuName), itemName, captions, 0, true,
                        std::move(handler));
    };
    m_TTips = group(QStringLiteral("Tooltips"), QStringLiteral("TT1"), QStringLiteral("TTips"),
                    noYes, [this](int i) { TTips_Click(i); });
    m_DoLink =
        group(QStringLiteral("RX320 Link"), QStringLiteral("RLink"), QStringLiteral("DoLink"),
              {QStringLiteral("Enabled"), QStringLiteral("Disabled")},
              [this](int i) { DoLink_Click(i); });
    m_Colors = group(QStringLiteral("Colors"), QStringLiteral("BColor"), QStringLiteral("Colors"),
                     {QStringLiteral("Control Backcolor"), QStringLiteral("Control ForeColor"),
                      QStringLiteral("Selected Row Backcolor"), QStringLiteral("Grid BackColor"),
                      QStringLiteral("On-Air"), QStringLiteral("On-Air Select")},
                     [this](int i) { Colors_Click(i); });
    for (QAction *item : m_Colors)
        item->setCheckable(false);
    m_FontNames = group(QStringLiteral("Font Styles"), QStringLiteral("FontStyle"),
                        QStringLiteral("FontNames"),
                        {QStringLiteral("Courier "), QStringLiteral("Courier New"),
                         QStringLiteral("Lucida Console"), QStringLiteral("MS Serif")},
                        [this](int i) { FontNames_Click(i); });
    m_DFonts = group(QStringLiteral("Grid Font Size"), QStringLiteral("GridFonts"),
                     QStringLiteral("DFonts"),
                     {QStringLiteral("7 pt."), QStringLiteral("8 pt."), QStringLiteral("9 pt."),
                      QStringLiteral("10 pt."), QStringLiteral("11 pt."), QStringLiteral("12 pt."),
                      QStringLiteral("14 pt."), QStringLiteral("16 pt.")},
                     [this](int i) { DFonts_Click(i); });
    m_WhichFont = group(
        QStringLiteral("Marked Row Font"), QStringLiteral("MRF"), QStringLiteral("WhichFont"),
        {QStringLiteral("Normal"), QStringLiteral("Bold")}, [this](int i) { WhichFont_Click(i); });
    m_FSort =
        group(QStringLiteral("Freq Sort Order"), QStringLiteral("FSO1"), QStringLiteral("FSort"),
              {QStringLiteral("Ascending"), QStringLiteral("Descending")},
              [this](int i) { FSort_Click(i); });
    m_Sinpo = group(QStringLiteral("Prompt for SINPO"), QStringLiteral("S1"),
                    QStringLiteral("Sinpo"), noYes, [this](int i) { Sinpo_Click(i); });
    m_SelAutoUpdate =
        group(QStringLiteral("Auto Update ON-AIR"), QStringLiteral("AOU"),
              QStringLiteral("SelAutoUpdate"), noYes, [this](int i) { SelAutoUpdate_Click(i); });
    m_ClockOnOff =
        group(QStringLiteral("Clock Display"), QStringLiteral("CD1"), QStringLiteral("ClockOnOff"),
              {QStringLiteral("Display OFF"), QStringLiteral("Display ON")},
              [this](int i) { ClockOnOff_Click(i); });
    m_LC = group(QStringLiteral("Lock Columns"), QStringLiteral("LC0"), QStringLiteral("LC"),
                 {QStringLiteral("Lock Freq Column"), QStringLiteral("Lock Freq + Next")},
                 [this](int i) { LC_Click(i); });
}

// ---- Load, placement, exits ----

void DisplayForm::Form_Load() {
    m_state.SelStationID = 0;
    m_state.WhereStr.clear();
    m_state.QueryNot.clear();
    m_services.clipboard.clear();
    m_state.LogOn = false;
    m_state.LogPath.clear();
    enableLogButtons(false);
    onair::ComputeClock(m_state, m_services.clock.localNow(), QLocale());
    m_fileDialogFolder = m_services.programDir + u'/';
    m_grid->setGridFont(m_state.GridFontname, int(app::leadingNumber(m_state.GridFontSize)));
    setColors(m_label0, m_state.BackColor, m_state.Forecolor);
    if (auto *combo = m_languageSelector->findChild<QWidget *>(QStringLiteral("Combo0")))
        setColors(combo, m_state.BackColor, m_state.Forecolor);
    m_state.ExitFlag = false;
    m_state.FindType = 0;
    placeWindow();
    onair::ComputeClock(m_state, m_services.clock.localNow(), QLocale());
    setStyleNames(m_state);
    m_data1.setDatabaseName(m_services.programFile(QStringLiteral("ILGDATA.MDB")));
    m_data2.setDatabaseName(m_services.programFile(QStringLiteral("ILGDATA.MDB")));
    {
        BusyPointer busy;
        SetupGrid();
        m_state.CharWidth = charWidthTwips();
        schedule::ParseFieldLists(m_state.fieldLists(), m_state.DisplayFields);
        schedule::BuildSQL(m_state);
        const bool all = m_state.Language.toUpper() == u"ALL";
        m_state.SQLStr = all ? QStringLiteral("Select ") + m_state.FieldListStr +
                                   QStringLiteral(" From MyDataTable")
                             : QStringLiteral("Select ") + m_state.FieldListStr +
                                   QStringLiteral(" from MyDataTable Where (instr(Language,'") +
                                   m_state.Language + QStringLiteral("') > 0)");
        ReadDB(m_state.SQLStr);
        CheckFontSize();
        m_state.FilterStr = all ? QStringLiteral("ALL Languages")
                                : QStringLiteral("Filter By \r\nLanguage = ") + m_state.Language;
        m_timer->start(TickMs);
    }
    applyOptionMarks();
    m_grid->refresh();
    reportDatabaseProblem();
}

// A missing or unreadable database is said once, in plain words; the window then shows
// an empty grid. The table provider keeps the outcome, so this costs no second load.
void DisplayForm::reportDatabaseProblem() {
    const jet::LoadOutcome outcome = m_services.tables.table(
        m_services.programFile(QStringLiteral("ILGDATA.MDB")), QStringLiteral("MyDataTable"));
    if (!outcome.ok())
        m_services.prompts.messageBox(outcome.error, QStringLiteral("Skedwise"), app::Buttons::Ok);
}

// The check marks and grid options the settings ask for.
void DisplayForm::applyOptionMarks() {
    checkOnly(m_DoLink, flag(m_state.LinkOK) ? 0 : 1);
    const bool tips = flag(m_state.DoTips);
    m_grid->setToolTipsEnabled(tips);
    checkOnly(m_TTips, tips ? 1 : 0);
    checkOnly(m_FSort, m_state.FSortStr.isEmpty() ? 0 : 1);
    if (m_state.RowSelectType >= 1 && m_state.RowSelectType <= 3) {
        m_grid->setRowSelectionKind(m_state.RowSelectType);
        checkOnly(m_SelectM, m_state.RowSelectType - 1, 3);
    }
    checkOnly(m_Sinpo, m_state.SINPOPrompt ? 1 : 0);
    checkOnly(m_WhichFont, flag(m_state.FontIsBold) ? 1 : 0);
    checkOnly(m_SelAutoUpdate, m_state.AutoOnAir ? 1 : 0);
    checkOnly(m_ClockOnOff, m_state.DisplayClock ? 1 : 0);
    if (m_state.SplitterPosition == 2 || m_state.SplitterPosition == 3) {
        m_grid->setLockedColumns(m_state.SplitterPosition);
        checkOnly(m_LC, m_state.SplitterPosition - 2);
    }
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

int DisplayForm::twipsToPixels(double twips) const {
    return int(std::lround(twips / app::twipsPerPixel(this)));
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
    saveSettings();
    close();
}

void DisplayForm::Form_Activate() {
    if (m_port->busy())
        return; // a find in progress owns the pointer
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void DisplayForm::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QMainWindow::changeEvent(event);
}

void DisplayForm::closeEvent(QCloseEvent *event) {
    if (!m_state.ExitFlag)
        saveSettings();
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
                        twipsToPixels(layout.gridHeight));
    if (m_grid->layout())
        m_grid->layout()->activate();
    m_state.HalfRows = qint16(m_grid->visibleRowCount() / 2);
    for (QWidget *w : std::as_const(m_buttonRow))
        w->move(w->x(), twipsToPixels(layout.buttonTop));
}

// ---- Grid set-up ----

qint16 DisplayForm::charWidthTwips() const {
    const double twips =
        QFontMetricsF(font()).horizontalAdvance(QStringLiteral("W")) * app::twipsPerPixel(this);
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
    m_label0->setText(m_grid->cellText(1, m_grid->currentBookmark()));
    if (flag(m_state.LinkOK))
        SendTuneRequest(m_label0->text());
    if (m_state.LogOn) {
        m_state.Response =
            m_services.prompts.messageBox(QStringLiteral("Save Current Log Entry?"),
                                          QStringLiteral("Skedwise"), app::Buttons::YesNo);
        if (m_state.Response == app::AnswerYes)
            StopLog();
        m_state.LogOn = false;
        enableLogButtons(false);
    }
}

void DisplayForm::SSDBGrid_SortColumn(int column) {
    m_state.SortBy = m_grid->columnFieldName(column);
    if (m_state.SortBy != u"Freq")
        m_state.FindType = 0;
    m_grid->setRedraw(false);
    BusyPointer busy;
    ReadDB(m_state.SQLStr);
    m_data1.recordset().findFirst(onair::stationCriterion(m_state.SelStationID));
    // The station stays in view, as a bound grid shows its current record.
    if (m_grid->currentRow() < 0)
        m_grid->setFirstVisibleRow(m_grid->bookmarkAtOffset(-m_state.HalfRows));
    m_grid->setRedraw(true);
    m_grid->refresh();
}

void DisplayForm::SSDBGrid_MouseButton(Qt::MouseButton button, Qt::KeyboardModifiers, int, int y) {
    const int bookmark = m_grid->bookmarkOfVisibleRow(m_grid->rowAtPosition(y));
    if (bookmark < 0)
        return; // below the last row: no station there
    const QString id = jet::displayText(m_grid->cellValue(0, bookmark));
    m_state.SelStationID = app::roundToInt32(app::leadingNumber(id)).value_or(0);
    m_state.LastStationID = m_state.SelStationID;
    if (button == Qt::RightButton)
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
    palette.setColor(QPalette::Button, colorFromRgb24(rgb24));
    m_cmdOnAir->setPalette(palette);
}

void DisplayForm::rememberCurrentStation() {
    const int bookmark = m_grid->currentBookmark();
    if (bookmark < 0)
        return;
    const QString id = jet::displayText(m_grid->cellValue(0, bookmark));
    m_state.SelStationID = app::roundToInt32(app::leadingNumber(id)).value_or(0);
}

// Makes SelStationID current and shows it HalfRows below the top.
void DisplayForm::centreCurrentStation() {
    jet::RecordSet &records = m_data1.recordset();
    records.moveFirst();
    records.findFirst(onair::stationCriterionOnAir(m_state.SelStationID));
    m_grid->setFirstVisibleRow(m_grid->bookmarkAtOffset(-m_state.HalfRows));
}

void DisplayForm::DisplayOnAir() {
    m_state.HalfRows = qint16(m_grid->visibleRowCount() / 2);
    rememberCurrentStation();
    m_state.OnAirMode = true;
    setOnAirButtonColor(onair::OnAirOnColor);
    BusyPointer busy;
    m_grid->setRedraw(false);
    const QString now = m_state.UTCHour + m_state.UTCMin;
    m_state.SearchStr = now;
    m_state.WhereStr = onair::OnAirCondition(now);
    ReadDB(m_state.SQLStr);
    m_state.FilterStr = onair::withOnAirLine(m_state.FilterStr, now);
    m_grid->setCaption(onair::displayOnAirCaption(m_state.Language, recordCount()));
    if (recordCount() >= 1) {
        m_data1.recordset().moveFirst();
        m_data1.recordset().findFirst(onair::stationCriterionOnAir(m_state.SelStationID));
    }
    if (m_state.SortBy != u"Freq") {
        m_state.FindType = 0;
        m_grid->clearFindMarking();
        m_grid->refresh();
    }
    m_grid->setRedraw(true);
}

void DisplayForm::CmdONAir_Click() {
    m_state.HalfRows = qint16(m_grid->visibleRowCount() / 2);
    if (m_state.OnAirMode) {
        m_state.OnAirMode = false;
        setOnAirButtonColor(onair::OnAirOffColor);
        m_state.WhereStr.clear();
        m_state.SortBy = m_state.SavedSortBy;
        m_state.FilterStr = m_state.SavedFilterStr;
        m_state.SQLStr = m_state.SavedSQL;
        m_state.SavedSortBy.clear();
        m_state.SavedFilterStr.clear();
        m_state.SavedSQL.clear();
        BusyPointer busy;
        m_grid->setRedraw(false);
        ReadDB(m_state.SQLStr);
        centreCurrentStation();
        m_grid->setRedraw(true);
    } else {
        m_state.SavedSortBy = m_state.SortBy;
        m_state.SavedFilterStr = m_state.FilterStr;
        m_state.SavedSQL = m_state.SQLStr;
        DisplayOnAir();
        m_grid->setRedraw(false);
        centreCurrentStation();
        m_grid->setRedraw(true);
    }
    m_grid->setCaption(onair::toggleCaption(m_state.Language, m_state.CaptionNot, recordCount()));
}

void DisplayForm::CmdONAir_MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton)
        return;
    if (m_state.OnAirMode) {
        DisplayOnAir();
        return;
    }
    m_state.FindType = 0;
    m_grid->clearFindMarking();
    m_grid->refresh();
}

void DisplayForm::DisableOnAir() {
    m_state.WhereStr.clear();
    m_state.OnAirMode = false;
    setOnAirButtonColor(onair::OnAirOffColor);
}

void DisplayForm::SelAutoUpdate_Click(int index) {
    if (index != 0 && index != 1)
        return;
    m_state.AutoOnAir = index == 1;
    checkOnly(m_SelAutoUpdate, index);
}

// ---- Clock ----

void DisplayForm::Timer_Timer(int index) {
    if (index != 0)
        return;
    try {
        ReceiverClipboardStep();
    } catch (...) {
        // A failing clipboard exchange must not stop the clock.
    }
    onair::ComputeClock(m_state, m_services.clock.localNow(), QLocale());
    if (m_state.UTCSec == u"00") {
        m_grid->refresh();
        if (m_state.OnAirMode && m_state.AutoOnAir)
            DisplayOnAir();
    } else if (m_state.UTCHHMM != m_styledMinute) {
        // A new time zone moves the minute between the full-minute ticks: the rows keep
        // their on-air colours only while the minute they were styled for lasts.
        m_grid->clearFindMarking();
    }
    m_styledMinute = m_state.UTCHHMM;
    if (m_state.DisplayClock)
        setWindowTitle(QStringLiteral("Skedwise ") + m_state.ClockStr);
}

void DisplayForm::ClockOnOff_Click(int index) {
    if (index == 0) {
        m_state.DisplayClock = false;
        checkOnly(m_ClockOnOff, 0);
        setWindowTitle(QStringLiteral("Skedwise Database Program"));
    } else if (index == 1) {
        m_state.DisplayClock = true;
        checkOnly(m_ClockOnOff, 1);
    }
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
}

bool DisplayForm::eventFilter(QObject *watched, QEvent *event) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::KeyPress && widget && widget->window() == this) {
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
    case KeyCommand::StopLog:
        m_state.LogOn = decision.command == KeyCommand::StartLog;
        enableLogButtons(m_state.LogOn);
        m_state.LogOn ? StartLog() : StopLog();
        break;
    case KeyCommand::PickRow:
        SSDBGrid_PickRow();
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

void DisplayForm::enableLogButtons(bool logOn) {
    m_cmdLog[0]->setEnabled(!logOn);
    m_cmdLog[1]->setEnabled(logOn);
}

void DisplayForm::CmdLog_Click(int index) {
    if (index == 0) {
        m_state.LogOn = true;
        enableLogButtons(true);
        StartLog();
    } else if (index == 1) {
        m_state.LogOn = false;
        m_cmdLog[1]->setEnabled(false);
        StopLog();
    }
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
// ---- Entry points of later work ----

void DisplayForm::StartLog() {}
void DisplayForm::StopLog() {}
void DisplayForm::CmdGo_Click() {}
void DisplayForm::ReceiverClipboardStep() {}
void DisplayForm::SendTuneRequest(const QString &) {}
void DisplayForm::ShowSingleRecord() {}
void DisplayForm::SForm_Click() {}
void DisplayForm::SelectM_Click(int) {}
void DisplayForm::PrintData_Click(int) {}
void DisplayForm::Export_Click(int) {}
void DisplayForm::ChangeLog_Click() {}
void DisplayForm::TTips_Click(int) {}
void DisplayForm::DoLink_Click(int) {}
void DisplayForm::Colors_Click(int) {}
void DisplayForm::FontNames_Click(int) {}
void DisplayForm::DFonts_Click(int) {}
void DisplayForm::WhichFont_Click(int) {}
void DisplayForm::FSort_Click(int) {}
void DisplayForm::Sinpo_Click(int) {}
void DisplayForm::LC_Click(int) {}
void DisplayForm::Legends_Click() {}
void DisplayForm::ShowHelp_Click() {}
void DisplayForm::DoAbout_Click() {}

} // namespace mainwindow
