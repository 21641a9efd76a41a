#pragma once

#include "app/GridPort.h"
#include "support/MemoryTables.h"

namespace testsupport {

// The grid operations a fake port does not care about: each does nothing. A fake derives from
// it beside its own port and overrides only what its test watches.
class StubGridPort : public virtual app::GridPort {
public:
    StubGridPort() : m_data(m_tables) {}

    jet::DataSource &data1() override { return m_data; }
    void ReadDB(const QString &) override {}
    int visibleRowCount() const override { return 0; }
    void setGridRedraw(bool) override {}
    void refreshGrid() override {}
    void resetGridRows() override {}
    void resetGridSelection() override {}
    int bookmarkAtOffset(int) const override { return -1; }
    void setFirstVisibleRow(int) override {}
    int currentBookmark() const override { return -1; }
    jet::Cell firstColumnValue(int) const override { return {}; }
    void setGridCaption(const QString &) override {}
    void clearFindMarking() override {}
    void setBusyPointer(bool) override {}

private:
    MemoryTables m_tables;
    jet::DataSource m_data;
};

} // namespace testsupport
