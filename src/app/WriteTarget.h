#pragma once

#include <QString>

namespace app {

// Where a write meant for a path lands. Every writer of the program (databases, imports,
// exports, printing to a file, the log's recovery file) asks here first: a symbolic link is
// followed to the file it names, so the listener's link keeps pointing at the new file; a path
// that exists and is not a regular file (a folder, a FIFO, a device) is refused and left alone.
struct WriteTarget {
    QString path;  // the file to replace or create; empty when refused
    QString error; // why it was refused, in plain words naming the path given
    bool ok() const { return error.isEmpty(); }
};

WriteTarget resolveWriteTarget(const QString &path);

} // namespace app
