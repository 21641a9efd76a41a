#include "eibi/EibiImport.h"

#include "eibi/EibiMapping.h"
#include "eibi/EibiReader.h"
#include "jet/Jet4Writer.h"
#include "schedule/SyntheticSchedule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace eibi {

namespace {

constexpr int JetTextLimit = 255;
constexpr int ProgressStep = 2000; // lines between two progress calls
constexpr int ReadShare = 50;      // percent of the bar for reading, the rest for writing

void cutToLimit(std::vector<std::vector<jet::Cell>> &rows) {
    for (auto &row : rows)
        for (jet::Cell &cell : row)
            if (cell.text.size() > JetTextLimit)
                cell.text.truncate(JetTextLimit);
}

struct Converted {
    std::vector<std::vector<jet::Cell>> rows;
    bool cancelled = false;
};

Converted convert(const ScheduleFile &file, const EibiCodes &codes, ImportSummary &summary,
                  const ProgressCallback &progress) {
    Converted out;
    UnknownCodes unknown;
    out.rows.reserve(file.lines.size());
    const size_t total = std::max<size_t>(file.lines.size(), 1);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        if (i % ProgressStep == 0 && progress && !progress(int(ReadShare * i / total))) {
            out.cancelled = true;
            return out;
        }
        auto row = scheduleRow(file.lines[i], int(out.rows.size()) + 1, codes, unknown);
        if (row.empty())
            summary.skippedLines.push_back(file.lines[i].lineNumber);
        else
            out.rows.push_back(std::move(row));
    }
    for (const QString &code : unknown)
        summary.unknownCodes << code;
    std::sort(summary.skippedLines.begin(), summary.skippedLines.end());
    return out;
}

ImportResult failure(ImportOutcome outcome, const QString &message) {
    return {outcome, message, {}};
}

} // namespace

bool replaceFile(const QString &path, const QByteArray &bytes, QString *error) {
    const QFileInfo target(path);
    QTemporaryFile temp(target.absoluteDir().filePath(target.fileName() + ".XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush()) {
        *error = QStringLiteral("%1 cannot be written: %2").arg(path, temp.errorString());
        return false;
    }
    // The new database is readable as the old one was (a temporary file starts private).
    temp.setPermissions(target.exists() ? target.permissions()
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    namespace fs = std::filesystem;
    const fs::path to = path.toStdString(), backup = (path + ".bak").toStdString();
    std::error_code ec;
    if (fs::exists(to, ec)) {
        fs::remove(backup, ec);
        if (fs::create_hard_link(to, backup, ec); ec) {
            ec.clear();
            fs::copy_file(to, backup, fs::copy_options::overwrite_existing, ec);
        }
    }
    if (!ec)
        fs::rename(temp.fileName().toStdString(), to, ec);
    if (ec) {
        *error = QStringLiteral("%1 cannot be replaced: %2")
                     .arg(path, QString::fromStdString(ec.message()));
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

ImportResult importSchedule(const QString &schedulePath, const QString &databasePath,
                            const EibiCodes &codes, const ProgressCallback &progress) {
    QFile in(schedulePath);
    if (!in.open(QIODevice::ReadOnly))
        return failure(ImportOutcome::NotReadable,
                       QStringLiteral("%1 cannot be read: %2").arg(schedulePath, in.errorString()));
    const ScheduleFile file = readSchedule(in.readAll());
    if (!file.headerOk)
        return failure(ImportOutcome::WrongHeader,
                       QStringLiteral("%1 is not an EiBi schedule: its first line is \"%2\"")
                           .arg(schedulePath, file.foundHeader.left(120)));
    ImportResult result;
    result.summary.skippedLines = file.skippedLines;
    Converted converted = convert(file, codes, result.summary, progress);
    if (converted.cancelled || (progress && !progress(ReadShare)))
        return failure(ImportOutcome::Cancelled, {});
    cutToLimit(converted.rows);
    QString error;
    const QByteArray bytes = jet::jet4Database(
        "MyDataTable", jet::widenedToFit(schedule::scheduleColumns(), converted.rows),
        converted.rows, &error);
    if (!bytes.isEmpty() && progress && !progress(LastCancelPercent)) // the last chance to cancel
        return failure(ImportOutcome::Cancelled, {});
    if (bytes.isEmpty() || !replaceFile(databasePath, bytes, &error))
        return failure(ImportOutcome::NotWritable, error);
    result.summary.rowsWritten = int(converted.rows.size());
    if (progress)
        progress(100);
    return result;
}

QString summaryText(const ImportSummary &s) {
    QString text = QStringLiteral("%1 records written.").arg(s.rowsWritten);
    if (!s.skippedLines.empty()) {
        QStringList numbers;
        for (const int n : s.skippedLines)
            numbers << QString::number(n);
        text += QStringLiteral("\n%1 lines skipped (not ten semicolons or no frequency): %2")
                    .arg(s.skippedLines.size())
                    .arg(numbers.join(u", "));
    }
    if (!s.unknownCodes.isEmpty())
        text += QStringLiteral("\nCodes not found in the EiBi lists: ") + s.unknownCodes.join(", ");
    return text;
}

} // namespace eibi
