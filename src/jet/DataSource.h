#pragma once

#include "jet/TableProvider.h"

#include <memory>
#include <span>

namespace jet {

class Query; // a parsed SELECT text (engine)

// Identifies one record of a record set's table; stays valid while the record set lives.
using Bookmark = int;

// The result rows of one SELECT text, with a current record.
class RecordSet {
public:
    RecordSet();
    ~RecordSet();
    RecordSet(RecordSet &&) noexcept;
    RecordSet &operator=(RecordSet &&) noexcept;

    int recordCount() const;
    int fieldCount() const;
    QString fieldName(int field) const;
    int fieldIndex(QStringView name) const; // ignoring letter case; -1 when absent

    // Current record: position 0..recordCount()-1, or -1 (no current record: empty, or
    // moved past the end).
    int position() const;
    bool eof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void moveTo(int position);

    // Makes the first record (in record-set order) matching criterion current and clears
    // the no-match flag; when none matches, sets the flag and leaves the current record.
    // Returns true when the criterion ran, matching or not. A criterion the engine rejects
    // returns false with error set; nothing changes.
    bool findFirst(const QString &criterion, QString *error = nullptr);
    bool noMatch() const;

    Bookmark bookmark() const; // of the current record; -1 when none
    Bookmark bookmarkAt(int position) const;
    int positionOf(Bookmark b) const; // -1 when not in this record set
    void setBookmark(Bookmark b);

    Cell value(int position, int field) const;
    Cell field(QStringView name) const; // of the current record; Null when none
    // The table the records are rows of (a bookmark is a row number there); null when none.
    std::shared_ptr<const Table> table() const;
    // Every record's bookmark, in record-set order.
    std::span<const Bookmark> bookmarks() const;

private:
    friend class DataSource;
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A data source: a database file name, a record source text and one open record set.
class DataSource {
public:
    explicit DataSource(TableProvider &provider);
    ~DataSource();

    void setDatabaseName(const QString &file);
    QString databaseName() const;
    void setRecordSource(const QString &sql);
    QString recordSource() const;

    // Runs the record source. On success the record set is replaced, on its first record.
    // On failure (file not loadable, text rejected) returns false with a message saying
    // where; the previous record set stays as it was.
    bool refresh(QString *error = nullptr);

    RecordSet &recordset();
    const RecordSet &recordset() const;
    void close(); // releases the table and empties the record set

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace jet
