// skedwise-query FILE.mdb "SQL" [--find "criterion"]
// Runs one SELECT text on the file's MyDataTable, as the program does, and prints the
// result as CSV (header line, text quoted, Null empty, CRLF, UTF-8). With --find it prints
// the StationID of the first record matching the criterion, or "no match".
// Exit status: 0 done, 1 usage, 2 text rejected by the engine, 3 file not readable.

#include "app/Paths.h"
#include "app/Version.h"
#include "jet/CsvRows.h"
#include "jet/DataSource.h"
#include "jet/IsolatedTableProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

constexpr int kUsage = 1;
constexpr int kRejected = 2;
constexpr int kUnreadable = 3;

void printError(const QString &message) {
    QFile err;
    if (err.open(stderr, QIODevice::WriteOnly))
        err.write(message.toUtf8() + '\n');
}

QString csvLine(const jet::RecordSet &rs, int position) {
    QStringList fields;
    for (int f = 0; f < rs.fieldCount(); ++f)
        fields << jet::csvField(rs.value(position, f));
    return fields.join(u',') + QStringLiteral("\r\n");
}

QByteArray resultCsv(const jet::RecordSet &rs) {
    QStringList header;
    for (int f = 0; f < rs.fieldCount(); ++f)
        header << rs.fieldName(f);
    QString out = header.join(u',') + QStringLiteral("\r\n");
    for (int p = 0; p < rs.recordCount(); ++p)
        out += csvLine(rs, p);
    return out.toUtf8();
}

int find(jet::RecordSet &rs, const QString &criterion, QFile &out) {
    QString error;
    if (!rs.findFirst(criterion, &error)) {
        printError(error);
        return kRejected;
    }
    if (rs.noMatch())
        out.write("no match\r\n");
    else
        out.write(jet::displayText(rs.field(u"StationID")).toUtf8() + "\r\n");
    return 0;
}

int run(const QString &file, const QString &sql, const QString *criterion) {
    jet::IsolatedTableProvider provider(app::Paths::helperProgram(
        QCoreApplication::applicationDirPath(), QStringLiteral("skedwise-jetread")));
    // Load first, so that an unreadable file is told apart from a rejected text.
    const jet::LoadOutcome loaded = provider.table(file, QStringLiteral("MyDataTable"));
    if (!loaded.ok()) {
        printError(loaded.error);
        return kUnreadable;
    }
    jet::DataSource source(provider);
    source.setDatabaseName(file);
    source.setRecordSource(sql);
    QString error;
    if (!source.refresh(&error)) {
        printError(error);
        return kRejected;
    }
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    if (criterion)
        return find(source.recordset(), *criterion, out);
    out.write(resultCsv(source.recordset()));
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (app::printVersionIfAsked(argc, argv, "skedwise-query"))
        return 0;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool withFind = args.size() == 4 && args[2] == QLatin1String("--find");
    if (args.size() != 2 && !withFind) {
        printError(QStringLiteral("usage: skedwise-query FILE.mdb \"SQL\" [--find \"criterion\"]"));
        return kUsage;
    }
    return run(args[0], args[1], withFind ? &args[3] : nullptr);
}
