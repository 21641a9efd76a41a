#include "export/TextExport.h"

namespace exporting {

namespace {

void appendFitted(QString &line, QStringView value, int width, bool rightAligned) {
    if (!line.isEmpty())
        line += u' ';
    if (value.size() > width && value.at(width - 1).isHighSurrogate()) {
        line += value.left(width - 1); // never half a character
        line += u' ';
    } else if (value.size() >= width) {
        line += value.left(width);
    } else if (rightAligned) {
        line.resize(line.size() + width - value.size(), u' ');
        line += value;
    } else {
        line += value;
        line.resize(line.size() + width - value.size(), u' ');
    }
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
