#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace schedule {

constexpr int FieldCount = 27; // fields of MyDataTable, numbered 0..26
constexpr int ProgCount = 14;  // program type codes, index 0 empty
constexpr int ContinentCount = 10;

// One displayed grid column: width in characters, field number and field name.
struct DisplayField {
    qint16 ColChars = 0;
    qint16 FieldNum = 0;
    QString FieldName;
    bool operator==(const DisplayField &) const = default;
};

using DisplayFieldArray = std::array<DisplayField, FieldCount>;

// The code tables, built once at start and never changed.
struct CodeTables {
    std::array<QString, FieldCount> FieldNames;
    std::array<qint16, FieldCount> DefColChars{};
    std::array<QString, ProgCount> ProgTypes;
    std::array<QString, ProgCount> ProgCodes;
    std::array<QString, ContinentCount> Continents;
};

CodeTables buildCodeTables();

// The three stored comma lists that persist the displayed columns.
struct FieldLists {
    QString ColChars;
    QString FieldNums;
    QString FnamesStr;
};

// Splits the three lists into the 27 slots. A list with fewer than 26 commas leaves the
// slots past its last entry empty (width 0, field 0, no name).
void ParseFieldLists(const FieldLists &lists, DisplayFieldArray &fields);

// Joins the 27 slots back into the three lists.
FieldLists BuildFieldLists(const DisplayFieldArray &fields);

// First field number whose name equals name ignoring letter case; -1 when none.
qint16 FieldIndex(const CodeTables &tables, const QString &name);

// Number of displayed slots: those before the first slot without a name.
int displayedFieldCount(const DisplayFieldArray &fields);

} // namespace schedule
