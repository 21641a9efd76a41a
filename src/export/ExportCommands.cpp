#include "export/ExportCommands.h"

#include "export/ExportTable.h"
#include "export/HtmlExport.h"
#include "export/TextExport.h"

namespace exporting {

namespace {

const QString NoneSelectedText = QStringLiteral("No Records Selected!");
const QString NoneSelectedTitle = QStringLiteral("No Records!");
const QString AllRowsTitle = QStringLiteral("ALL Records!");
const QString FailureTitle = QStringLiteral("Export");

// Stops a selected-rows command when nothing is selected, an all-rows one on No.
bool rowsConfirmed(RowScope scope, const QString &question, const ExportPort &port,
                   app::Prompts &prompts) {
    if (scope == RowScope::Selected) {
        if (port.selectedRowCount() > 0)
            return true;
        prompts.messageBox(NoneSelectedText, NoneSelectedTitle, app::Buttons::Ok);
        return false;
    }
    return prompts.messageBox(question, AllRowsTitle, app::Buttons::YesNo) == app::AnswerYes;
}

QString allRowsQuestion(ExportKind kind, int count) {
    return QStringLiteral("Export ") + countText(count) +
           (kind == ExportKind::Text ? QStringLiteral(" Record(s) to Text Files?")
                                     : QStringLiteral(" Record(s) to HTML Files?"));
}

WriteOutcome writeExport(const ExportEntry &entry, const QString &fileName,
                         const ExportTable &table, ExportPort &port, app::Prompts &prompts,
                         const app::Clock &clock) {
    if (entry.kind == ExportKind::Text)
        return writeTextExport(fileName, table, port.progress());
    const QString templatePath = port.templateFile();
    const HtmlTemplate page = loadTemplate(templatePath);
    if (!page.problem.isEmpty())
        prompts.messageBox(page.problem, FailureTitle, app::Buttons::Ok);
    const PageFields fields{PageTitle, table.caption(),
                            clock.localNow().toString(QStringLiteral("yyyy-MM-dd HH:mm"))};
    return writeHtmlExport(fileName, table, page.text, fields, port.progress());
}

} // namespace

ExportEntry exportEntry(int index) {
    const bool text = index < 2;
    const QString title = text ? QStringLiteral("Save Records to A File!")
                               : QStringLiteral("Save Records to A HTML File!");
    const QString pattern = text ? QStringLiteral("*.txt") : QStringLiteral("*.htm");
    return {index % 2 == 0 ? RowScope::Selected : RowScope::All,
            text ? ExportKind::Text : ExportKind::Html, title, pattern,
            text ? QStringLiteral(".txt") : QStringLiteral(".htm")};
}

QString withExtension(const QString &name, const QString &extension) {
    if (name.toUpper().contains(extension.toUpper()))
        return name;
    return name + extension;
}

QString countText(int count) {
    return count >= 0 ? u' ' + QString::number(count) : QString::number(count);
}

void Export_Click(int Index, ExportPort &port, app::Prompts &prompts, const app::Clock &clock) {
    if (Index < 0 || Index > 3)
        return;
    const ExportEntry entry = exportEntry(Index);
    if (!rowsConfirmed(entry.scope, allRowsQuestion(entry.kind, port.rowCount()), port, prompts))
        return;
    QString ExportFileName =
        prompts.saveFileDialog(entry.dialogTitle, entry.pattern, entry.pattern);
    if (ExportFileName == entry.pattern)
        return;
    ExportFileName = withExtension(ExportFileName, entry.extension);
    const ExportTable table = ExportTable::fromPort(port, entry.scope);
    const WriteOutcome outcome = writeExport(entry, ExportFileName, table, port, prompts, clock);
    port.progress().finish();
    if (outcome.status == WriteOutcome::Status::Failed)
        prompts.messageBox(writeFailureText(ExportFileName, outcome.error), FailureTitle,
                           app::Buttons::Ok);
}

PrintFonts printFonts() {
    return {QStringLiteral("Times New Roman"), QStringLiteral("Arial")};
}

void PrintData_Click(int Index, ExportPort &port, app::Prompts &prompts) {
    if (Index < 0 || Index > 1)
        return;
    const RowScope scope = Index == 0 ? RowScope::Selected : RowScope::All;
    const QString question =
        QStringLiteral("Print ") + countText(port.rowCount()) + QStringLiteral(" Record(s)?");
    if (!rowsConfirmed(scope, question, port, prompts))
        return;
    port.printTable(ExportTable::fromPort(port, scope), printFonts(), false, true);
}

} // namespace exporting
