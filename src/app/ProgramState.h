#pragma once

#include "app/FetchSettings.h"
#include "app/FieldCatalogue.h"

#include <QDateTime>
#include <QString>

#include <array>

namespace app {

// Settings of the features added beyond the 36 keys of "DataBase Defaults"; kept in the
// section "Skedwise" (LoadOwnSettings/SaveOwnSettings), each member named as its key.
struct OwnSettings {
    bool SetReceiverMode = true;    // a row pick sends the row's mode with its frequency
    bool SampleNoticeShown = false; // an installed program said that its sample is made up
    QString MyLocation;             // the listener: a Maidenhead locator or "lat, lon" in degrees
};

// Every program-wide variable, under the name the rest of the program knows it by.
// One object is created before start-up and handed to every window; all access happens
// on the user-interface thread.
struct ProgramState {
    // Settings-backed (loaded at start, saved at exit), starting at their defaults.
    QString AVersion;
    qint16 SplitterPosition = 2;
    bool MarkOnSelect = false;
    bool DisplayClock = true;
    bool AutoOnAir = false;
    QString FontIsBold = QStringLiteral("True");
    qint32 MarkedRowBackColor = 13172680;
    qint32 GridBackColor = 16777215;
    qint32 OnAirNormColor = 255;
    qint32 OnAirSelectColor = 16711680;
    double BackColor = 16777215;
    double Forecolor = 0;
    bool SINPOPrompt = true;
    QString LogFileName = QStringLiteral("Skedwise.Log");
    qint16 RowSelectType = 1;
    QString LangFormTop = QStringLiteral("0");
    QString LangFormLeft = QStringLiteral("0");
    bool ClearOnStart = false;
    QString FSortStr;
    QString DoTips = QStringLiteral("True");
    QString LinkOK = QStringLiteral("True");
    QString GridFontSize = QStringLiteral("8");
    QString GridFontname = QStringLiteral("Courier New");
    double TimeZone = 0;
    QString SortBy = QStringLiteral("Freq");
    QString Language = QStringLiteral("ALL");
    QString FormHeight = QStringLiteral("3600");
    qint16 FormWidth = 8000;
    QString FormTop;     // half the screen height, known only when loading
    qint16 FormLeft = 0; // a quarter of the screen width, likewise
    QString ColChars =
        QStringLiteral("0,9,22,10,18,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    QString FieldNums =
        QStringLiteral("0,1,2,3,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    QString FnamesStr =
        QStringLiteral("StationID,Freq,Station,UTC,Language,,,,,,,,,,,,,,,,,,,,,,,,,");
    QString DisplayListStr = QStringLiteral("Station,UTC,Language");
    QString SourceListStr = QStringLiteral(
        "ADM,Azi,Country,CIRAF,Days,Graphic,Lati,LC,Location,Longi,Mode,P,Power,Program,Region,"
        "Remarks,Status,STN,Target,TargetALL,UTCB,UTCE");
    QString CurrentFileName = QStringLiteral("ilgsdata.txt");
    OwnSettings own;
    FetchSettings fetch; // section "Schedule Fetch"

    // Code tables.
    schedule::CodeTables codes;

    // Display-field model.
    schedule::DisplayFieldArray DisplayFields;
    QString ParseStr;
    QString FieldListStr;
    std::array<QString, schedule::FieldCount> ColWidths;
    qint16 UTCBCol = 0, UTCECol = 0, UTCCol = 0, LocCol = 0, StationCol = 0, ADMCol = 0, STNCol = 0;
    bool UTCShown = false;
    qint16 CharWidth = 0;
    bool ColsChanged = false;

    // Query state.
    QString SQLStr;
    QString WhereStr;
    QString OrderByStr;
    QString FilterStr;
    QString SearchStr;
    qint16 FindType = 0;
    qint16 HalfRows = 0;
    QString CaptionNot;
    QString QueryNot;
    bool OnAirMode = false;
    QString SavedSQL, SavedFilterStr, SavedSortBy;
    bool QueryOnAir = false;
    bool LangSync = false;

    // Selection, receiver and log.
    qint32 SelStationID = 0;
    qint32 LastStationID = 0;
    QString RadioFreq;
    QString RadioStatus;
    bool LogOn = false;
    QString LogNotice;
    QString LogEntry;
    QString LogPath;
    std::array<QString, 12> LogRecord;

    // Clock.
    QDateTime LocalNow;
    QDateTime UTCTime;
    QString ClockStr;
    QString UTCHour, UTCMin, UTCSec;
    QString UTCHHMM;

    // Grid style names.
    QString RedNormalStyle, BlueBoldStyle, RedBoldStyle, PaleGreenStyle;

    // Dialog results.
    qint32 Response = 0;
    bool DlgCancel = false;
    bool ExitFlag = false;

    schedule::FieldLists fieldLists() const { return {ColChars, FieldNums, FnamesStr}; }
    void setFieldLists(const schedule::FieldLists &l) {
        ColChars = l.ColChars;
        FieldNums = l.FieldNums;
        FnamesStr = l.FnamesStr;
    }
};

} // namespace app
