#include "startup/StartNotices.h"

#include <QDir>

namespace startup {

namespace {

QString sampleNotice(const app::Paths &paths) {
    return QStringLiteral(
               "This schedule is a sample of made-up broadcasts: its stations, times and "
               "frequencies are not real.\n\nFor a real schedule, download the season's EiBi "
               "list (sked-a26.csv or sked-b26.csv, from www.eibispace.de) and choose "
               "\"Import EiBi Schedule…\" in the Functions menu. Skedwise keeps it in %1.")
        .arg(QDir::toNativeSeparators(paths.listenerFolder()));
}

} // namespace

QStringList startNotices(const app::Paths &paths, app::OwnSettings &own) {
    QStringList notices;
    const QString problem = paths.listenerFolderProblem();
    if (!problem.isEmpty())
        notices << problem;
    if (paths.readsShippedSample() && !own.SampleNoticeShown) {
        notices << sampleNotice(paths);
        own.SampleNoticeShown = true;
    }
    return notices;
}

} // namespace startup
