// Writes a schedule database (MyDataTable in a Jet 4 file): a synthetic schedule from a
// seed, the rows of a CSV file, or an EiBi or HFCC schedule from a file or fetched.

#include "app/Version.h"
#include "fetch/FetchState.h"
#include "imports/UpdateFlow.h"
#include "jet/CsvRows.h"
#include "jet/Jet4Writer.h"
#include "schedule/SyntheticSchedule.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include <cstdio>
#include <optional>

#include <unistd.h>

namespace {

const char *const kUsage =
    "usage: skedwise-mkdb --rows N --seed S --out FILE\n"
    "       skedwise-mkdb --from-csv CSV --out FILE\n"
    "       skedwise-mkdb --from-eibi SKED --out FILE [--valid-on YYYY-MM-DD | --all-dates]\n"
    "       skedwise-mkdb --from-hfcc HFCC --out FILE [--valid-on YYYY-MM-DD | --all-dates]\n"
    "       skedwise-mkdb --update eibi|hfcc [--season b26] [--url URL] --out FILE\n"
    "                     [--valid-on YYYY-MM-DD | --all-dates]\n"
    "Writes MyDataTable into a new Access (Jet 4) database FILE: a synthetic schedule of\n"
    "N rows made from seed S, or the rows of CSV (a header of the 27 field names in any\n"
    "order; text quoted, an empty unquoted field is Null), or an EiBi schedule SKED\n"
    "(sked-b26.csv), or an HFCC season schedule (a26allx2.zip, or A26all00.TXT with its\n"
    "code tables beside it). --update fetches the season's EiBi or HFCC schedule (today's\n"
    "season unless --season; --url replaces the source's address) and imports it; it asks\n"
    "the server only for what changed since the last update, recorded in FILE.fetch.\n"
    "The imports keep the entries valid today (UTC), on --valid-on, or all (--all-dates).\n"
    "FILE is replaced only when complete; an old one is kept as FILE.bak.\n"
    "Exit codes: 2 bad arguments or not a schedule, 3 FILE cannot be written,\n"
    "4 the schedule cannot be fetched.\n";

enum Exit { Ok = 0, Failed = 1, BadInput = 2, NotWritable = 3, NetworkFailure = 4 };

struct Options {
    std::optional<qint64> rows;
    std::optional<quint64> seed;
    QString csv;
    QString eibi;
    QString hfcc;
    QString update;
    QString season;
    QString url;
    QString out;
    QString validOn;
    bool allDates = false;
};

int fail(const QString &message, int code = Failed) {
    std::fprintf(stderr, "skedwise-mkdb: %s\n", qPrintable(message));
    return code;
}

int usage(const QString &problem) {
    std::fprintf(stderr, "skedwise-mkdb: %s\n%s", qPrintable(problem), kUsage);
    return BadInput;
}

QString *textOption(Options &o, const QString &name) {
    const std::pair<const char *, QString *> texts[] = {
        {"--from-csv", &o.csv},  {"--from-eibi", &o.eibi},  {"--from-hfcc", &o.hfcc},
        {"--update", &o.update}, {"--season", &o.season},   {"--url", &o.url},
        {"--out", &o.out},       {"--valid-on", &o.validOn}};
    for (const auto &[key, member] : texts)
        if (name == QLatin1String(key))
            return member;
    return nullptr;
}

QString checkCombination(const Options &o) {
    if (o.out.isEmpty())
        return QStringLiteral("--out is required");
    const bool synthetic = o.rows || o.seed;
    const int sources = int(synthetic) + int(!o.csv.isEmpty()) + int(!o.eibi.isEmpty()) +
                        int(!o.hfcc.isEmpty()) + int(!o.update.isEmpty());
    if (sources != 1)
        return QStringLiteral(
            "give one of --rows and --seed, --from-csv, --from-eibi, --from-hfcc or --update");
    if (synthetic && !(o.rows && o.seed))
        return QStringLiteral("--rows and --seed go together");
    if (!o.update.isEmpty() && !fetch::sourceNamed(o.update))
        return QStringLiteral("--update takes eibi or hfcc");
    if (!o.season.isEmpty() && !fetch::parseSeason(o.season))
        return QStringLiteral("bad season %1 (a26, b26, ...)").arg(o.season);
    if ((!o.season.isEmpty() || !o.url.isEmpty()) && o.update.isEmpty())
        return QStringLiteral("--season and --url go with --update");
    const bool dated = !o.eibi.isEmpty() || !o.hfcc.isEmpty() || !o.update.isEmpty();
    if ((o.allDates || !o.validOn.isEmpty()) && !dated)
        return QStringLiteral("--valid-on and --all-dates go with the EiBi and HFCC imports");
    if (o.allDates && !o.validOn.isEmpty())
        return QStringLiteral("give either --valid-on or --all-dates");
    if (!o.validOn.isEmpty() && !QDate::fromString(o.validOn, Qt::ISODate).isValid())
        return QStringLiteral("bad date for --valid-on: %1 (YYYY-MM-DD)").arg(o.validOn);
    return {};
}

// Empty string when the arguments are complete and consistent, else what is wrong.
QString parseArguments(const QStringList &args, Options &o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == "--all-dates") {
            o.allDates = true;
            continue;
        }
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(a);
        const QString value = args[++i];
        bool ok = true;
        if (a == "--rows")
            o.rows = value.toLongLong(&ok);
        else if (a == "--seed")
            o.seed = value.toULongLong(&ok);
        else if (QString *member = textOption(o, a))
            *member = value;
        else
            return QStringLiteral("unknown option %1").arg(a);
        if (!ok || (o.rows && (*o.rows < 0 || *o.rows > 10'000'000)))
            return QStringLiteral("bad value for %1: %2").arg(a, value);
    }
    return checkCombination(o);
}

