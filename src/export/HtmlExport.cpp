#include "export/HtmlExport.h"

#include "export/TextExport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace exporting {

namespace {

const QString TablePlaceholder = QStringLiteral("{{TABLE}}");

QString templateProblem(const QString &path, const QString &what) {
    return QStringLiteral("The template \"") + QDir::toNativeSeparators(path) +
           QStringLiteral("\" ") + what +
           QStringLiteral(". The page is written with the built-in template instead.");
}

// Replaces TITLE, CAPTION and GENERATED in one pass, so that a value holding a placeholder
// stays as it is; TABLE is removed.
QString filled(const QString &part, const PageFields &fields) {
    static const QRegularExpression placeholder(
        QStringLiteral("\\{\\{(TITLE|CAPTION|GENERATED|TABLE)\\}\\}"));
    QString out;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(part); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(part).mid(from, m.capturedStart() - from);
        const QString name = m.captured(1);
        if (name == u"TITLE")
            out += htmlEscaped(fields.title);
        else if (name == u"CAPTION")
            out += htmlEscaped(fields.caption);
        else if (name == u"GENERATED")
            out += htmlEscaped(fields.generated);
        from = m.capturedEnd();
    }
    out += QStringView(part).mid(from);
    return out;
}

} // namespace

QString htmlEscaped(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

HtmlTemplate loadTemplate(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {defaultTemplate(), templateProblem(path, QStringLiteral("cannot be read (") +
                                                             file.errorString() + u')')};
    const QString text = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return {defaultTemplate(), templateProblem(path, QStringLiteral("cannot be read (") +
                                                             file.errorString() + u')')};
    if (!text.contains(TablePlaceholder))
        return {defaultTemplate(),
                templateProblem(path, QStringLiteral("has no ") + TablePlaceholder +
                                          QStringLiteral(" placeholder for the rows"))};
    return {text, {}};
}

QString htmlTableStart(const ExportTable &table) {
    QString out = QStringLiteral("<table>\n<thead>\n<tr>");
    for (const GridColumn &column : table.columns())
        out += QStringLiteral("<th>") + htmlEscaped(column.fieldName) + QStringLiteral("</th>");
    return out + QStringLiteral("</tr>\n</thead>\n<tbody>\n");
}

QString htmlRow(const ExportTable &table, int row) {
    QString out = QStringLiteral("<tr>");
    for (int column = 0; column < table.columnCount(); ++column) {
        const jet::Cell cell = table.cell(row, column);
        out += cell.isNumber() ? QLatin1String("<td class=\"num\">") : QLatin1String("<td>");
        out += htmlEscaped(jet::displayText(cell));
        out += QLatin1String("</td>");
    }
    return out + QStringLiteral("</tr>\n");
}

QString htmlTableEnd() {
    return QStringLiteral("</tbody>\n</table>");
}

WriteOutcome writeHtmlExport(const QString &path, const ExportTable &table,
                             const QString &templateText, const PageFields &fields,
                             ProgressReporter &progress) {
    const qsizetype at = templateText.indexOf(TablePlaceholder);
    const QString before = at < 0 ? templateText : templateText.left(at);
    const QString after = at < 0 ? QString() : templateText.mid(at + TablePlaceholder.size());
    AtomicFile file(path);
    if (!file.open())
        return {WriteOutcome::Status::Failed, file.error()};
    file.write(filled(before, fields));
    file.write(htmlTableStart(table));
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (row % ProgressStep == 0 && !progress.progress(row, rows))
            return file.cancel();
        file.write(htmlRow(table, row));
    }
    file.write(htmlTableEnd());
    file.write(filled(after, fields));
    progress.progress(rows, rows);
    return file.commit();
}

} // namespace exporting
