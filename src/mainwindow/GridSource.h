#pragma once

#include "jet/Cell.h"

#include <QString>

namespace mainwindow {

// The rows the schedule grid shows: a record set seen by row position, with a current record.
// Row positions run 0..rowCount()-1 in record-set order; bookmarks identify records.
class GridSource {
public:
    virtual ~GridSource() = default;

    virtual int rowCount() const = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    virtual jet::Cell cellValue(int row, int field) const = 0;
    virtual QString cellText(int row, int field) const {
        return jet::displayText(cellValue(row, field));
    }

    virtual int bookmarkAt(int row) const = 0;      // -1 outside the rows
    virtual int positionOf(int bookmark) const = 0; // -1 when not a record of this source

    // The current record's row, -1 when there is none.
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;
};

} // namespace mainwindow