// Reorders CSV records into catalogue column order.
bool csvToColumns(const jet::CsvRows &csv, const QVector<jet::Column> &columns,
                  std::vector<std::vector<jet::Cell>> &rows, QString *error) {
    QHash<QString, int> position;
    for (int i = 0; i < csv.header.size(); ++i)
        position.insert(csv.header[i].trimmed().toLower(), i);
    QVector<int> source;
    for (const jet::Column &c : columns) {
        const int at = position.value(c.name.toLower(), -1);
        if (at < 0) {
            *error = QStringLiteral("the CSV header has no field %1").arg(c.name);
            return false;
        }
        source.append(at);
    }
    rows.reserve(csv.rows.size());
    for (const auto &record : csv.rows) {
        std::vector<jet::Cell> row;
        row.reserve(size_t(source.size()));
        for (int at : source)
            row.push_back(at < int(record.size()) ? record[size_t(at)] : jet::Cell::null());
        rows.push_back(std::move(row));
    }
    return true;
}

// An unquoted number in a text column stays text ("1234567" days); a quoted number in a
// number column becomes the number.
void matchColumnKinds(std::vector<std::vector<jet::Cell>> &rows,
                      const QVector<jet::Column> &columns) {
    for (auto &row : rows)
        for (int c = 0; c < columns.size(); ++c) {
            jet::Cell &cell = row[size_t(c)];
            bool ok = false;
            if (columns[c].kind == jet::ColumnKind::Text && cell.isNumber())
                cell = jet::Cell::fromText(jet::numberText(cell.number));
            else if (columns[c].kind == jet::ColumnKind::Number && cell.isText()) {
                const double v = cell.text.trimmed().toDouble(&ok);
                if (ok)
                    cell = jet::Cell::fromNumber(v);
            }
        }
}

int fromCsv(const Options &o) {
    const jet::CsvRows csv = jet::readCsvFile(o.csv);
    if (!csv.ok())
        return fail(QStringLiteral("%1: %2").arg(o.csv, csv.error)); // the error names the line
    const QVector<jet::Column> columns = schedule::scheduleColumns();
    std::vector<std::vector<jet::Cell>> rows;
    QString error;
    if (!csvToColumns(csv, columns, rows, &error))
        return fail(QStringLiteral("%1: %2").arg(o.csv, error));
    matchColumnKinds(rows, columns);
    if (!imports::writeScheduleDatabase(o.out, columns, std::move(rows), &error))
        return fail(error, NotWritable);
    return Ok;
}

int synthetic(const Options &o) {
    QString error;
    if (!imports::writeScheduleDatabase(o.out, schedule::scheduleColumns(),
                                        schedule::syntheticSchedule(int(*o.rows), *o.seed), &error))
        return fail(error, NotWritable);
    return Ok;
}

