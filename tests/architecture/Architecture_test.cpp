#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

// The layer table of ARCHITECTURE.md is the rule: this test reads it, every folder's source
// lists and every include of the tree, and names each include that breaks it.

namespace {

QString readText(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Layers {
    QHash<QString, int> level;              // folder (or main.cpp) -> level
    QHash<QString, QSet<QString>> onlyFrom; // a separate program: the folders it may include
};

QStringList backticked(const QString &text) {
    QStringList names;
    static const QRegularExpression tick(QStringLiteral("`([^`]+)`"));
    for (const QRegularExpressionMatch &m : tick.globalMatch(text))
        names << m.captured(1);
    return names;
}

// Rows "| level | `folder`, `folder` | what |"; a level "-" row names what it may include.
Layers parseLayers(const QString &markdown) {
    Layers layers;
    for (const QString &line : markdown.split(u'\n')) {
        const QStringList cells = line.split(u'|');
        if (cells.size() < 5)
            continue;
        const QString level = cells[1].trimmed();
        bool isNumber = false;
        const int n = level.toInt(&isNumber);
        const QStringList allowed = backticked(cells[3]);
        for (const QString &folder : backticked(cells[2])) {
            if (isNumber)
                layers.level.insert(folder, n);
            else if (level == u"-")
                layers.onlyFrom.insert(folder, QSet<QString>(allowed.begin(), allowed.end()));
        }
    }
    return layers;
}

struct Sources {
    QSet<QString> core; // paths below src/, "app/Seams.h"
    QSet<QString> ui;
};

Sources parseSourceLists(const QString &srcDir) {
    Sources sources;
    static const QRegularExpression block(
        QStringLiteral("target_sources\\((skedwise_core|skedwise_ui)\\s+PRIVATE([^)]*)\\)"));
    for (const QString &folder : QDir(srcDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString lists = readText(srcDir + u'/' + folder + QStringLiteral("/CMakeLists.txt"));
        for (const QRegularExpressionMatch &m : block.globalMatch(lists)) {
            QSet<QString> &into = m.captured(1) == u"skedwise_core" ? sources.core : sources.ui;
            for (const QString &name : m.captured(2).split(
                     QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                into.insert(folder + u'/' + name);
        }
    }
    return sources;
}

struct Include {
    QString name;
    bool angle = false;
};

QList<Include> includesOf(const QString &text) {
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s*([<\"])([^>\"]+)[>\"]"),
        QRegularExpression::MultilineOption);
    QList<Include> result;
    for (const QRegularExpressionMatch &m : include.globalMatch(text))
        result.append({m.captured(2), m.captured(1) == u"<"});
    return result;
}

bool isUiLibraryHeader(const QString &header, const QStringList &qtUiDirs) {
    for (const char *module : {"QtGui/", "QtWidgets/", "QtPrintSupport/"})
        if (header.startsWith(QLatin1String(module)))
            return true;
    for (const QString &dir : qtUiDirs)
        if (QFile::exists(dir + u'/' + header))
            return true;
    return false;
}

struct Checker {
    Layers layers;
    Sources sources;
    QStringList qtUiDirs;
    QStringList problems;

    void checkInclude(const QString &file, const QString &folder, bool core, const Include &inc) {
        if (inc.angle) {
            if (core && isUiLibraryHeader(inc.name, qtUiDirs))
                problems << file + QStringLiteral(" (core) includes <") + inc.name +
                                QStringLiteral(">, a GUI, widget or print header");
            return;
        }
        if (core && sources.ui.contains(inc.name))
            problems << file + QStringLiteral(" (core) includes ") + inc.name +
                            QStringLiteral(", a header of the UI library");
        const QString target = inc.name.section(u'/', 0, 0);
        const bool knownFolder = layers.level.contains(target) || layers.onlyFrom.contains(target);
        if (!inc.name.contains(u'/') || target == folder || !knownFolder)
            return;
        if (layers.onlyFrom.contains(folder)) {
            if (!layers.onlyFrom[folder].contains(target))
                problems << file + QStringLiteral(" includes ") + inc.name +
                                QStringLiteral(", which ") + folder +
                                QStringLiteral(" may not use");
            return;
        }
        const int from = layers.level.value(folder), to = layers.level.value(target, 1000);
        if (to >= from)
            problems << file + QStringLiteral(" includes ") + inc.name +
                            QStringLiteral(" against the layer order (") + folder + u' ' +
                            QString::number(from) + QStringLiteral(", ") + target + u' ' +
                            (to == 1000 ? QStringLiteral("-") : QString::number(to)) + u')';
    }

    void checkFile(const QString &srcDir, const QString &file) {
        const QString folder = file.contains(u'/') ? file.section(u'/', 0, 0) : file;
        if (!layers.level.contains(folder) && !layers.onlyFrom.contains(folder)) {
            problems << file + QStringLiteral(": folder ") + folder +
                            QStringLiteral(" has no line in the layer table");
            return;
        }
        const bool core = sources.core.contains(file);
        for (const Include &inc : includesOf(readText(srcDir + u'/' + file)))
            checkInclude(file, folder, core, inc);
    }
};

// Every problem of the tree at root (ARCHITECTURE.md and src/ below it).
QStringList checkTree(const QString &root, const QStringList &qtUiDirs) {
    const QString srcDir = root + QStringLiteral("/src");
    Checker checker{parseLayers(readText(root + QStringLiteral("/ARCHITECTURE.md"))),
                    parseSourceLists(srcDir),
                    qtUiDirs,
                    {}};
    QDirIterator it(srcDir, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << QDir(srcDir).relativeFilePath(it.next());
    files.sort();
    for (const QString &file : files)
        checker.checkFile(srcDir, file);
    return checker.problems;
}

QStringList qtUiHeaderDirs() {
    return QString::fromUtf8(SKEDWISE_QT_UI_HEADER_DIRS).split(u'|', Qt::SkipEmptyParts);
}

void writeFile(const QString &path, const QString &text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

} // namespace

class ArchitectureTest : public QObject {
    Q_OBJECT

private slots:
    void layerTableIsRead() {
        const Layers layers =
            parseLayers(readText(QStringLiteral(SKEDWISE_SOURCE_DIR "/ARCHITECTURE.md")));
        // The bottom, the top and a shared row: the tree check below has the whole table.
        QCOMPARE(layers.level.value("jet"), 1);
        QCOMPARE(layers.level.value("export"), layers.level.value("imports"));
        QCOMPARE(layers.level.value("main.cpp"), 10);
        QCOMPARE(layers.onlyFrom.value("rx"), (QSet<QString>{"jet", "app", "receiver"}));
    }

    void qtModuleFoldersAreKnown() {
        QVERIFY(isUiLibraryHeader("QWidget", qtUiHeaderDirs()));
        QVERIFY(isUiLibraryHeader("QColor", qtUiHeaderDirs()));
        QVERIFY(isUiLibraryHeader("QPrinter", qtUiHeaderDirs()));
        QVERIFY(!isUiLibraryHeader("QString", qtUiHeaderDirs()));
        QVERIFY(!isUiLibraryHeader("QtCore/QDateTime", qtUiHeaderDirs()));
    }

    // A small tree with one fault of each kind: each must be reported, and nothing else.
    void wrongIncludesAreReported() {
        QTemporaryDir dir;
        const QString root = dir.path();
        writeFile(root + "/ARCHITECTURE.md", "| level | folder | what |\n|---|---|---|\n"
                                             "| 1 | `jet` | files |\n| 2 | `app` | seams |\n"
                                             "| 3 | `onair`, `schedule` | logic |\n"
                                             "| 4 | `mainwindow` | windows |\n"
                                             "| - | `rx` | may include `jet` only |\n");
        writeFile(root + "/src/jet/CMakeLists.txt", "target_sources(skedwise_core PRIVATE\n"
                                                    "  Table.cpp\n  Table.h\n)\n");
        writeFile(root + "/src/jet/Table.h", "#include <QString>\n");
        writeFile(root + "/src/jet/Table.cpp",
                  "#include \"jet/Table.h\"\n#include \"app/Seams.h\"\n");
        writeFile(root + "/src/app/CMakeLists.txt",
                  "target_sources(skedwise_core PRIVATE Seams.h Logic.cpp)\n"
                  "target_sources(skedwise_ui PRIVATE Window.h)\n");
        writeFile(root + "/src/app/Seams.h",
                  "#include \"jet/Table.h\"\n#include <QtCore/QObject>\n");
        writeFile(root + "/src/app/Logic.cpp", "#include <QColor>\n#  include \"app/Window.h\"\n"
                                               "#include <QtWidgets/QLabel>\n");
        writeFile(root + "/src/app/Window.h", "#include <QWidget>\n");
        writeFile(root + "/src/onair/CMakeLists.txt",
                  "target_sources(skedwise_core PRIVATE A.h)\n");
        writeFile(root + "/src/onair/A.h", "#include \"schedule/B.h\"\n#include \"app/Seams.h\"\n");
        writeFile(root + "/src/mainwindow/CMakeLists.txt",
                  "target_sources(skedwise_ui PRIVATE W.h)\n");
        writeFile(root + "/src/mainwindow/W.h", "#include \"onair/A.h\"\n#include <QWidget>\n");
        writeFile(root + "/src/rx/CMakeLists.txt", "\n");
        writeFile(root + "/src/rx/Rx.cpp", "#include \"jet/Table.h\"\n#include \"app/Seams.h\"\n");
        writeFile(root + "/src/tools/CMakeLists.txt", "\n");
        writeFile(root + "/src/tools/T.cpp", "\n");

        const QStringList expected = {
            "app/Logic.cpp (core) includes <QColor>, a GUI, widget or print header",
            "app/Logic.cpp (core) includes app/Window.h, a header of the UI library",
            "app/Logic.cpp (core) includes <QtWidgets/QLabel>, a GUI, widget or print header",
            "jet/Table.cpp includes app/Seams.h against the layer order (jet 1, app 2)",
            "onair/A.h includes schedule/B.h against the layer order (onair 3, schedule 3)",
            "rx/Rx.cpp includes app/Seams.h, which rx may not use",
            "tools/T.cpp: folder tools has no line in the layer table"};
        QCOMPARE(checkTree(root, qtUiHeaderDirs()), expected);
    }

    void treeKeepsTheRules() {
        const QStringList problems =
            checkTree(QStringLiteral(SKEDWISE_SOURCE_DIR), qtUiHeaderDirs());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(ArchitectureTest)
#include "Architecture_test.moc"
