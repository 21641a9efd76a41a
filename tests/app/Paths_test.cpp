#include "app/Paths.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <unistd.h>

using app::Paths;

// One scratch tree: a build folder with its database, an installed program under usr/, a home,
// and a plain file where a folder could be expected. "ROOT/" in a row stands for the tree.
class PathsTest : public QObject {
    Q_OBJECT
    QTemporaryDir root;

    QString at(const QString &relative) const { return root.filePath(relative); }
    QString rooted(QString text) const { return text.replace("ROOT/", root.path() + '/'); }
    Paths installed(const QString &xdg = "ROOT/data") const {
        return Paths::locate(at("usr/bin"), rooted(xdg), at("home"));
    }

private slots:
    void initTestCase() {
        for (const char *folder :
             {"build", "usr/bin", "usr/share/skedwise", "usr/libexec/skedwise", "home", "locked"})
            QVERIFY(QDir(root.path()).mkpath(folder));
        for (const char *file : {"build/ILGDATA.MDB", "usr/share/skedwise/ILGDATA.MDB",
                                 "usr/share/skedwise/Codes.txt", "afile"})
            QVERIFY(testsupport::writeFile(at(file), "x"));
        for (const char *helper :
             {"build/skedwise-jetread", "usr/libexec/skedwise/skedwise-jetread"}) {
            QVERIFY(testsupport::writeFile(at(helper), "x"));
            QFile::setPermissions(at(helper), QFile::ReadOwner | QFile::ExeOwner);
        }
    }

    void locates_data() {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QString>("shipped");
        QTest::addColumn<QString>("listener");
        addRow("a build folder keeps everything beside the program", "build", "ROOT/data", true,
               "build", "build");
        addRow("installed: the listener's folder in XDG_DATA_HOME", "usr/bin", "ROOT/data", false,
               "usr/share/skedwise", "data/Skedwise");
        addRow("installed without XDG_DATA_HOME: ~/.local/share", "usr/bin", "", false,
               "usr/share/skedwise", "home/.local/share/Skedwise");
        addRow("a relative XDG_DATA_HOME is ignored", "usr/bin", "data", false,
               "usr/share/skedwise", "home/.local/share/Skedwise");
    }
    void locates() {
        QFETCH(QString, programDir);
        QFETCH(QString, xdg);
        QFETCH(bool, beside);
        QFETCH(QString, shipped);
        QFETCH(QString, listener);
        const Paths p = Paths::locate(at(programDir), rooted(xdg), at("home"));
        QCOMPARE(p.layout() == Paths::Layout::BesideProgram, beside);
        QCOMPARE(p.shippedFolder(), at(shipped));
        QCOMPARE(p.listenerFolder(), at(listener));
    }

    void listenersOwnFilesComeFirstOnceWritten() {
        const Paths p = installed();
        QCOMPARE(p.fileToRead("Codes.txt"), at("usr/share/skedwise/Codes.txt"));
        QVERIFY(p.readsShippedSample());
        QCOMPARE(p.database(), at("usr/share/skedwise/ILGDATA.MDB"));
        QVERIFY(!QFileInfo::exists(at("data/Skedwise")));

        QCOMPARE(p.fileToWrite("Codes.txt"), at("data/Skedwise/Codes.txt"));
        QVERIFY(testsupport::writeFile(at("data/Skedwise/Codes.txt"), "own"));
        QCOMPARE(p.fileToRead("Codes.txt"), at("data/Skedwise/Codes.txt"));
        QCOMPARE(p.shippedFile("Codes.txt"), at("usr/share/skedwise/Codes.txt"));

        QCOMPARE(p.importTarget(), at("data/Skedwise/ILGDATA.MDB"));
        QVERIFY(testsupport::writeFile(p.importTarget(), "imported"));
        QVERIFY(!p.readsShippedSample());
        QCOMPARE(p.database(), at("data/Skedwise/ILGDATA.MDB"));
    }

    void folderProblems_data() {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("problem"); // "" none, else a part of the message
        addRow("a missing folder is made", "ROOT/new/deeper", "ROOT/home", "");
        addRow("a file in the way names the folder and why", "ROOT/afile", "ROOT/home",
               "in ROOT/afile/Skedwise, but cannot write there: ROOT/afile is not a folder");
        addRow("a folder the listener may not write", "ROOT/locked", "ROOT/home",
               "cannot write there: you may not write in ROOT/locked");
        addRow("neither variable names a folder", "", "",
               "neither XDG_DATA_HOME nor HOME names one");
    }
    void folderProblems() {
        QFETCH(QString, xdg);
        QFETCH(QString, home);
        QFETCH(QString, problem);
        if (QByteArray(QTest::currentDataTag()).contains("may not") && geteuid() == 0)
            QSKIP("root may write in any folder");
        QFile::setPermissions(at("locked"), QFile::ReadOwner | QFile::ExeOwner);
        const Paths p = Paths::locate(at("usr/bin"), rooted(xdg), rooted(home));
        const QString said = p.listenerFolderProblem();
        QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.contains(rooted(problem)),
                 qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(PathsTest)
#include "Paths_test.moc"
