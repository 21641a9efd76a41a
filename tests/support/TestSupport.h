#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

} // namespace testsupport

#define REQUIRE_FIXTURE(path)                                                                      \
    do {                                                                                           \
        if (!QFileInfo::exists(path))                                                              \
            QSKIP(qPrintable(QStringLiteral("fixture missing: ") + (path)));                       \
    } while (0)
