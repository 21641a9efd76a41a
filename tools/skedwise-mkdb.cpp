// Writes a schedule database (MyDataTable in a Jet 4 file): a synthetic schedule from a
// seed, or the rows of a CSV file.

#include "app/Version.h"
#include "eibi/EibiImport.h"
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
    "       skedwise-mkdb --from-eibi SKED --out FILE\n"
    "Writes MyDataTable into a new Access (Jet 4) database FILE: a synthetic schedule of\n"
    "N rows made from seed S, or the rows of CSV (a header of the 27 field names in any\n"
    "order; text quoted, an empty unquoted field is Null), or an EiBi schedule SKED\n"
    "(sked-B26.csv). FILE is replaced only when complete; an old one is kept as FILE.bak.\n"
    "Exit codes: 2 bad arguments or not an EiBi schedule, 3 FILE cannot be written.\n";

struct Options {
    std::optional<qint64> rows;
    std::optional<quint64> seed;
    QString csv;
    QString eibi;
    QString out;
};

int fail(const QString &message) {
    std::fprintf(stderr, "skedwise-mkdb: %s\n", qPrintable(message));
    return 1;
}

int usage(const QString &problem) {
    std::fprintf(stderr, "skedwise-mkdb: %s\n%s", qPrintable(problem), kUsage);
    return 2;
}

// Empty string when the arguments are complete and consistent, else what is wrong.
QString parseArguments(const QStringList &args, Options &o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(a);
        const QString value = args[++i];
        bool ok = true;
        if (a == "--rows")
            o.rows = value.toLongLong(&ok);
        else if (a == "--seed")
            o.seed = value.toULongLong(&ok);
        else if (a == "--from-csv")
            o.csv = value;
        else if (a == "--from-eibi")
            o.eibi = value;
        else if (a == "--out")
            o.out = value;
        else
            return QStringLiteral("unknown option %1").arg(a);
        if (!ok || (o.rows && (*o.rows < 0 || *o.rows > 10'000'000)))
            return QStringLiteral("bad value for %1: %2").arg(a, value);
    }
    if (o.out.isEmpty())
        return QStringLiteral("--out is required");
    const bool synthetic = o.rows || o.seed;
    if (int(synthetic) + int(!o.csv.isEmpty()) + int(!o.eibi.isEmpty()) != 1)
        return QStringLiteral("give either --rows and --seed, --from-csv or --from-eibi");
    if (synthetic && !(o.rows && o.seed))
        return QStringLiteral("--rows and --seed go together");
    return {};
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
    if (!jet::writeJet4Database(o.out, "MyDataTable", jet::widenedToFit(columns, rows), rows,
                                &error))
        return fail(error);
    return 0;
}

int synthetic(const Options &o) {
    const auto rows = schedule::syntheticSchedule(int(*o.rows), *o.seed);
    QString error;
    if (!jet::writeJet4Database(o.out, "MyDataTable", schedule::scheduleColumns(), rows, &error))
        return fail(error);
    return 0;
}

int fromEibi(const Options &o) {
    const bool terminal = isatty(fileno(stderr));
    const auto progress = [terminal](int percent) {
        if (terminal)
            std::fprintf(stderr, "\rImporting %3d%%", percent);
        return true;
    };
    const eibi::ImportResult result =
        eibi::importSchedule(o.eibi, o.out, eibi::EibiCodes::builtIn(), progress);
    if (terminal)
        std::fputs("\r              \r", stderr);
    switch (result.outcome) {
    case eibi::ImportOutcome::Done:
        std::printf("%s\n", qPrintable(eibi::summaryText(result.summary)));
        return 0;
    case eibi::ImportOutcome::WrongHeader:
        std::fprintf(stderr, "skedwise-mkdb: %s\n", qPrintable(result.message));
        return 2;
    case eibi::ImportOutcome::NotWritable:
        std::fprintf(stderr, "skedwise-mkdb: %s\n", qPrintable(result.message));
        return 3;
    default:
        return fail(result.message);
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
        return 0;
    }
    Options options;
    const QString problem = parseArguments(args, options);
    if (!problem.isEmpty())
        return usage(problem);
    if (!options.eibi.isEmpty())
        return fromEibi(options);
    return options.csv.isEmpty() ? synthetic(options) : fromCsv(options);
}
