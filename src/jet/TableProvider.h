#pragma once

#include "jet/Table.h"

#include <memory>

namespace jet {

// The outcome of opening a database file: the table, or a message in plain words naming
// the file ("... is not an Access database", "... has no table MyDataTable", ...).
struct LoadOutcome {
    std::shared_ptr<const Table> table;
    QString error;
    bool ok() const { return table != nullptr; }
};

// Gives the loaded table of a file; implementations load each file once and share it.
class TableProvider {
public:
    virtual ~TableProvider() = default;
    virtual LoadOutcome table(const QString &file, const QString &tableName) = 0;
    // The file was replaced: the next request reads it again.
    virtual void forget(const QString &) {}
};

} // namespace jet
