#pragma once

#include "jet/Table.h"

#include <QStringList>

#include <memory>

namespace jet {

// Why a file could not be read. The numbers travel between processes: keep them stable.
enum class ReadStatus : unsigned char {
    Ok = 0,
    NotFound = 1,
    Unreadable = 2, // exists, but cannot be opened (permissions, a folder...)
    NotAccess = 3,
    NoTable = 4,
    Damaged = 5,
};

// Receives one table's rows value by value, in table order. Text arrives as UTF-8.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void null() = 0;
    virtual void number(double value) = 0;
    virtual void text(const char *utf8, qsizetype size) = 0;
    virtual void endRow() = 0;
};

// Reads Access (Jet 3 and Jet 4) files read-only through libmdb. A damaged file can make
// libmdb crash or loop, so callers outside tests run this in a worker process.
class MdbReader {
public:
    MdbReader();
    ~MdbReader();
    MdbReader(const MdbReader &) = delete;
    MdbReader &operator=(const MdbReader &) = delete;

    ReadStatus open(const QString &file);
    int jetVersion() const; // 3 or 4; 0 when no file is open
    QStringList tableNames() const;

    // Finds the table ignoring letter case and reads its column list.
    ReadStatus openTable(const QString &name);
    const QVector<Column> &columns() const;

    // Streams every row of the open table; Damaged when the data pages point outside
    // the file or a value lies outside its page.
    ReadStatus readRows(RowSink &sink);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Everything in one go, in this process (for tests and tools that trust the file).
struct DirectRead {
    ReadStatus status = ReadStatus::Ok;
    std::unique_ptr<Table> table;
};
DirectRead readTableDirect(const QString &file, const QString &tableName);

} // namespace jet
