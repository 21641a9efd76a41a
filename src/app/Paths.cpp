#include "app/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace app {

namespace {

QString join(const QString &folder, const QString &name) {
    return folder.isEmpty() ? QString() : folder + u'/' + name;
}

// HOME, or the account's home folder when HOME is unset, as other desktop programs do.
QString homeFolder() {
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        return home;
    const passwd *account = getpwuid(getuid());
    return account && account->pw_dir ? QString::fromLocal8Bit(account->pw_dir) : QString();
}

// The nearest folder above path that exists.
QString nearestExisting(QString path) {
    while (!QFileInfo::exists(path) && path != QDir::rootPath())
        path = QFileInfo(path).path();
    return path;
}

QString whyNotWritable(const QString &folder) {
    const QFileInfo info(folder);
    if (info.exists())
        return !info.isDir()       ? QStringLiteral("it is not a folder")
               : info.isWritable() ? QString()
                                   : QStringLiteral("you may not write there");
    const QFileInfo above(nearestExisting(folder));
    if (!above.isDir())
        return QDir::toNativeSeparators(above.filePath()) + QStringLiteral(" is not a folder");
    if (!above.isWritable())
        return QStringLiteral("you may not write in ") + QDir::toNativeSeparators(above.filePath());
    return {};
}

} // namespace

Paths::Paths(Layout layout, QString programDir, QString shipped, QString listener)
    : m_layout(layout), m_programDir(std::move(programDir)), m_shipped(std::move(shipped)),
      m_listener(std::move(listener)) {}

Paths Paths::locate(const QString &programDir) {
    return locate(programDir, qEnvironmentVariable("XDG_DATA_HOME"), homeFolder());
}

Paths Paths::locate(const QString &programDir, const QString &xdgDataHome, const QString &home) {
    const QString dir = QDir::cleanPath(programDir);
    const bool holdsDatabase = QFileInfo(join(dir, DatabaseFileName)).isFile();
    if (holdsDatabase && QFileInfo(dir).isWritable())
        return besideProgram(dir);
    const QString shipped =
        holdsDatabase ? dir : QDir::cleanPath(dir + QStringLiteral("/../share/skedwise"));
    // A relative XDG_DATA_HOME is to be ignored, as the XDG base directory rules say.
    const QString dataHome = QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome
                             : home.isEmpty()                  ? QString()
                                              : home + QStringLiteral("/.local/share");
    const QString listener =
        dataHome.isEmpty() ? QString() : QDir::cleanPath(dataHome + QStringLiteral("/Skedwise"));
    return Paths(Layout::Installed, dir, shipped, listener);
}

Paths Paths::besideProgram(const QString &folder) {
    const QString dir = QDir::cleanPath(folder);
    return Paths(Layout::BesideProgram, dir, dir, dir);
}

QString Paths::fileToRead(const QString &name) const {
    const QString own = join(m_listener, name);
    return !own.isEmpty() && QFileInfo::exists(own) ? own : shippedFile(name);
}

QString Paths::shippedFile(const QString &name) const {
    return join(m_shipped, name);
}

QString Paths::fileToWrite(const QString &name) const {
    return join(writeFolder(), name);
}

QString Paths::writeFolder() const {
    if (!m_listener.isEmpty())
        QDir().mkpath(m_listener);
    return m_listener;
}

bool Paths::readsShippedSample() const {
    return m_layout == Layout::Installed && database() == shippedFile(DatabaseFileName);
}

QString Paths::listenerFolderProblem() const {
    if (m_listener.isEmpty())
        return QStringLiteral("Skedwise has no folder for your log and imported schedules: "
                              "neither XDG_DATA_HOME nor HOME names one.");
    const QString why = whyNotWritable(m_listener);
    if (why.isEmpty())
        return {};
    return QStringLiteral("Skedwise keeps your log and imported schedules in %1, but cannot "
                          "write there: %2.\n\nIt reads the files it came with from %3. A log "
                          "entry that cannot be written is kept and offered again.")
        .arg(QDir::toNativeSeparators(m_listener), why, QDir::toNativeSeparators(m_shipped));
}

QString Paths::helperProgram(const QString &programDir, const QString &name) {
    const QString beside = QDir::cleanPath(programDir) + u'/' + name;
    const QString installed =
        QDir::cleanPath(programDir + QStringLiteral("/../libexec/skedwise/") + name);
    return !QFileInfo(beside).isExecutable() && QFileInfo(installed).isExecutable() ? installed
                                                                                    : beside;
}

} // namespace app
