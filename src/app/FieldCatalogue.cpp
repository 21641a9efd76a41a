#include "app/FieldCatalogue.h"

#include "app/Conversions.h"

namespace schedule {

CodeTables buildCodeTables() {
    CodeTables t;
    const char *names[FieldCount] = {
        "StationID", "Freq",     "Station", "UTC",     "Days",    "Language", "Graphic",
        "Target",    "Location", "Power",   "Azi",     "Remarks", "Status",   "Mode",
        "TargetALL", "CIRAF",    "ADM",     "Country", "Longi",   "Lati",     "LC",
        "Region",    "STN",      "P",       "Program", "UTCB",    "UTCE"};
    const qint16 widths[FieldCount] = {0,  9,  23, 10, 8, 18, 48, 9,  26, 9, 4,  16, 2, 2,
                                       19, 31, 4,  19, 6, 5,  3,  21, 6,  2, 21, 6,  6};
    for (int i = 0; i < FieldCount; ++i) {
        t.FieldNames[i] = QString::fromLatin1(names[i]);
        t.DefColChars[i] = widths[i];
    }
    const char *types[ProgCount] = {"",
                                    "Classical Music",
                                    "Language Lesson",
                                    "Feature",
                                    "Home Service",
                                    "Local Service",
                                    "Music",
                                    "News",
                                    "Pop Music",
                                    "Religious",
                                    "Sports",
                                    "UnderGround/Pirate",
                                    "Mixed",
                                    "Time Signal"};
    const char *codes[ProgCount] = {"",  "C", "E", "F", "H", "L", "M",
                                    "N", "P", "R", "S", "U", "X", "="};
    for (int i = 0; i < ProgCount; ++i) {
        t.ProgTypes[i] = QString::fromLatin1(types[i]);
        t.ProgCodes[i] = QString::fromLatin1(codes[i]);
    }
    const char *continents[ContinentCount] = {"",   "AF", "AS", "AU", "CA",
                                              "EU", "ME", "NA", "PA", "SA"};
    for (int i = 0; i < ContinentCount; ++i)
        t.Continents[i] = QString::fromLatin1(continents[i]);
    return t;
}

namespace {

// The 27 entries of a stored list: entry i is the text up to the i-th comma; the last
// slot takes the whole remainder, commas included. Missing entries are empty.
std::array<QString, FieldCount> splitList(const QString &list) {
    std::array<QString, FieldCount> entries;
    QString rest = list;
    for (int i = 0; i < FieldCount; ++i) {
        const qsizetype comma = rest.indexOf(u',');
        if (i == FieldCount - 1) {
            entries[i] = rest;
        } else if (comma >= 0) {
            entries[i] = rest.left(comma);
            rest = rest.mid(comma + 1);
        } else {
            entries[i] = rest;
            rest.clear();
            break;
        }
    }
    return entries;
}

qint16 numberEntry(const QString &entry) {
    return app::roundToInt16(app::leadingNumber(entry)).value_or(0);
}

} // namespace

void ParseFieldLists(const FieldLists &lists, DisplayFieldArray &fields) {
    const auto widths = splitList(lists.ColChars);
    const auto numbers = splitList(lists.FieldNums);
    const auto names = splitList(lists.FnamesStr);
    for (int i = 0; i < FieldCount; ++i) {
        fields[i].ColChars = numberEntry(widths[i]);
        fields[i].FieldNum = numberEntry(numbers[i]);
        fields[i].FieldName = names[i];
    }
}

FieldLists BuildFieldLists(const DisplayFieldArray &fields) {
    FieldLists lists;
    for (int i = 0; i < FieldCount; ++i) {
        const QString sep = i == 0 ? QString() : QStringLiteral(",");
        lists.ColChars += sep + QString::number(fields[i].ColChars);
        lists.FieldNums += sep + QString::number(fields[i].FieldNum);
        lists.FnamesStr += sep + fields[i].FieldName;
    }
    return lists;
}

qint16 FieldIndex(const CodeTables &tables, const QString &name) {
    for (int i = 0; i < FieldCount; ++i)
        if (tables.FieldNames[i].toUpper() == name.toUpper())
            return qint16(i);
    return -1;
}

int displayedFieldCount(const DisplayFieldArray &fields) {
    for (int i = 0; i < FieldCount; ++i)
        if (fields[i].FieldName.isEmpty())
            return i;
    return FieldCount;
}

} // namespace schedule
