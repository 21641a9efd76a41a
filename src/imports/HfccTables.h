#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace hfcc {

// A transmitter site of site.txt, its coordinates in the schedule's forms ("43N17", "077E00").
struct Site {
    QString name;
    QString lati;
    QString longi;
};

// The code tables published with the season file, and the CIRAF zones' areas.
struct Tables {
    QHash<QString, Site> sites;
    QHash<QString, QString> broadcasters;
    QHash<QString, QString> administrations; // English names
    QHash<QString, QString> languages;
    QHash<int, QString> cirafAreas;
    QStringList missing; // the tables that were not found

    // Tables from their files' bytes (a missing one empty, named in missing).
    void readSites(const QByteArray &bytes);
    void readBroadcasters(const QByteArray &bytes);
    void readAdministrations(const QByteArray &bytes);
    void readLanguages(const QByteArray &bytes);
    // "NN  areas" lines of CIRAF.txt; the program's own copy when bytes are empty.
    void readCirafAreas(const QByteArray &bytes = {});
};

// The table files a season file comes with, by their published names.
inline const QStringList TableFiles = {QStringLiteral("site.txt"), QStringLiteral("broadcas.txt"),
                                       QStringLiteral("admin.txt"), QStringLiteral("language.txt")};

// Fills the table named file (one of TableFiles) from its bytes.
void readTable(Tables &tables, const QString &file, const QByteArray &bytes);

} // namespace hfcc
