#pragma once

#include "app/ScriptedPrompts.h"
#include "onair/OnAir.h"
#include "onair/OnAirSequences.h"
#include "schedule/FilterPort.h"
#include "schedule/QueryComposition.h"
#include "support/MemoryTables.h"

#include <functional>

namespace testsupport {

// A main window without windows: Data1 on an in-memory table, a grid that only remembers
// what it was asked, and scripted prompts. events lists the calls in order.
class FakeMainWindow : public schedule::FilterPort, private schedule::ResultGrid {
public:
    explicit FakeMainWindow(std::shared_ptr<const jet::Table> table,
                            const QString &fieldNames = "StationID,Freq,Station,UTC,Language")
        : data(tables) {
        tables.add("db", std::move(table));
        data.setDatabaseName("db");
        s.codes = schedule::buildCodeTables();
        useFields(fieldNames);
        s.SQLStr = "Select " + s.FieldListStr + " From MyDataTable";
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

    jet::RecordSet &rs() { return data.recordset(); }
    QString currentField(const QString &name) { return jet::displayText(rs().field(name)); }
    int firstVisiblePosition() const { return data.recordset().positionOf(firstVisible); }

    app::ProgramState s;
    app::ScriptedPrompts script;
    MemoryTables tables;
    jet::DataSource data;
    QStringList events;
    QString caption;
    int visibleRows = 20;
    bool redraw = true;
    bool busy = false;
    int firstVisible = -1;
    int onAirColor = -1;
    QString languageSelectorText;
    std::function<void()> queryDialog; // plays the user's part in the modal dialog

    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    jet::DataSource &data1() override { return data; }
    void ReadDB(const QString &selectText) override {
        events << "ReadDB " + selectText;
        schedule::ReadDB(s, selectText, data, *this, script);
    }
    int visibleRowCount() const override { return visibleRows; }
    void setGridRedraw(bool on) override { redraw = on; }
    void refreshGrid() override { events << "refreshGrid"; }
    void resetGridRows() override { events << "resetGridRows"; }
    void resetGridSelection() override { events << "resetGridSelection"; }
    int bookmarkAtOffset(int offset) const override {
        const jet::RecordSet &r = data.recordset();
        if (r.recordCount() == 0)
            return -1;
        const int from = std::max(0, r.position());
        return r.bookmarkAt(std::clamp(from + offset, 0, r.recordCount() - 1));
    }
    void setFirstVisibleRow(int bookmark) override { firstVisible = bookmark; }
    int currentBookmark() const override { return data.recordset().bookmark(); }
    jet::Cell firstColumnValue(int bookmark) const override {
        const jet::RecordSet &r = data.recordset();
        return r.value(r.positionOf(bookmark), 0);
    }
    void setGridCaption(const QString &c) override { caption = c; }
    void setBusyPointer(bool on) override { busy = on; }
    void clearFindMarking() override { events << "clearFindMarking"; }
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

private:
    void rebuildColumns() override {}
    void setColumnWidthTwips(int, double) override {}
    void refresh() override {}
    void setCaption(const QString &c) override { caption = c; }
};

} // namespace testsupport
