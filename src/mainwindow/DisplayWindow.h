#pragma once

#include "app/ClipboardStep.h"

#include "app/Conversions.h"
#include "app/LocalFileSystem.h"
#include "app/Services.h"
#include "fetch/Sources.h"
#include "jet/DataSource.h"
#include "mainwindow/DisplayOptionsPort.h"
#include "mainwindow/GridRecordSetView.h"
#include "mainwindow/ScheduleGridModel.h"
#include "reference/ReferenceViewsUi.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

#include <memory>

class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace schedule {
class ResultGrid;
class QueryDialog;
class LanguageSelectorWindow;
class FilterStatusPopup;
} // namespace schedule

namespace onair {
class TimeZoneDialog;
}

namespace receiver {
class ReceiverLink;
}

namespace logbook {
class ReceptionLog;
}

namespace imports {
class BackgroundUpdate;
class ImportUi;
struct UpdateResult;
} // namespace imports
namespace map {
class PictureWindows;
}

namespace mainwindow {

class ScheduleGridWidget;
class DisplayFormPort;

// The main window: the schedule grid, its buttons, menus, keys and the clock timer.
class DisplayForm : public QMainWindow {
    Q_OBJECT
public:
    using ItemArray = QList<QAction *>;

    explicit DisplayForm(app::Services services, QWidget *parent = nullptr);
    ~DisplayForm() override;

    // The load handler: runs once before the window is first shown.
    void Form_Load();
    // The activate handler: the pointer goes back to normal.
    void Form_Activate();
    // "Exit": saves with the window's current top and left, then ends.
    void ExitNow_Click();

    // Position and size in twips.
    double topTwips() const;
    double leftTwips() const;
    double heightTwips() const;
    double widthTwips() const;

    // Grid height, button row and HalfRows for an outer window height in twips.
    void applyLayout(double outerHeightTwips);

    // The grid and its record source.
    void SetupGrid();
    void CheckFontSize();
    bool ReadDB(const QString &selectText);

