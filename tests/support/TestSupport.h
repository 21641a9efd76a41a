#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QTest>

namespace testsupport {

// ../shared/fixtures beside the project; tests that need it skip with a message when absent.
inline QString fixture(const QString &relative) {
    return QDir(QStringLiteral(SKEDWISE_FIXTURES)).filePath(relative);
}

// A file kept with the tests, relative to tests/.
inline QString testFile(const QString &relative) {
    return QDir(QStringLiteral(SKEDWISE_TESTS_DIR)).filePath(relative);
}

inline QString binary(const QString &name) {
    return QDir(QStringLiteral(SKEDWISE_BIN_DIR)).filePath(name);
}

// A file's bytes, or "<missing>" so that a comparison shows why.
inline QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// What a program did: its exit code (-1 when it did not end normally within two minutes)
// and its output.
struct Ran {
    int exitCode = -1;
    QString out, err;
};
Ran runProgram(const QString &program, const QStringList &arguments);

// A program's standard output.
inline QString run(const QString &program, const QStringList &arguments) {
    return runProgram(program, arguments).out;
}

// A zip file of the members (name, bytes), deflated as published ones are.
bool writeZip(const QString &path, const QList<std::pair<QString, QByteArray>> &members);

} // namespace testsupport

// What a test needs from the machine (a fixture, a tool, an X server): under CI (CI set) its
// absence fails the test, since a skip there would hide a missing install step; on a
// developer's machine the test skips and says what is missing.
#define REQUIRE_THAT(present, what)                                                                \
    do {                                                                                           \
        if (!(present)) {                                                                          \
            const QString missing_ = QStringLiteral("missing: ") + (what);                         \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL(qPrintable(missing_));                                                       \
            QSKIP(qPrintable(missing_));                                                           \
        }                                                                                          \
    } while (0)

#define REQUIRE_FIXTURE(path)                                                                      \
    REQUIRE_THAT(QFileInfo::exists(path), QStringLiteral("fixture ") + (path))
#define REQUIRE_TOOL(name)                                                                         \
    REQUIRE_THAT(!QStandardPaths::findExecutable(QStringLiteral(name)).isEmpty(),                  \
                 QStringLiteral("the program " name))

// One row of a data-driven test: addRow("what it catches", value, value, ...).
template <typename... Values> void addRow(const char *name, Values... values) {
    (QTest::newRow(name) << ... << values);
}
