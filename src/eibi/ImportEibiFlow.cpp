#include "eibi/ImportEibiFlow.h"

#include "eibi/EibiImport.h"

namespace eibi {

void ImportEibi_Click(ImportEibiPort &port, app::Prompts &prompts, const EibiCodes &codes,
                      const QString &databasePath) {
    const QString schedule = port.chooseScheduleFile();
    if (schedule.isEmpty())
        return;
    const ImportResult result = importSchedule(
        schedule, databasePath, codes, [&port](int percent) { return port.progress(percent); });
    port.closeProgress();
    const QString title = QString::fromUtf16(ImportTitle);
    switch (result.outcome) {
    case ImportOutcome::Cancelled:
        return;
    case ImportOutcome::Done:
        port.reloadDatabase();
        prompts.messageBox(summaryText(result.summary), title, app::Buttons::Ok);
        return;
    default:
        prompts.messageBox(result.message + QStringLiteral("\nThe schedule was not changed."),
                           title, app::Buttons::Ok);
    }
}

} // namespace eibi
