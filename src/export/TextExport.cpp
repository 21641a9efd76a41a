#include "export/TextExport.h"

namespace exporting {

namespace {

QString fitted(const QString &value, int width, bool rightAligned) {
    if (value.size() >= width)
        return value.left(width);
    return rightAligned ? value.rightJustified(width) : value.leftJustified(width);
}

QString joinedLine(const QStringList &fields) {
    QString line = fields.join(u' ');
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == u' ')
        --end;
    line.truncate(end);
    return line + u'\n';
}

} // namespace

QString textHeading(const ExportTable &table) {
    QStringList fields;
    for (const GridColumn &column : table.columns())
        fields << fitted(column.fieldName, column.widthChars, false);
    return joinedLine(fields);
}

QString textRule(const ExportTable &table) {
    QStringList fields;
    for (const GridColumn &column : table.columns())
        fields << QString(column.widthChars, u'-');
    return joinedLine(fields);
}

QString textRow(const ExportTable &table, int row) {
    QStringList fields;
    for (int column = 0; column < table.columnCount(); ++column) {
        const jet::Cell cell = table.cell(row, column);
        fields << fitted(jet::displayText(cell), table.columns()[column].widthChars,
                         cell.isNumber());
    }
    return joinedLine(fields);
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
