#include "imports/HfccImport.h"

#include "imports/EibiMapping.h"
#include "imports/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <set>

namespace hfcc {

namespace {

using imports::ImportOutcome;
using imports::ReadResult;
using jet::Cell;

constexpr int ModColumn = 95; // a schedule line reaches at least to MOD
constexpr int ProgressStep = 5000;
constexpr int LastZone = 85;

const QRegularExpression &seasonFileName() {
    static const QRegularExpression name(QStringLiteral("^[ab][0-9]{2}all[0-9]{2}\\.txt$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return name;
}

// The season file's bytes and its tables, from the zip or from the folder of the TXT.
struct Files {
    QByteArray schedule;
    Tables tables;
};

ReadResult failed(ImportOutcome outcome, const QString &message) {
    ReadResult r;
    r.outcome = outcome;
    r.message = message;
    return r;
}

std::optional<Files> fromZip(const QString &path, ReadResult &failure) {
    const imports::ZipArchive zip(path);
    if (!zip.isOpen()) {
        failure = failed(
            ImportOutcome::WrongFormat,
            QStringLiteral("%1 is damaged or not a whole zip file: %2").arg(path, zip.openError()));
        return std::nullopt;
    }
    QString member;
    for (const QString &name : zip.names())
        if (seasonFileName().match(QFileInfo(name).fileName()).hasMatch())
            member = QFileInfo(name).fileName();
    if (member.isEmpty()) {
        failure =
            failed(ImportOutcome::WrongFormat,
                   QStringLiteral("%1 holds no HFCC season file (such as A26all00.TXT)").arg(path));
        return std::nullopt;
    }
    Files files;
    QString error;
    const auto schedule = zip.read(member, &error);
    if (!schedule) {
        failure = failed(ImportOutcome::WrongFormat, QStringLiteral("%1: %2").arg(path, error));
        return std::nullopt;
    }
    files.schedule = *schedule;
    for (const QString &table : TableFiles) {
        const auto bytes = zip.read(table, &error);
        if (bytes)
            readTable(files.tables, table, *bytes);
        else
            files.tables.missing << table;
    }
    return files;
}

Files fromFolder(const QByteArray &schedule, const QString &path) {
    Files files;
    files.schedule = schedule;
    const QDir folder = QFileInfo(path).absoluteDir();
    const QStringList present = folder.entryList(QDir::Files);
    for (const QString &table : TableFiles) {
        QString found;
        for (const QString &name : present)
            if (name.compare(table, Qt::CaseInsensitive) == 0)
                found = name;
        QFile f(folder.filePath(found));
        if (!found.isEmpty() && f.open(QIODevice::ReadOnly))
            readTable(files.tables, table, f.readAll());
        else
            files.tables.missing << table;
    }
    return files;
}

// Column a to b of a schedule line, counted from 1, Latin-1, blanks trimmed.
QString field(const QByteArray &line, int a, int b) {
    return QString::fromLatin1(line.mid(a - 1, b - a + 1)).trimmed();
}

bool isLatin1Text(const QByteArray &line) {
    for (const char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || (b >= 0x7F && b < 0xA0))
            return false;
    }
    return true;
}

Cell textOrNull(const QString &text) {
    return text.isEmpty() ? Cell::null() : Cell::fromText(text);
}

int minutes(const QString &hhmm) {
    bool ok = false;
    const int v = hhmm.toInt(&ok);
    if (hhmm.size() != 4 || !ok || v % 100 > 59 || v > 2400)
        return -1;
    return v / 100 * 60 + v % 100;
}

class LineMapper {
public:
    LineMapper(const Tables &tables, imports::DateFilter &dates)
        : m_tables(tables), m_dates(dates) {}

    // The row, or empty when the line is skipped; kept false when its dates leave it out.
    imports::Row row(const QByteArray &line, int stationId, bool &kept);
    QStringList unknown() const { return {m_unknown.begin(), m_unknown.end()}; }

private:
    QString lookUp(const QHash<QString, QString> &table, const QString &code, const char *kind);
    QString languages(const QString &codes);
    QString areas(const QString &zones);
    QString days(const QString &given);
    QDate date(const QString &ddmmyy);

    const Tables &m_tables;
    imports::DateFilter &m_dates;
    std::set<QString> m_unknown;
};

QString LineMapper::lookUp(const QHash<QString, QString> &table, const QString &code,
                           const char *kind) {
    const auto it = table.constFind(code);
    if (it != table.cend())
        return *it;
    if (!code.isEmpty())
        m_unknown.insert(QString::fromLatin1(kind) + u' ' + code);
    return code;
}

QString LineMapper::languages(const QString &codes) {
    QStringList names;
    for (qsizetype at = 0; at < codes.size(); at += 3)
        names << lookUp(m_tables.languages, codes.mid(at, 3), "language");
    return names.join(u'/');
}

QString LineMapper::areas(const QString &list) {
    const auto zones = cirafZones(list);
    if (!zones) {
        if (!list.isEmpty())
            m_unknown.insert(QStringLiteral("CIRAF zones ") + list);
        return {};
    }
    QStringList names;
    for (const int zone : *zones)
        names << m_tables.cirafAreas.value(zone, QString::number(zone));
    return names.join(u'/');
}

QString LineMapper::days(const QString &given) {
    const auto digits = daysDigits(given);
    if (!digits)
        m_unknown.insert(QStringLiteral("days ") + given);
    return digits.value_or(given);
}

QDate LineMapper::date(const QString &ddmmyy) {
    const QDate d = imports::hfccDate(ddmmyy);
    if (!d.isValid() && !ddmmyy.isEmpty())
        m_unknown.insert(QStringLiteral("date ") + ddmmyy);
    return d;
}

QString powerText(const QString &powr) {
    bool ok = false;
    const double kw = powr.toDouble(&ok);
    return ok ? QString::number(kw, 'f', 1) : powr;
}

imports::Row LineMapper::row(const QByteArray &line, int stationId, bool &kept) {
    kept = true;
    bool ok = false;
    const double khz = field(line, 1, 5).toDouble(&ok);
    if (line.size() < ModColumn || !ok || !isLatin1Text(line))
        return {};
    kept = m_dates.keeps(date(field(line, 81, 86)), date(field(line, 88, 93)));
    if (!kept)
        return {};
    QString utcb = field(line, 7, 10), utce = field(line, 12, 15);
    const int begin = minutes(utcb), end = minutes(utce);
    if (begin < 0 || end < 0)
        utcb = utce = QStringLiteral("....");
    const QString ciraf = field(line, 17, 46), loc = field(line, 48, 50);
    const QString lc = field(line, 103, 112), adm = field(line, 114, 116);
    const auto site = m_tables.sites.constFind(loc);
    if (site == m_tables.sites.cend() && !loc.isEmpty())
        m_unknown.insert(QStringLiteral("site ") + loc);
    const bool siteKnown = site != m_tables.sites.cend();
    return {Cell::fromNumber(stationId),
            Cell::fromNumber(khz),
            textOrNull(lookUp(m_tables.broadcasters, field(line, 118, 120), "broadcaster")),
            Cell::fromText(utcb + u'-' + utce),
            textOrNull(days(field(line, 73, 79))),
            textOrNull(languages(lc)),
            Cell::fromText(eibi::graphicBar(begin, end)),
            textOrNull(ciraf),
            textOrNull(siteKnown ? site->name : loc),
            textOrNull(powerText(field(line, 52, 55))),
            textOrNull(field(line, 57, 63)),
            textOrNull(QString::fromLatin1(line.mid(151)).trimmed()),
            {}, // Status
            textOrNull(field(line, 95, 95)),
            textOrNull(areas(ciraf)),
            textOrNull(ciraf),
            textOrNull(adm),
            textOrNull(lookUp(m_tables.administrations, adm, "administration")),
            textOrNull(siteKnown ? site->longi : QString()),
            textOrNull(siteKnown ? site->lati : QString()),
            textOrNull(lc),
            {}, // Region
            {}, // STN
            {}, // P
            {}, // Program
            Cell::fromText(utcb),
            Cell::fromText(utce)};
}

QByteArray withoutLineEnd(QByteArray line) {
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// The first line names the season ("; A26 ALL 21-jul-2026"); nothing when it does not.
QString seasonOf(const QByteArray &firstLine) {
    static const QRegularExpression form(QStringLiteral("^; ?([AB][0-9]{2})\\b"));
    const QRegularExpressionMatch m = form.match(QString::fromLatin1(firstLine));
    return m.hasMatch() ? m.captured(1) : QString();
}

ReadResult convert(const Files &files, const QString &path, const imports::Validity &validity,
                   const imports::ProgressCallback &progress) {
    const QList<QByteArray> lines = files.schedule.split('\n');
    ReadResult out;
    out.season = seasonOf(withoutLineEnd(lines.value(0)));
    if (out.season.isEmpty())
        return failed(ImportOutcome::WrongFormat,
                      QStringLiteral("%1 is not an HFCC schedule: its first line is \"%2\"")
                          .arg(path, imports::printableFirstLine(
                                         QString::fromLatin1(withoutLineEnd(lines.value(0))))));
    out.summary.lists = QStringLiteral("HFCC");
    out.summary.skipReason = QStringLiteral("shorter than the MOD column, no frequency, or bytes "
                                            "that are not Latin-1 text");
    for (const QString &table : files.tables.missing)
        out.summary.notes
            << QStringLiteral("%1 was not found: its codes are shown as they stand.").arg(table);
    imports::DateFilter dates(validity);
    LineMapper mapper(files.tables, dates);
    out.rows.reserve(size_t(lines.size()));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (i % ProgressStep == 0 && progress &&
            !progress(int(imports::ReadShare * i / lines.size())))
            return failed(ImportOutcome::Cancelled, {});
        const QByteArray line = withoutLineEnd(lines[i]);
        if (line.startsWith(';') || line.trimmed().isEmpty())
            continue;
        bool kept = true;
        auto row = mapper.row(line, int(out.rows.size()) + 1, kept);
        if (!row.empty())
            out.rows.push_back(std::move(row));
        else if (kept)
            out.summary.skippedLines.push_back(int(i + 1));
    }
    out.summary.unknownCodes = mapper.unknown();
    out.summary.leftOutForDates = dates.leftOut();
    out.keptSpan = dates.keptSpan();
    return out;
}

} // namespace

std::optional<QString> daysDigits(const QString &hfccDays) {
    std::array<bool, 8> on{};
    for (const QChar c : hfccDays) {
        if (c < u'1' || c > u'7')
            return std::nullopt;
        const int sunday1 = c.digitValue();
        on[size_t(sunday1 == 1 ? 7 : sunday1 - 1)] = true;
    }
    QString digits;
    for (int d = 1; d <= 7; ++d)
        if (on[size_t(d)])
            digits += QChar(u'0' + d);
    return digits.isEmpty() ? std::nullopt : std::optional<QString>(digits);
}

std::optional<QList<int>> cirafZones(const QString &list) {
    static const QRegularExpression part(QStringLiteral(
        "^([0-9]{1,2})(?:NE|NW|SE|SW|N|E|S|W)?(?:-([0-9]{1,2})(?:NE|NW|SE|SW|N|E|S|W)?)?$"));
    QList<int> zones;
    for (const QString &item : list.split(u',')) {
        const QRegularExpressionMatch m = part.match(item.trimmed());
        if (!m.hasMatch())
            return std::nullopt;
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        if (first < 1 || last > LastZone || last < first)
            return std::nullopt;
        for (int z = first; z <= last; ++z)
            if (!zones.contains(z))
                zones << z;
    }
    return zones;
}

imports::ScheduleReader scheduleReader() {
    return [](const QString &path, const imports::Validity &validity,
              const imports::ProgressCallback &progress) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return failed(ImportOutcome::NotReadable,
                          QStringLiteral("%1 cannot be read: %2").arg(path, in.errorString()));
        ReadResult failure;
        std::optional<Files> files;
        if (imports::looksLikeZip(in.peek(4))) {
            in.close();
            files = fromZip(path, failure);
        } else {
            files = fromFolder(in.readAll(), path);
        }
        if (!files)
            return failure;
        files->tables.readCirafAreas();
        return convert(*files, path, validity, progress);
    };
}

} // namespace hfcc
