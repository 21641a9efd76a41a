#include "imports/ImportMachine.h"

#include "app/WriteTarget.h"
#include "jet/Jet4Writer.h"
#include "schedule/SyntheticSchedule.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace imports {

namespace {

constexpr int JetTextLimit = 255;
constexpr int ShownLineLength = 120;

void cutToLimit(std::vector<Row> &rows) {
    for (auto &row : rows)
        for (jet::Cell &cell : row)
            if (cell.text.size() > JetTextLimit)
                cell.text.truncate(JetTextLimit);
}

ImportResult failure(ImportOutcome outcome, const QString &message) {
    return {outcome, message, {}, {}, {}};
}

// The old file is kept as .bak: a hard link where the file system allows one, else a copy.
void keepBackup(const std::filesystem::path &to, std::error_code &ec) {
    namespace fs = std::filesystem;
    const fs::path backup = to.string() + ".bak";
    if (!fs::exists(to, ec))
        return;
    fs::remove(backup, ec);
    if (fs::create_hard_link(to, backup, ec); ec) {
        ec.clear();
        fs::copy_file(to, backup, fs::copy_options::overwrite_existing, ec);
    }
}

} // namespace

bool replaceFile(const QString &given, const QByteArray &bytes, QString *error) {
    const app::WriteTarget resolved = app::resolveWriteTarget(given);
    if (!resolved.ok()) {
        *error = resolved.error;
        return false;
    }
    const QString path = resolved.path;
    const QFileInfo target(path);
    QTemporaryFile temp(target.absoluteDir().filePath(target.fileName() + ".XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush()) {
        *error = QStringLiteral("%1 cannot be written: %2").arg(given, temp.errorString());
        return false;
    }
    // The new database is readable as the old one was (a temporary file starts private).
    temp.setPermissions(target.exists() ? target.permissions()
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code ec;
    const std::filesystem::path to = path.toStdString();
    keepBackup(to, ec);
    if (!ec)
        std::filesystem::rename(temp.fileName().toStdString(), to, ec);
    if (ec) {
        *error = QStringLiteral("%1 cannot be replaced: %2")
                     .arg(given, QString::fromStdString(ec.message()));
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

bool writeScheduleDatabase(const QString &path, const QVector<jet::Column> &columns,
                           std::vector<Row> rows, QString *error) {
    cutToLimit(rows);
    const QByteArray bytes =
        jet::jet4Database("MyDataTable", jet::widenedToFit(columns, rows), rows, error);
    return !bytes.isEmpty() && replaceFile(path, bytes, error);
}

ImportResult importSchedule(const ScheduleReader &reader, const QString &schedulePath,
                            const QString &databasePath, const Validity &validity,
                            const ProgressCallback &progress) {
    ReadResult read = reader(schedulePath, validity, progress);
    if (read.outcome != ImportOutcome::Done)
        return failure(read.outcome, read.message);
    if (progress && !progress(ReadShare))
        return failure(ImportOutcome::Cancelled, {});
    cutToLimit(read.rows);
    QString error;
    const QByteArray bytes =
        jet::jet4Database("MyDataTable", jet::widenedToFit(schedule::scheduleColumns(), read.rows),
                          read.rows, &error);
    if (!bytes.isEmpty() && progress && !progress(LastCancelPercent)) // the last chance to cancel
        return failure(ImportOutcome::Cancelled, {});
    if (bytes.isEmpty() || !replaceFile(databasePath, bytes, &error))
        return failure(ImportOutcome::NotWritable, error);
    read.summary.rowsWritten = int(read.rows.size());
    read.summary.validOn = validity.day;
    if (progress)
        progress(100);
    return {ImportOutcome::Done, {}, read.summary, read.season, read.keptSpan};
}

QString summaryText(const ImportSummary &s) {
    QString text = QStringLiteral("%1 records written.").arg(s.rowsWritten);
    if (s.validOn.isValid())
        text += QStringLiteral("\n%1 entries left out: not valid on %2.")
                    .arg(s.leftOutForDates)
                    .arg(s.validOn.toString(QStringLiteral("yyyy-MM-dd")));
    if (!s.skippedLines.empty()) {
        QStringList numbers;
        for (const int n : s.skippedLines)
            numbers << QString::number(n);
        text += QStringLiteral("\n%1 lines skipped (%2): %3")
                    .arg(s.skippedLines.size())
                    .arg(s.skipReason, numbers.join(u", "));
    }
    if (!s.unknownCodes.isEmpty())
        text += QStringLiteral("\nCodes not found in the %1 lists: %2")
                    .arg(s.lists, s.unknownCodes.join(u", "));
    for (const QString &note : s.notes)
        text += u'\n' + note;
    return text;
}

QString printableFirstLine(const QString &line) {
    QString shown;
    for (const QChar c : line.left(ShownLineLength))
        shown += c.isPrint() && c != QChar::ReplacementCharacter ? c : QChar(u' ');
    return shown.simplified();
}

} // namespace imports