imports::Validity validityOf(const Options &o) {
    if (o.allDates)
        return imports::Validity::all();
    if (!o.validOn.isEmpty())
        return imports::Validity::on(QDate::fromString(o.validOn, Qt::ISODate));
    return imports::Validity::on(QDateTime::currentDateTimeUtc().date());
}

// Percentages on a terminal only, so that a cron job's mail holds the outcome alone.
class TerminalProgress {
public:
    explicit TerminalProgress(const char *what) : m_what(what), m_on(isatty(fileno(stderr))) {}
    ~TerminalProgress() {
        if (m_on)
            std::fputs("\r                          \r", stderr);
    }
    bool operator()(int percent) const {
        if (m_on)
            std::fprintf(stderr, "\r%s %3d%%", m_what, percent);
        return true;
    }

private:
    const char *m_what;
    bool m_on;
};

int importExit(imports::ImportOutcome outcome) {
    switch (outcome) {
    case imports::ImportOutcome::Done:
        return Ok;
    case imports::ImportOutcome::WrongFormat:
        return BadInput;
    case imports::ImportOutcome::NotWritable:
        return NotWritable;
    default:
        return Failed;
    }
}

int fromFile(const Options &o, fetch::Source source, const QString &file) {
    const imports::ImportResult result = [&] {
        const TerminalProgress progress("Importing");
        return imports::importSchedule(imports::readerFor(source), file, o.out, validityOf(o),
                                       std::cref(progress));
    }();
    if (result.outcome != imports::ImportOutcome::Done)
        return fail(result.message, importExit(result.outcome));
    std::printf("%s\n", qPrintable(imports::summaryText(result.summary)));
    return Ok;
}

int update(const Options &o) {
    imports::UpdateRequest u;
    u.source = *fetch::sourceNamed(o.update);
    u.nowUtc = QDateTime::currentDateTimeUtc();
    u.season =
        o.season.isEmpty() ? fetch::seasonOn(u.nowUtc.date()) : *fetch::parseSeason(o.season);
    u.url = o.url.isEmpty() ? fetch::addressFor(fetch::defaultAddress(u.source), u.season)
                            : QUrl(o.url);
    u.validity = validityOf(o);
    u.databasePath = o.out;
    u.inUse = fetch::readState(o.out);
    const TerminalProgress fetching("Fetching");
    const imports::UpdateResult r = imports::updateSchedule(
        u,
        [&](qint64 received, qint64 total) {
            return fetching(total > 0 ? int(100 * received / total) : 0);
        },
        [](const auto &work) { return work(TerminalProgress("Importing")); });
    using imports::UpdateOutcome;
    switch (r.outcome) {
    case UpdateOutcome::Updated: {
        QString error;
        if (!fetch::writeState(o.out, r.record, &error))
            std::fprintf(stderr, "skedwise-mkdb: %s\n", qPrintable(error));
        std::printf("%s\n%s\n", qPrintable(r.message), qPrintable(imports::summaryText(r.summary)));
        return Ok;
    }
    case UpdateOutcome::UpToDate:
        std::printf("%s\n", qPrintable(r.message));
        return Ok;
    case UpdateOutcome::NotPublished:
        return fail(r.message + QStringLiteral(" %1 --season %2 fetches the previous season.")
                                    .arg(imports::stillInUse(u.inUse),
                                         u.season.previous().code().toLower()),
                    NetworkFailure);
    case UpdateOutcome::NotASchedule:
        return fail(r.message, BadInput);
    case UpdateOutcome::NotWritable:
        return fail(r.message, NotWritable);
    default:
        return fail(r.message, NetworkFailure);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (app::printVersionIfAsked(argc, argv, "skedwise-mkdb"))
        return 0;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
        std::fputs(kUsage, stdout);
        return Ok;
    }
    Options o;
    const QString problem = parseArguments(args, o);
    if (!problem.isEmpty())
        return usage(problem);
    if (!o.update.isEmpty())
        return update(o);
    if (!o.eibi.isEmpty())
        return fromFile(o, fetch::Source::Eibi, o.eibi);
    if (!o.hfcc.isEmpty())
        return fromFile(o, fetch::Source::Hfcc, o.hfcc);
    return o.csv.isEmpty() ? synthetic(o) : fromCsv(o);
}
