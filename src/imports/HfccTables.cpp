#include "imports/HfccTables.h"

#include "imports/EibiReader.h"

#include <QFile>
#include <QRegularExpression>

namespace hfcc {

namespace {

// Column a to b, counted from 1, blanks trimmed; b 0 for the rest of the line.
QString columns(const QString &line, int a, int b = 0) {
    return line.mid(a - 1, b == 0 ? -1 : b - a + 1).trimmed();
}

// Data lines of a table: comments (";") and blank lines left out, line ends removed.
template <typename Each> void eachDataLine(const QByteArray &bytes, Each each) {
    for (QString line : eibi::decodeScheduleText(bytes).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u';') || line.trimmed().isEmpty())
            continue;
        each(columns(line, 1, 3), line);
    }
}

// "06E15" has two degree digits where the program's form has three.
QString paddedLongitude(const QString &longi) {
    static const QRegularExpression twoDigits(QStringLiteral("^[0-9]{2}[EW][0-9]{2}$"));
    return twoDigits.match(longi).hasMatch() ? u'0' + longi : longi;
}

void readNames(QHash<QString, QString> &into, const QByteArray &bytes, int last) {
    eachDataLine(bytes, [&](const QString &code, const QString &line) {
        into.insert(code, columns(line, 5, last));
    });
}

} // namespace

void Tables::readSites(const QByteArray &bytes) {
    eachDataLine(bytes, [&](const QString &code, const QString &line) {
        sites.insert(code, Site{columns(line, 5, 34), columns(line, 40, 44),
                                paddedLongitude(columns(line, 46, 51))});
    });
}

void Tables::readBroadcasters(const QByteArray &bytes) {
    readNames(broadcasters, bytes, 54);
}

void Tables::readAdministrations(const QByteArray &bytes) {
    readNames(administrations, bytes, 54);
}

void Tables::readLanguages(const QByteArray &bytes) {
    readNames(languages, bytes, 0);
}

void Tables::readCirafAreas(const QByteArray &bytes) {
    QByteArray text = bytes;
    if (text.isEmpty()) {
        QFile own(QStringLiteral(":/hfcc/CIRAF.txt"));
        if (own.open(QIODevice::ReadOnly))
            text = own.readAll();
    }
    for (const QString &line : QString::fromUtf8(text).split(u'\n')) {
        bool ok = false;
        const int zone = line.left(2).toInt(&ok);
        if (ok)
            cirafAreas.insert(zone, line.mid(2).trimmed());
    }
}

void readTable(Tables &tables, const QString &file, const QByteArray &bytes) {
    const QString name = file.toLower();
    if (name == u"site.txt")
        tables.readSites(bytes);
    else if (name == u"broadcas.txt")
        tables.readBroadcasters(bytes);
    else if (name == u"admin.txt")
        tables.readAdministrations(bytes);
    else if (name == u"language.txt")
        tables.readLanguages(bytes);
}

} // namespace hfcc
