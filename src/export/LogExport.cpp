#include "export/LogExport.h"

#include "app/WriteTarget.h"
#include "export/TextExport.h"

#include <QFile>
#include <QRegularExpression>

namespace exporting {

namespace {

using logbook::LogColumn;
using logbook::LogRows;

const QString CrLf = QStringLiteral("\r\n");

QString csvField(const QString &text) {
    static const QRegularExpression needsQuotes(QStringLiteral("[\",\r\n]"));
    if (!text.contains(needsQuotes))
        return text;
    return u'"' + QString(text).replace(u'"', QLatin1String("\"\"")) + u'"';
}

QString adifField(const char *name, const QString &value) {
    if (value.isEmpty())
        return {};
    const QString ascii = adifAscii(value);
    return QStringLiteral("<%1:%2>%3 ").arg(QLatin1String(name)).arg(ascii.size()).arg(ascii);
}

// Letters that do not decompose into a base letter and a mark.
QString spelledOut(QChar c) {
    static const QHash<QChar, QString> table = {
        {QChar(0xDF), "ss"}, {QChar(0xC6), "AE"},  {QChar(0xE6), "ae"},  {QChar(0xD8), "O"},
        {QChar(0xF8), "o"},  {QChar(0x152), "OE"}, {QChar(0x153), "oe"}, {QChar(0x141), "L"},
        {QChar(0x142), "l"}, {QChar(0x110), "D"},  {QChar(0x111), "d"},  {QChar(0xDE), "TH"},
        {QChar(0xFE), "th"}};
    return table.value(c, QStringLiteral("?"));
}

struct AdifMode {
    QString mode, submode, other;
};

AdifMode adifMode(const QString &logMode) {
    const QString mode = logMode.toUpper();
    if (mode == u"USB" || mode == u"LSB")
        return {QStringLiteral("SSB"), mode, {}};
    if (mode == u"AM" || mode == u"CW" || mode == u"FM")
        return {mode, {}, {}};
    return {{}, {}, logMode};
}

QString mhz(const QString &kHz) {
    bool ok = false;
    const double value = kHz.toDouble(&ok);
    return ok ? QString::number(value / 1000.0, 'f', 3) : QString();
}

QString comment(const QString &otherMode, const QString &remarks) {
    if (otherMode.isEmpty())
        return remarks;
    const QString mode = QStringLiteral("mode ") + otherMode;
    return remarks.isEmpty() ? mode : mode + QStringLiteral("; ") + remarks;
}

} // namespace

CountryNames readCountryNames(const QString &codesFile) {
    CountryNames names;
    QFile file(codesFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    static const QRegularExpression codeAndName(QStringLiteral("^(\\S+)\\s{2,}(.+)$"));
    while (!file.atEnd()) {
        const QRegularExpressionMatch m =
            codeAndName.match(QString::fromUtf8(file.readLine()).trimmed());
        if (m.hasMatch()) // the list's note on codes the ITU does not issue is not a name
            names.insert(m.captured(1), m.captured(2).remove(QStringLiteral(" (unofficial code)")));
    }
    return names;
}

QString csvHeading() {
    QStringList headings;
    for (int c = 0; c < logbook::LogColumnCount; ++c)
        headings << logbook::columnHeading(LogColumn(c));
    return headings.join(u',') + CrLf;
}

QString csvLine(const LogRows &log, qsizetype row) {
    QStringList fields;
    for (int c = 0; c < logbook::LogColumnCount; ++c)
        fields << csvField(log.text(row, LogColumn(c)));
    return fields.join(u',') + CrLf;
}

QString adifAscii(const QString &text) {
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += c;
        else if (c.isMark())
            continue;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += u' ';
        else
            out += spelledOut(c);
    }
    return out;
}

QString adifHeader(const QString &programVersion) {
    return QStringLiteral("Skedwise reception log") + CrLf + adifField("ADIF_VER", "3.1.4") +
           adifField("PROGRAMID", "Skedwise") + adifField("PROGRAMVERSION", programVersion) +
           QStringLiteral("<EOH>") + CrLf;
}

QString adifRecord(const LogRows &log, qsizetype row, const CountryNames &countries) {
    if (!log.rows[row].isEntry)
        return {};
    auto text = [&](LogColumn c) { return log.text(row, c); };
    const AdifMode mode = adifMode(text(LogColumn::Mode));
    return adifField("QSO_DATE", text(LogColumn::Date).remove(u'-')) +
           adifField("TIME_ON", text(LogColumn::On)) + adifField("TIME_OFF", text(LogColumn::Off)) +
           adifField("FREQ", mhz(text(LogColumn::Freq))) + adifField("MODE", mode.mode) +
           adifField("SUBMODE", mode.submode) + adifField("CALL", text(LogColumn::Station)) +
           adifField("COUNTRY", countries.value(text(LogColumn::Adm))) +
           adifField("RST_RCVD", text(LogColumn::Sinpo)) +
           adifField("COMMENT", comment(mode.other, text(LogColumn::Remarks))) +
           adifField("SWL", QStringLiteral("Y")) + QStringLiteral("<EOR>") + CrLf;
}

std::pair<QString, LogExportKind> logExportTarget(const QString &chosen, LogExportKind chosenKind) {
    const QString upper = chosen.toUpper();
    if (upper.endsWith(u".CSV"))
        return {chosen, LogExportKind::Csv};
    if (upper.endsWith(u".ADI") || upper.endsWith(u".ADIF"))
        return {chosen, LogExportKind::Adif};
    const QString extension =
        chosenKind == LogExportKind::Csv ? QStringLiteral(".csv") : QStringLiteral(".adi");
    return {chosen + extension, chosenKind};
}

LogExportResult writeLogExport(const QString &path, LogExportKind kind, const LogRows &rows,
                               const CountryNames &countries, const QString &programVersion,
                               ProgressReporter &progress) {
    LogExportResult result;
    const app::WriteTarget target = app::resolveWriteTarget(path);
    if (!target.ok()) {
        result.outcome = {WriteOutcome::Status::Failed, target.error};
        return result;
    }
    AtomicFile file(target.path);
    if (!file.open()) {
        result.outcome = {WriteOutcome::Status::Failed, file.error()};
        return result;
    }
    const bool csv = kind == LogExportKind::Csv;
    file.write(csv ? csvHeading() : adifHeader(programVersion));
    const qint64 total = rows.size();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i % ProgressStep == 0 && !progress.progress(i, total)) {
            result.outcome = file.cancel();
            return result;
        }
        const QString text = csv ? csvLine(rows, i) : adifRecord(rows, i, countries);
        ++(text.isEmpty() ? result.leftOut : result.written);
        file.write(text);
    }
    progress.progress(total, total);
    result.outcome = file.commit();
    return result;
}

} // namespace exporting
