#pragma once

#include <QString>

namespace app {

inline const QString DatabaseFileName = QStringLiteral("ILGDATA.MDB");

// The one place that says where each file of the program is read and written. Two layouts:
// - beside the program: the program's folder holds ILGDATA.MDB and may be written (a build
//   folder, an unpacked copy on a USB stick); every file is read and written there;
// - installed: the listener's files (the imported schedule and its .bak, the log, their own
//   template.htm, Codes.txt, CIRAF.txt) are in $XDG_DATA_HOME/Skedwise, normally
//   ~/.local/share/Skedwise, made when first written. Each file is read from there first,
//   then from the shipped folder: ../share/skedwise from the program (or the program's own
//   folder when it holds ILGDATA.MDB but may not be written). The shipped files are never
//   written.
// Who asks what: the main window reads database() and shippedFile(help); the import writes
// importTarget() (its .bak beside it); the log writes into writeFolder() unless the listener
// chose a file; the legends and the HTML export read fileToRead(name); the file dialogs start
// in listenerFolder(); programs start their helpers from helperProgram(name).
class Paths {
public:
    enum class Layout { BesideProgram, Installed };

    // The layout of the program in programDir; the listener's folder from XDG_DATA_HOME and
    // HOME of the environment.
    static Paths locate(const QString &programDir);
    // As above with the two variables given ("" for unset).
    static Paths locate(const QString &programDir, const QString &xdgDataHome, const QString &home);
    // Every file in folder, whatever it holds (tests and tools that name their folder).
    static Paths besideProgram(const QString &folder);

    Layout layout() const { return m_layout; }
    QString programDir() const { return m_programDir; }
    QString shippedFolder() const { return m_shipped; }
    QString listenerFolder() const { return m_listener; }

    // The listener's copy of name when there is one, else the shipped one.
    QString fileToRead(const QString &name) const;
    // A file shipped with the program, never the listener's copy (the help).
    QString shippedFile(const QString &name) const;
    // name in the listener's folder, which is made when missing; when it cannot be, writing
    // the file fails and its writer says so.
    QString fileToWrite(const QString &name) const;
    // The listener's folder, made when missing.
    QString writeFolder() const;

    // The schedule to read: the listener's ILGDATA.MDB, else the shipped sample.
    QString database() const { return fileToRead(DatabaseFileName); }
    // Where an import puts the new ILGDATA.MDB (and the old one as ILGDATA.MDB.bak).
    QString importTarget() const { return fileToWrite(DatabaseFileName); }
    // True when an installed program reads the sample it ships (no schedule imported yet).
    bool readsShippedSample() const;

    // "" when the listener's folder can be written or made; else where it is and why not.
    QString listenerFolderProblem() const;

    // A helper program of the project (skedwise-jetread): beside the program in a build
    // folder, in ../libexec/skedwise when installed.
    static QString helperProgram(const QString &programDir, const QString &name);
    QString helperProgram(const QString &name) const { return helperProgram(m_programDir, name); }

private:
    Paths(Layout layout, QString programDir, QString shipped, QString listener);

    Layout m_layout;
    QString m_programDir;
    QString m_shipped;
    QString m_listener;
};

} // namespace app
