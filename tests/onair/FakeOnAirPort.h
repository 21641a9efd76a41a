#pragma once

#include "app/ScriptedPrompts.h"
#include "onair/OnAirPort.h"
#include "schedule/QueryComposition.h"
#include "support/MemoryTables.h"

namespace testsupport {

// The main window as the on-air sequences see it: Data1 on an in-memory table, a grid that
// shows visibleRows rows and remembers where it was scrolled. events lists the calls in order.
class FakeOnAirPort : public onair::ClockPort, private schedule::ResultGrid {
public:
    FakeOnAirPort(std::shared_ptr<const jet::Table> table, const QString &fieldList)
        : data(tables) {
        tables.add("db", std::move(table));
        data.setDatabaseName("db");
        s.FieldListStr = fieldList;
        s.SortBy = "Freq";
        s.SQLStr = "Select " + fieldList + " From MyDataTable";
        ReadDB(s.SQLStr);
        events.clear();
    }

    jet::RecordSet &rs() { return data.recordset(); }
    int currentStation() { return int(rs().value(rs().position(), 0).number); }
    int firstVisibleStation() { return int(rs().value(rs().positionOf(firstVisible), 0).number); }

    app::ProgramState s;
    app::ScriptedPrompts script;
    MemoryTables tables;
    jet::DataSource data;
    QStringList events;
    QString caption;
    QString title;
    int visibleRows = 6;
    int firstVisible = -1;
    int buttonColor = -1;
    int busyLevel = 0;

    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    jet::DataSource &data1() override { return data; }
    void ReadDB(const QString &selectText) override {
        events << "ReadDB";
        schedule::ReadDB(s, selectText, data, *this, script);
    }
    int visibleRowCount() const override { return visibleRows; }
    void setGridRedraw(bool) override {}
    void refreshGrid() override { events << "refreshGrid"; }
    void resetGridRows() override { events << "resetGridRows"; }
    void resetGridSelection() override { events << "resetGridSelection"; }
    int bookmarkAtOffset(int offset) const override {
        const jet::RecordSet &r = data.recordset();
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
    void clearFindMarking() override { events << "clearFindMarking"; }
    void setBusyPointer(bool on) override { busyLevel = on ? 1 : 0; }
    void setOnAirButtonColor(int rgb24) override { buttonColor = rgb24; }
    void setWindowTitle(const QString &t) override { title = t; }

private:
    void rebuildColumns() override {}
    void setColumnWidthTwips(int, double) override {}
    void refresh() override {}
    void setCaption(const QString &c) override { caption = c; }
};

} // namespace testsupport