    // Grid events.
    void SSDBGrid_PickRow();
    void SSDBGrid_SortColumn(int column);
    void SSDBGrid_MouseButton(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void SSDBGrid_StyleRow(int bookmark, GridRowStyle &row);

    // Stations on the air.
    void CmdONAir_Click();
    void CmdONAir_MouseDown(Qt::MouseButton button);
    void DisplayOnAir();
    void DisableOnAir();
    void SelAutoUpdate_Click(int index);

    // Clock and time zone.
    void Timer_Timer(int index);
    void ClockOnOff_Click(int index);
    onair::TimeZoneDialog *ChangeTZ_Click();

    // A key pressed anywhere in the window; returns whether it is consumed.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers shift, bool fromGrid);

    // Reception log buttons (F9 and F10 do the same).
    void CmdLog_Click(int index);

    // Entry points of the work still to come; they do nothing yet.
    void FindA_Click(int index);
    void FindNow_Click(int index);
    void Progs_Click(int index);
    void StartLog();
    void StopLog();
    void CmdGo_Click();
    void SelectAll_Click();
    void CmdFilter_MouseDown();
    void CmdFilter_MouseUp();
    app::ClipboardStepResult ReceiverClipboardStep();
    void SendTuneRequest(const QString &freqText);
    void FindRadioFreq(const QString &payload);
    void ShowSingleRecord();
    void SForm_Click();
    void SelectM_Click(int index);
    void PrintData_Click(int index);
    void Export_Click(int index);
    void ChangeLog_Click();
    void TTips_Click(int index);
    void DoLink_Click(int index);
    void Colors_Click(int index);
    void FontNames_Click(int index);
    void DFonts_Click(int index);
    void WhichFont_Click(int index);
    void FSort_Click(int index);
    void Sinpo_Click(int index);
    void LC_Click(int index);
    void Legends_Click();
    void ShowHelp_Click();
    void DoAbout_Click();
    // "Functions" > "Import EiBi Schedule…", "Import HFCC Schedule…", "Update Schedule…",
    // "Options" > "Check for a New Schedule Weekly", and the grid on the replaced database.
    void ImportSchedule_Click(fetch::Source source);
    void UpdateSchedule_Click();
    void CheckWeekly_Click();
    void reloadSchedule();
    QString scheduleDatabasePath() const;
    // "Log File" > "Show Log…": the log window on the current log file.
    void ShowLog_Click();
    // "RX320 Link" > "Start Receiver Program": skedwise-rx, unless a copy runs.
    void StartRx_Click();
    void SetReceiverMode_Click();
    // "View" > "Map", "Band Chart" and "Options" > "My Location…" (DisplayFormPicturesUi.cpp).
    void Map_Click();
    void BandChart_Click();
    void MyLocation_Click();
    map::PictureWindows &pictures();

    void setOnAirButtonColor(int rgb24);

    ScheduleGridWidget *grid() const { return m_grid; }
    const app::Services &services() const { return m_services; }
    schedule::QueryDialog *queryDialog() const { return m_queryDialog; }
    schedule::LanguageSelectorWindow *languageSelector() const { return m_languageSelector; }
    jet::DataSource &data1() { return m_data1; }
    jet::DataSource &data2() { return m_data2; }
    QTimer *timer() const { return m_timer; }
    QString fileDialogFolder() const { return m_fileDialogFolder; }
    // Label 0 and the language selector's list take BackColor and Forecolor.
    void repaintColours();
    QAction *optionItem(OptionGroup group, int index) const; // nullptr outside the group

    reference::ReferenceViewsUi &reference() { return m_reference; }

    // For the receiver link and the log's port.
    app::LocalFileSystem &fileSystem() { return m_files; }
    QLabel *label0() const { return m_label0; }
    QPushButton *cmdLog(int index) const { return m_cmdLog[index]; }
    const ItemArray &linkItems() const { return m_DoLink; }
    const ItemArray &sinpoItems() const { return m_Sinpo; }
    logbook::ReceptionLog &receptionLog() { return *m_log; }
    receiver::ReceiverLink &receiverLink() { return *m_link; }

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void buildFindMenus();
    void buildOptionsMenu();
    void addReceiverProgramItem(QMenu *linkMenu);
    void addReceiverModeItem(QMenu *linkMenu);
    void buildFunctionAndHelpMenus();
    void buildViewMenu();
    void picturesFollowSoon();
    QMenu *addMenu(QMenu *parent, const QString &caption, const QString &name);
    QAction *addItem(QMenu *menu, const QString &caption, const QString &name,
                     std::function<void()> handler);
    ItemArray addItems(QMenu *menu, const QString &name, const QStringList &captions,
                       int firstIndex, bool checkable, std::function<void(int)> handler);
    QPushButton *addButton(const QString &caption, const QString &name, int leftTwips,
                           int widthTwips);

    void placeWindow();
    void saveSettings();
    void applyOptionMarks();
    qint16 charWidthTwips() const;
    void defineStyleSets();
    void loadCompanionWindows();
    void reportDatabaseProblem();
    void setButtonTip(QObject *watched);
    bool filterStatusKey(QObject *watched, QEvent *event);
    void contextKey(bool fromGrid);
    int recordCount() const;
    void showCurrentRecord();
    void pageRows(bool down, bool jumpToEnd);
    void moveToRecord(bool last);
    void addScheduleItems(QMenu *functions);
    void addWeeklyCheckItem(QMenu *options);
    imports::ImportUi importDialogs();
    void recordSchedule(const app::ScheduleRecord &record);
    void showScheduleNotice(const QString &text);
    void startScheduleChecks();
    void weeklyCheckDone(const imports::UpdateResult &result);

    app::Services m_services;
    app::ProgramState &m_state;
    app::TwipsLength m_givenWidth{0, 0}, m_givenHeight{0, 0}; // as placeWindow set them
    jet::DataSource m_data1;
    jet::DataSource m_data2;
    GridRecordSetView m_gridSource;
    ScheduleGridWidget *m_grid = nullptr;
    std::unique_ptr<schedule::ResultGrid> m_gridResult;
    QPushButton *m_cmdGo = nullptr;
    QPushButton *m_cmdOnAir = nullptr;
    QPushButton *m_cmdLog[2] = {nullptr, nullptr};
    QPushButton *m_cmdFilter = nullptr;
    QPushButton *m_selectAll = nullptr;
    QLabel *m_label0 = nullptr;
    QList<QWidget *> m_buttonRow;
    QTimer *m_timer = nullptr;
    QString m_fileDialogFolder;
    QPointer<onair::TimeZoneDialog> m_timeZoneDialog;
    QString m_styledMinute; // the UTC minute the grid's row colours were worked out for
    app::LocalFileSystem m_files;
    std::unique_ptr<DisplayFormPort> m_port;
    std::unique_ptr<receiver::ReceiverLink> m_link;
    std::unique_ptr<logbook::ReceptionLog> m_log;
    schedule::QueryDialog *m_queryDialog = nullptr;
    schedule::LanguageSelectorWindow *m_languageSelector = nullptr;
    std::unique_ptr<schedule::FilterStatusPopup> m_filterStatus;

    ItemArray m_FindA, m_FindNow, m_Progs, m_SelectM, m_PrintData, m_Export;
    ItemArray m_TTips, m_DoLink, m_Colors, m_FontNames, m_DFonts, m_WhichFont, m_FSort;
    ItemArray m_Sinpo, m_SelAutoUpdate, m_ClockOnOff, m_LC;
    reference::ReferenceViewsUi m_reference;
    QAction *m_checkWeekly = nullptr;
    QAction *m_setReceiverMode = nullptr;
    QLabel *m_scheduleNotice = nullptr;
    std::unique_ptr<imports::BackgroundUpdate> m_background;
    std::unique_ptr<map::PictureWindows> m_pictures; // made when first asked for
    bool m_picturesFollowPending = false;
};

} // namespace mainwindow
