#pragma once

#include "onair/OnAir.h"
#include "onair/OnAirSequences.h"
#include "schedule/FilterPort.h"
#include "support/FakeGridWindow.h"

#include <functional>

namespace testsupport {

// A main window without windows for the filters: the grid part of FakeGridWindow, the chosen
// fields displayed, and the filter calls recorded in events.
class FakeMainWindow : public schedule::FilterPort, public FakeGridWindow {
public:
    explicit FakeMainWindow(std::shared_ptr<const jet::Table> table,
                            const QString &fieldNames = "StationID,Freq,Station,UTC,Language")
        : FakeGridWindow(std::move(table)) {
        s.codes = schedule::buildCodeTables();
        useFields(fieldNames);
        s.SQLStr = "Select " + s.FieldListStr + " From MyDataTable";
        visibleRows = 20;
        ReadDB(s.SQLStr);
        events.clear();
    }

    // Displays these fields (comma list), StationID first.
    void useFields(const QString &names) {
        const QStringList list = names.split(',');
        s.FnamesStr = list.join(',') + QString(27 - list.size(), ',');
        s.ColChars = QString("5,").repeated(26) + "5";
        s.FieldNums = QString("0,").repeated(26) + "0";
        schedule::ParseFieldLists(s.fieldLists(), s.DisplayFields);
        schedule::BuildSQL(s);
    }

    int onAirColor = -1;
    QString languageSelectorText;
    std::function<void()> queryDialog; // plays the user's part in the modal dialog

    void DisplayOnAir() override { events << "DisplayOnAir"; }
    // Records the call and runs the program's own sequence, as the window does.
    void DisableOnAir() override {
        events << "DisableOnAir";
        onair::DisableOnAir(*this);
    }
    void setOnAirButtonColor(int bgr) override { onAirColor = bgr; }
    void showQueryDialog() override {
        events << "showQueryDialog";
        if (queryDialog)
            queryDialog();
    }
    void showLanguageSelector() override { events << "showLanguageSelector"; }
    void setLanguageSelectorText(const QString &text) override { languageSelectorText = text; }
    void closeSingleRecordWindow() override { events << "closeSingleRecordWindow"; }
};

} // namespace testsupport
