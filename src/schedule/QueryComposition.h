#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "jet/DataSource.h"

namespace schedule {

// What ReadDB asks of the grid showing the main record set.
class ResultGrid {
public:
    virtual ~ResultGrid() = default;
    virtual void rebuildColumns() = 0; // one column per field of the new record source
    virtual void setColumnWidthTwips(int column, double twips) = 0;
    virtual void refresh() = 0;
    virtual void setCaption(const QString &caption) = 0;
};

// Rebuilds FieldListStr, ColWidths and the column positions from DisplayFields.
void BuildSQL(app::ProgramState &state);

// z right-aligned in p characters (at most 31 blanks added), or its first p characters.
QString PadB(const QString &z, qint16 p);

// The ORDER BY clause for SortBy and FSortStr; descending applies to the frequency only.
QString orderByClause(const QString &sortBy, const QString &fSortStr);

// The text ReadDB runs: selectText narrowed by the extra condition whereStr (with or without
// its joining word), each condition in brackets so that any Or inside stays inside, then the
// ordering.
QString recordSource(const QString &selectText, const QString &whereStr, const QString &orderByStr);

// The first query at start: the stored language (any language when "ALL") as SQLStr and
// its description as FilterStr.
void startupQuery(app::ProgramState &state);

// The grid caption for a record count.
QString gridCaption(app::ProgramState &state, int recordCount);

// Runs selectText with WhereStr and the ordering on data1 and shows the result. An error
// resets QueryNot and leaves grid and caption as they were; returns false then.
bool ReadDB(app::ProgramState &state, const QString &selectText, jet::DataSource &data1,
            ResultGrid &grid, app::Prompts &prompts);

} // namespace schedule
