// The main window's buttons and menus: each only calls its handler.
#include "mainwindow/DisplayWindow.h"

#include "app/ScreenUnitsUi.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "onair/OnAir.h"
#include "schedule/QueryComposition.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace mainwindow {

namespace {
constexpr int ButtonHeightTwips = 375;

// A place of the button row in twips, grown with the desktop's font so captions fit.
int px(double twips, const QWidget *w) {
    return app::twipsToPixels(twips * app::desktopFontScale(), w);
}

// What ReadDB does to the grid widget.
class GridResult : public schedule::ResultGrid {
public:
    explicit GridResult(ScheduleGridWidget &grid) : m_grid(grid) {}
    void rebuildColumns() override { m_grid.rebuildColumns(); }
    void setColumnWidthTwips(int column, double twips) override {
        m_grid.setColumnWidthTwips(column, int(std::lround(twips)));
    }
    // New rows: a selection kept by row position would mark rows the listener never chose.
    void refresh() override {
        m_grid.clearSelection();
        m_grid.refresh();
    }
    void setCaption(const QString &caption) override { m_grid.setCaption(caption); }

private:
    ScheduleGridWidget &m_grid;
};
} // namespace

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

    m_cmdGo = addButton(QStringLiteral("&Go"), QStringLiteral("CmdGo"), 120, 600);
    m_cmdOnAir = addButton(QStringLiteral("On &Air"), QStringLiteral("CmdONAir"), 780, 1000);
    m_cmdLog[0] = addButton(QStringLiteral("Log ON"), QStringLiteral("CmdLog_0"), 1840, 1000);
    m_cmdLog[1] = addButton(QStringLiteral("Log OFF"), QStringLiteral("CmdLog_1"), 2900, 1000);
    m_cmdFilter =
        addButton(QStringLiteral("Filter Status"), QStringLiteral("CmdFilter"), 3960, 1400);
    m_selectAll =
        addButton(QStringLiteral("&Clear Filter"), QStringLiteral("SelectAll"), 5420, 1400);
    m_label0 = new QLabel(client);
    m_label0->setObjectName(QStringLiteral("Label_0"));
    m_label0->setAccessibleName(QStringLiteral("Selected frequency"));
    m_label0->setAlignment(Qt::AlignCenter);
    m_label0->setGeometry(px(6900, this), 0, px(1200, this), px(ButtonHeightTwips, this));
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
    button->setGeometry(px(leftTwips, this), 0, px(widthTwips, this), px(ButtonHeightTwips, this));
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
    addItem(nullptr, QStringLiteral("E&xit"), QStringLiteral("ExitNow"),
            [this] { ExitNow_Click(); });
    buildFindMenus();
    addItem(nullptr, QStringLiteral("&Select Fields"), QStringLiteral("SForm"),
            [this] { SForm_Click(); });
    QMenu *method = addMenu(nullptr, QStringLiteral("Select &Method"), QStringLiteral("SM1"));
    m_SelectM = addItems(
        method, QStringLiteral("SelectM"),
        {QStringLiteral("Single Record"), QStringLiteral("Multi Records (1 row at a time)"),
         QStringLiteral("Multi Records Contiguous"), QStringLiteral("Clear BookMarks")},
        0, true, [this](int i) { SelectM_Click(i); });
    m_SelectM[3]->setCheckable(false);
    buildFunctionAndHelpMenus();
}

void DisplayForm::buildFindMenus() {
    QMenu *find = addMenu(nullptr, QStringLiteral("&Find"), QStringLiteral("FindBy1"));
    m_FindA = addItems(find, QStringLiteral("FindA"),
                       {QStringLiteral("Frequency  F2"), QStringLiteral("Station        F3"),
                        QStringLiteral("Location     F4"), QStringLiteral("Start Time   F5"),
                        QStringLiteral("ADM            F6"), QStringLiteral("STN            F7")},
                       0, false, [this](int i) { FindA_Click(i); });
    QMenu *filter = addMenu(nullptr, QStringLiteral("Filter &By"), QStringLiteral("FindS"));
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
    QMenu *functions = addMenu(nullptr, QStringLiteral("F&unctions"), QStringLiteral("Func"));
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
    addScheduleItems(functions);
    QMenu *logFile = addMenu(nullptr, QStringLiteral("&Log File"), QStringLiteral("LogFile"));
    addItem(logFile, QStringLiteral("Log File &Name…"), QStringLiteral("ChangeLog"),
            [this] { ChangeLog_Click(); });
    addItem(logFile, QStringLiteral("&Show Log…"), QStringLiteral("ShowLog"),
            [this] { ShowLog_Click(); });
    buildOptionsMenu();
    buildViewMenu();
    QMenu *help = addMenu(nullptr, QStringLiteral("&Help"), QStringLiteral("H1"));
    addItem(help, QStringLiteral("Legend"), QStringLiteral("Legends"), [this] { Legends_Click(); });
    addItem(help, QStringLiteral("Contents"), QStringLiteral("ShowHelp"),
            [this] { ShowHelp_Click(); });
    addItem(help, QStringLiteral("About"), QStringLiteral("DoAbout"), [this] { DoAbout_Click(); });
}

void DisplayForm::buildOptionsMenu() {
    QMenu *options = addMenu(nullptr, QStringLiteral("&Options"), QStringLiteral("SO1"));
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
    addReceiverModeItem(findChild<QMenu *>(QStringLiteral("RLink")));
    addReceiverProgramItem(findChild<QMenu *>(QStringLiteral("RLink")));
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
                      QStringLiteral("14 pt."), QStringLiteral("16 pt."), QStringLiteral("18 pt."),
                      QStringLiteral("20 pt."), QStringLiteral("24 pt.")},
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
    addWeeklyCheckItem(options);
}

} // namespace mainwindow
