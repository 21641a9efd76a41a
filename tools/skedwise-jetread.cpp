// skedwise-jetread FILE TABLE
// Reads one table of an Access file and writes it to standard output as a table stream
// (see jet/TableStream.h). Runs as a separate process because libmdb can crash or loop
// on damaged files; the program kills it when it stops making progress.

#include "jet/MdbReader.h"
#include "jet/TableStream.h"

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

// A crash must not leave core files behind, nor a runaway allocation starve the machine.
void limitResources() {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const rlim_t fourGiB = rlim_t(4) << 30;
    const rlimit memory{fourGiB, fourGiB};
    setrlimit(RLIMIT_AS, &memory);
}

int failWith(jet::TableStreamWriter &out, jet::ReadStatus status, const char *what) {
    out.fail(status, what);
    return 10 + int(status);
}

int run(const QString &file, const QString &tableName) {
    // The writer gathers 64 KiB chunks itself; each goes out at once as a sign of progress.
    jet::TableStreamWriter out([](const char *data, size_t size) {
        std::fwrite(data, 1, size, stdout);
        std::fflush(stdout);
    });
    out.begin();
    jet::MdbReader reader;
    jet::ReadStatus status = reader.open(file);
    if (status != jet::ReadStatus::Ok)
        return failWith(out, status, "cannot open the file");
    status = reader.openTable(tableName);
    if (status != jet::ReadStatus::Ok)
        return failWith(out, status, "cannot open the table");
    out.columns(reader.columns());
    status = reader.readRows(out);
    if (status != jet::ReadStatus::Ok)
        return failWith(out, status, "cannot read the rows");
    out.finish();
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skedwise-jetread FILE TABLE\n");
        return 1;
    }
    limitResources();
    setenv("MDB_ICONV", "UTF-8", 1); // libmdb's text conversion target
    const int rc = run(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    std::fflush(stdout);
    return rc;
}
