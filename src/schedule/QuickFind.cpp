#include "schedule/QuickFind.h"

#include "schedule/QueryComposer.h"
#include "schedule/QueryComposition.h"

namespace schedule {

namespace {

constexpr int FrequencyFind = 0;

// Column that must be displayed for the find to run; nullptr when none is needed.
const qint16 *requiredColumn(int index, const app::ProgramState &s) {
    switch (index) {
    case 1:
        return &s.StationCol;
    case 2:
        return &s.LocCol;
    case 4:
        return &s.ADMCol;
    case 5:
        return &s.STNCol;
    default:
        return nullptr;
    }
}

bool fieldShown(int index, app::GridPort &port) {
    app::ProgramState &s = port.state();
    const qint16 *column = requiredColumn(index, s);
    if (!column || *column != 0)
        return true;
    s.Response =
        port.prompts().messageBox(QStringLiteral("This Field NOT Selected!"),
                                  QStringLiteral("Error with Field Name"), app::Buttons::Ok);
    return false;
}

QString prepared(int index, const QString &typed) {
    return index == FrequencyFind ? quickFindFrequency(typed) : typed.toUpper();
}

void resortBy(int index, app::GridPort &port) {
    app::ProgramState &s = port.state();
    const QString field = quickFindSortField(index, s.UTCShown);
    if (index == FrequencyFind && s.SortBy == field)
        return;
    s.SortBy = field;
    port.ReadDB(s.SQLStr);
}

bool findFirst(jet::RecordSet &rs, const QString &criterion) {
    return rs.findFirst(criterion) && !rs.noMatch();
}

// Leaves the first match current; for the frequency the next higher one when it is absent.
bool findMatch(int index, app::GridPort &port) {
    app::ProgramState &s = port.state();
    jet::RecordSet &rs = port.data1().recordset();
    port.resetGridRows();
    port.resetGridSelection();
    rs.moveFirst();
    const bool found = findFirst(rs, quickFindCriterion(index, s.SearchStr, s.UTCShown));
    if (index != FrequencyFind)
        return found;
    port.setBusyPointer(false);
    return found || findFirst(rs, nextFrequencyCriterion(s.SearchStr));
}

void centreCurrent(app::GridPort &port) {
    port.setFirstVisibleRow(port.bookmarkAtOffset(-port.state().HalfRows));
}

} // namespace

QuickFindEntry quickFindEntry(int index) {
    static const QuickFindEntry entries[] = {
        {"Input Frequency", "Frequency?", {}, {}},
        {"Input Station", "Station?", "Station NOT Found!", "Station Search"},
        {"Input Location", "Location?", "Location NOT Found!", "Location Search"},
        {"Input Start Time (HHMM) ", "Start Time", "Start Time NOT Found!", "Start Time Search"},
        {"Input ADM Designator", "ADM?", "ADM NOT Found!", "ADM Search"},
        {"Input STN Designator", "STN?", "STN NOT Found!", "STN Search"}};
    return entries[index];
}

QString quickFindFrequency(const QString &typed) {
    const QString text = typed.contains(u'.') ? typed : typed + QStringLiteral(".0");
    return PadB(text.toUpper(), 7);
}

QString quickFindSortField(int index, bool utcShown) {
    static const char *const fields[] = {"Freq", "Station", "Location", nullptr, "ADM", "STN"};
    if (index == 3)
        return utcShown ? QStringLiteral("UTC") : QStringLiteral("UTCB");
    return QLatin1String(fields[index]);
}

QString quickFindCriterion(int index, const QString &searchStr, bool utcShown) {
    const QString t = sqlValue(searchStr);
    switch (index) {
    case 0:
        return QStringLiteral("Freq  = '") + t + QStringLiteral("' ");
    case 1:
        return QStringLiteral("InStr(Station, '") + t + QStringLiteral("') > 0");
    case 2:
        return QStringLiteral("InStr(Location, '") + t + QStringLiteral("') > 0");
    case 3:
        return (utcShown ? QStringLiteral("InStr(left(UTC,4), '")
                         : QStringLiteral("InStr(UTCB, '")) +
               t + QStringLiteral("') > 0");
    case 4:
        return QStringLiteral("ADM = '") + t + QStringLiteral("' ");
    default:
        return QStringLiteral("(instr(STN, '") + t + QStringLiteral("') > 0)");
    }
}

QString nextFrequencyCriterion(const QString &searchStr) {
    return QStringLiteral("Freq  > '") + sqlValue(searchStr) + QStringLiteral("' ");
}

void FindA_Click(int index, app::GridPort &port) {
    if (index < 0 || index > 5 || !fieldShown(index, port))
        return;
    app::ProgramState &s = port.state();
    const QuickFindEntry entry = quickFindEntry(index);
    s.FindType = qint16(index + 1);
    s.SearchStr = port.prompts().inputBox(entry.prompt, entry.title);
    if (s.SearchStr.isEmpty())
        return;
    s.SearchStr = prepared(index, s.SearchStr);
    s.HalfRows = qint16(port.visibleRowCount() / 2);
    port.setGridRedraw(false);
    port.setBusyPointer(true);
    resortBy(index, port);
    const bool found = findMatch(index, port);
    centreCurrent(port);
    port.setGridRedraw(true);
    if (index == FrequencyFind)
        return;
    port.refreshGrid();
    port.setBusyPointer(false);
    if (!found)
        s.Response =
            port.prompts().messageBox(entry.notFoundText, entry.notFoundTitle, app::Buttons::Ok);
}

} // namespace schedule
