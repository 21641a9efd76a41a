#include "imports/EibiImport.h"

#include "imports/EibiMapping.h"
#include "imports/EibiReader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace eibi {

namespace {

using imports::ImportOutcome;
using imports::ReadResult;

constexpr int ProgressStep = 2000; // lines between two progress calls
enum DateField { Start = 9, Stop = 10 };

ReadResult failed(ImportOutcome outcome, const QString &message) {
    ReadResult r;
    r.outcome = outcome;
    r.message = message;
    return r;
}

// Maps the lines that are valid as asked; false when cancelled.
bool convert(const ScheduleFile &file, const EibiCodes &codes, const imports::Validity &validity,
             ReadResult &out, const imports::ProgressCallback &progress) {
    UnknownCodes unknown;
    imports::DateFilter dates(validity);
    const QDate near = validity.allDates() ? QDate() : validity.day;
    out.rows.reserve(file.lines.size());
    const size_t total = std::max<size_t>(file.lines.size(), 1);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        if (i % ProgressStep == 0 && progress && !progress(int(imports::ReadShare * i / total)))
            return false;
        const ScheduleLine &line = file.lines[i];
        const auto span =
            imports::eibiSpan(line.fields[Start].trimmed(), line.fields[Stop].trimmed(), near);
        if (!dates.keeps(span.first, span.last))
            continue;
        auto row = scheduleRow(line, int(out.rows.size()) + 1, codes, unknown);
        if (row.empty())
            out.summary.skippedLines.push_back(line.lineNumber);
        else
            out.rows.push_back(std::move(row));
    }
    for (const QString &code : unknown)
        out.summary.unknownCodes << code;
    std::sort(out.summary.skippedLines.begin(), out.summary.skippedLines.end());
    out.summary.leftOutForDates = dates.leftOut();
    out.keptSpan = dates.keptSpan();
    return true;
}

} // namespace

QString seasonOfFileName(const QString &path) {
    static const QRegularExpression season(QStringLiteral("([ab][0-9][0-9])"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = season.match(QFileInfo(path).completeBaseName());
    return m.hasMatch() ? m.captured(1).toUpper() : QString();
}

imports::ScheduleReader scheduleReader(const EibiCodes &codes) {
    return [codes](const QString &path, const imports::Validity &validity,
                   const imports::ProgressCallback &progress) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return failed(ImportOutcome::NotReadable,
                          QStringLiteral("%1 cannot be read: %2").arg(path, in.errorString()));
        const ScheduleFile file = readSchedule(in.readAll());
        if (!file.headerOk)
            return failed(ImportOutcome::WrongFormat,
                          QStringLiteral("%1 is not an EiBi schedule: its first line is \"%2\"")
                              .arg(path, imports::printableFirstLine(file.foundHeader)));
        ReadResult out;
        out.summary.lists = QStringLiteral("EiBi");
        out.summary.skipReason = QStringLiteral("not ten semicolons or no frequency");
        out.summary.skippedLines = file.skippedLines;
        out.season = seasonOfFileName(path);
        if (!convert(file, codes, validity, out, progress))
            return failed(ImportOutcome::Cancelled, {});
        return out;
    };
}

} // namespace eibi
