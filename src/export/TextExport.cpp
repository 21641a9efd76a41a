#include "export/TextExport.h"

namespace exporting {

namespace {

// Columns a character takes in a fixed-pitch view: East Asian wide and fullwidth characters
// (and emoji) take two, combining marks none.
int columnsOf(char32_t c) {
    static constexpr char32_t wide[][2] = {
        {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},  {0x3400, 0x4DBF},
        {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xAC00, 0xD7A3},  {0xF900, 0xFAFF},
        {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},  {0x1F300, 0x1F64F},
        {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}};
    for (const auto &range : wide)
        if (c >= range[0] && c <= range[1])
            return 2;
    const auto category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing ? 0 : 1;
}

// The value in width display columns: cut before a character that would cross the edge,
// padded with blanks.
void appendFitted(QString &line, QStringView value, int width, bool rightAligned) {
    if (!line.isEmpty())
        line += u' ';
    qsizetype fit = 0;
    int used = 0;
    while (fit < value.size()) {
        const bool pair = value[fit].isHighSurrogate() && fit + 1 < value.size() &&
                          value[fit + 1].isLowSurrogate();
        const char32_t c =
            pair ? QChar::surrogateToUcs4(value[fit], value[fit + 1]) : value[fit].unicode();
        if (used + columnsOf(c) > width)
            break;
        used += columnsOf(c);
        fit += pair ? 2 : 1;
    }
    const QString padding(width - used, u' ');
    const bool whole = fit == value.size();
    line +=
        rightAligned && whole ? padding + value.toString() : value.left(fit).toString() + padding;
}

QString endedLine(QString line) {
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == u' ')
        --end;
    line.truncate(end);
    return line + u'\n';
}

} // namespace

QString textHeading(const ExportTable &table) {
    QString line;
    for (const GridColumn &column : table.columns())
        appendFitted(line, column.fieldName, column.widthChars, false);
    return endedLine(line);
}

QString textRule(const ExportTable &table) {
    QString line;
    for (const GridColumn &column : table.columns())
        appendFitted(line, QString(column.widthChars, u'-'), column.widthChars, false);
    return endedLine(line);
}

QString textRow(const ExportTable &table, int row) {
    QString line;
    for (int column = 0; column < table.columnCount(); ++column) {
        const jet::Cell cell = table.cell(row, column);
        appendFitted(line, jet::displayText(cell), table.columns()[column].widthChars,
                     cell.isNumber());
    }
    return endedLine(line);
}

WriteOutcome writeTextExport(const QString &path, const ExportTable &table,
                             ProgressReporter &progress) {
    AtomicFile file(path);
    if (!file.open())
        return {WriteOutcome::Status::Failed, file.error()};
    file.write(textHeading(table));
    file.write(textRule(table));
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (row % ProgressStep == 0 && !progress.progress(row, rows))
            return file.cancel();
        file.write(textRow(table, row));
    }
    progress.progress(rows, rows);
    return file.commit();
}

} // namespace exporting
