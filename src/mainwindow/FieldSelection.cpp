#include "mainwindow/FieldSelection.h"

#include "schedule/QueryComposition.h"

#include <algorithm>

namespace mainwindow {

namespace {

constexpr int FirstChoosableField = 2; // StationID and Freq are always the first two columns
constexpr qint16 FreqColumnChars = 8;

// Alphabetical as a sorted list box files its lines: letter case counts only between equals.
bool filedBefore(const QString &a, const QString &b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// The catalogue's spelling of a choosable field, or nothing.
QString choosableName(const schedule::CodeTables &codes, const QString &name) {
    const qint16 field = schedule::FieldIndex(codes, name.trimmed());
    return field >= FirstChoosableField ? codes.FieldNames[field] : QString();
}

// The known, not yet taken fields of a stored comma list, in its order.
QStringList knownFields(const schedule::CodeTables &codes, const QString &list,
                        QStringList &taken) {
    QStringList fields;
    for (const QString &entry : list.split(u',', Qt::SkipEmptyParts)) {
        const QString name = choosableName(codes, entry);
        if (!name.isEmpty() && !taken.contains(name)) {
            fields << name;
            taken << name;
        }
    }
    return fields;
}

schedule::DisplayFieldArray fixedColumnsOnly() {
    schedule::DisplayFieldArray fields{};
    fields[0] = {0, 0, QStringLiteral("StationID")};
    fields[1] = {FreqColumnChars, 1, QStringLiteral("Freq")};
    return fields;
}

} // namespace

FieldChoice cleanFieldChoice(const schedule::CodeTables &codes, const QString &sourceListStr,
                             const QString &displayListStr) {
    QStringList taken;
    FieldChoice choice;
    choice.displayed = knownFields(codes, displayListStr, taken);
    if (choice.displayed.isEmpty()) {
        const app::ProgramState defaults;
        if (displayListStr != defaults.DisplayListStr)
            return cleanFieldChoice(codes, defaults.SourceListStr, defaults.DisplayListStr);
    }
    choice.available = knownFields(codes, sourceListStr, taken);
    for (int field = FirstChoosableField; field < schedule::FieldCount; ++field)
        if (!taken.contains(codes.FieldNames[field]))
            choice.available << codes.FieldNames[field];
    std::sort(choice.available.begin(), choice.available.end(), filedBefore);
    return choice;
}

bool hasTimeField(const QString &list) {
    const bool utc = list.endsWith(u"UTC") || list.contains(u"UTC,");
    return utc || (list.contains(u"UTCB") && list.contains(u"UTCE"));
}

void FieldSelection::Form_Load() {
    m_savedFieldList = m_state.FieldListStr;
    m_savedDisplayList = m_state.DisplayListStr;
    m_savedSourceList = m_state.SourceListStr;
    m_savedFields = m_state.DisplayFields;
    m_state.DlgCancel = false;
    m_listsEnabled = true;
    m_state.DisplayFields = fixedColumnsOnly();
    fillLists();
}

void FieldSelection::fillLists() {
    const FieldChoice choice =
        cleanFieldChoice(m_state.codes, m_state.SourceListStr, m_state.DisplayListStr);
    m_source = choice.available;
    m_display = choice.displayed;
}

void FieldSelection::addSorted(const QString &field) {
    m_source.insert(std::lower_bound(m_source.begin(), m_source.end(), field, filedBefore), field);
}

int FieldSelection::CmdSwap_Click(int index, int highlighted) {
    QStringList &from = index == 0 ? m_source : m_display;
    if ((index != 0 && index != 1) || highlighted < 0 || highlighted >= from.size())
        return -1;
    const QString field = from.takeAt(highlighted);
    if (index == 0) {
        m_display << field;
        return int(m_display.size()) - 1;
    }
    addSorted(field);
    return int(m_source.indexOf(field));
}

bool FieldSelection::CmdDone_Click() {
    m_listsEnabled = false;
    schedule::DisplayFieldArray fields = fixedColumnsOnly();
    for (int i = 0; i < m_display.size() && FirstChoosableField + i < schedule::FieldCount; ++i) {
        const qint16 number = schedule::FieldIndex(m_state.codes, m_display[i]);
        fields[FirstChoosableField + i] = {m_state.codes.DefColChars[number], number, m_display[i]};
    }
    m_state.DisplayFields = fields;
    m_state.DisplayListStr = m_display.join(u',');
    if (!hasTimeField(m_state.DisplayListStr)) {
        m_prompts.messageBox(TimeFieldMissing, QStringLiteral("Skedwise"), app::Buttons::Ok);
        m_listsEnabled = true;
        return false;
    }
    m_state.SourceListStr = m_source.join(u',');
    m_state.setFieldLists(schedule::BuildFieldLists(m_state.DisplayFields));
    return true;
}

void FieldSelection::CmdCancel_Click() {
    m_state.DlgCancel = true;
    m_state.FieldListStr = m_savedFieldList;
    m_state.DisplayListStr = m_savedDisplayList;
    m_state.SourceListStr = m_savedSourceList;
    m_state.DisplayFields = m_savedFields;
}

QString languageOnlySelect(const QString &fieldListStr, const QString &language) {
    if (language.toUpper() != u"ALL")
        return QStringLiteral("Select ") + fieldListStr +
               QStringLiteral(" from MyDataTable Where Language  = '") + language +
               QStringLiteral("' ");
    return QStringLiteral("Select ") + fieldListStr + QStringLiteral(" from MyDataTable ");
}

void SForm_Click(FieldSelectionPort &port) {
    app::ProgramState &s = port.state();
    port.DisableOnAir();
    port.showFieldSelection();
    if (s.DlgCancel)
        return;
    schedule::BuildSQL(s);
    s.SQLStr = languageOnlySelect(s.FieldListStr, s.Language);
    // The earlier filter is gone: say what the grid now shows.
    s.CaptionNot.clear();
    s.QueryNot.clear();
    s.FilterStr = s.Language.toUpper() == u"ALL"
                      ? QStringLiteral("ALL Languages")
                      : QStringLiteral("Filter By \r\nLanguage = ") + s.Language;
    s.ColsChanged = true;
    port.setGridRedraw(false);
    port.ReadDB(s.SQLStr);
    port.setGridRedraw(true);
}

} // namespace mainwindow
