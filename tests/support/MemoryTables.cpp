#include "support/MemoryTables.h"
#include "support/TestSupport.h"

namespace testsupport {

std::shared_ptr<const jet::Table> tableFromCsv(const jet::CsvRows &csv) {
    QVector<jet::Column> columns;
    for (const QString &name : csv.header) {
        const bool number = name == u"StationID" || name == u"Freq";
        columns.push_back({name, number ? jet::ColumnKind::Number : jet::ColumnKind::Text, 0, 0});
    }
    auto table = std::make_shared<jet::Table>(columns);
    for (const auto &row : csv.rows)
        table->appendRow(row);
    return table;
}

std::shared_ptr<const jet::Table> fixtureScheduleTable() {
    const QString path = fixture(QStringLiteral("schedule/rows.csv"));
    if (!QFileInfo::exists(path))
        return nullptr;
    return tableFromCsv(jet::readCsvFile(path));
}

} // namespace testsupport
