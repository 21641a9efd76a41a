#pragma once

#include "export/AtomicFile.h"
#include "export/ExportTable.h"

namespace exporting {

// The HTML export fills a template, UTF-8. Placeholders, each replaced wherever it stands
// (letter case matters; values are HTML-escaped):
//   {{TITLE}}      the page title, "Skedwise Schedule"
//   {{CAPTION}}    the grid caption (the record count and filter)
//   {{GENERATED}}  the local date and time of the export, "yyyy-MM-dd HH:mm"
//   {{TABLE}}      the table of rows; required, only its first occurrence is filled
// Other text, unknown {{...}} included, is copied unchanged.
inline const QString TemplateFileName = QStringLiteral("template.htm");
inline const QString PageTitle = QStringLiteral("Skedwise Schedule");

QString htmlEscaped(const QString &text);

// The template shipped with the program, built in for when template.htm cannot be used.
QString defaultTemplate();

// The template to fill and, when the file could not be used, the message saying why and that
// the built-in one is used instead.
struct HtmlTemplate {
    QString text;
    QString problem;
};
HtmlTemplate loadTemplate(const QString &path);

struct PageFields {
    QString title;
    QString caption;
    QString generated;
};

QString htmlTableStart(const ExportTable &table);
QString htmlRow(const ExportTable &table, int row);
QString htmlTableEnd();

WriteOutcome writeHtmlExport(const QString &path, const ExportTable &table,
                             const QString &templateText, const PageFields &fields,
                             ProgressReporter &progress);

} // namespace exporting
