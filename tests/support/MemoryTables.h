#pragma once

#include "jet/CsvRows.h"
#include "jet/TableProvider.h"

#include <map>

namespace testsupport {

// Serves tables built in the test, by file name, as a loaded database would.
class MemoryTables : public jet::TableProvider {
public:
    void add(const QString &file, std::shared_ptr<const jet::Table> table) {
        m_tables[file] = std::move(table);
    }
    jet::LoadOutcome table(const QString &file, const QString &) override {
        ++loads;
        const auto it = m_tables.find(file);
        if (it == m_tables.end())
            return {nullptr, file + " was not found."};
        return {it->second, {}};
    }
    int loads = 0;

private:
    std::map<QString, std::shared_ptr<const jet::Table>> m_tables;
};

// A table of the given CSV rows, Freq and StationID as numbers and the rest as texts.
std::shared_ptr<const jet::Table> tableFromCsv(const jet::CsvRows &csv);

// The 1,500 rows of the shared schedule fixture; null when the fixture is absent.
std::shared_ptr<const jet::Table> fixtureScheduleTable();

} // namespace testsupport
