#pragma once

#include "app/GridPort.h"
#include "app/ScriptedPrompts.h"
#include "jet/DataSource.h"
#include "schedule/QueryComposition.h"
#include "support/Fakes.h"
#include "support/MemoryTables.h"

#include <QStringList>

#include <algorithm>

namespace testsupport {

// The grid part of a main window without windows: Data1 and Data2 on an in-memory table, a
// grid that remembers what it was asked, scripted prompts and a fake clipboard. events lists
// the grid calls in order.
class FakeGridWindow : public virtual app::GridPort, private schedule::ResultGrid {
public:
    explicit FakeGridWindow(std::shared_ptr<const jet::Table> table,
                            const QString &fields = "StationID,Freq,Station")
        : data(tables), lookup(tables) {
        tables.add("db", std::move(table));
        data.setDatabaseName("db");
        lookup.setDatabaseName("db");
        s.SQLStr = "Select " + fields + " From MyDataTable";
        runReadDB(s.SQLStr);
        events.clear();
    }

    jet::RecordSet &rs() { return data.recordset(); }
    QString currentField(const QString &name) { return jet::displayText(rs().field(name)); }
    int firstVisiblePosition() const { return data.recordset().positionOf(firstVisible); }

    void runReadDB(const QString &selectText) {
        events << "ReadDB " + selectText;
        schedule::ReadDB(s, selectText, data, *this, script);
    }

    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    jet::DataSource &data1() override { return data; }
    void ReadDB(const QString &selectText) override { runReadDB(selectText); }
    int visibleRowCount() const override { return visibleRows; }
    void setGridRedraw(bool on) override { redraw = on; }
    void refreshGrid() override { events << "refreshGrid"; }
    void resetGridRows() override { events << "resetGridRows"; }
    void resetGridSelection() override { events << "resetGridSelection"; }
    void setFirstVisibleRow(int bookmark) override { firstVisible = bookmark; }
    int currentBookmark() const override {
        return data.recordset().recordCount() == 0 ? -1 : data.recordset().bookmark();
    }
    jet::Cell firstColumnValue(int bookmark) const override {
        const jet::RecordSet &r = data.recordset();
        return r.value(r.positionOf(bookmark), 0);
    }
    void clearFindMarking() override { events << "clearFindMarking"; }
    void setGridCaption(const QString &c) override { caption = c; }
    void setBusyPointer(bool on) override { busy = on; }
    int bookmarkAtOffset(int offset) const override {
        const jet::RecordSet &r = data.recordset();
        if (r.recordCount() == 0)
            return -1;
        const int from = std::max(0, r.position());
        return r.bookmarkAt(std::clamp(from + offset, 0, r.recordCount() - 1));
    }

    app::ProgramState s;
    app::ScriptedPrompts script;
    FakeClipboard clip;
    MemoryTables tables;
    jet::DataSource data;
    jet::DataSource lookup;
    QStringList events;
    QString caption;
    int visibleRows = 4;
    bool redraw = true;
    bool busy = false;
    int firstVisible = -1;

private:
    void rebuildColumns() override {}
    void setColumnWidthTwips(int, double) override {}
    void refresh() override {}
    void setCaption(const QString &c) override { caption = c; }
};

} // namespace testsupport
