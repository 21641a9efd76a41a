#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace eibi {

// A transmitter site: its name and its coordinates as the schedule writes them ("18S09",
// "045E58"; empty where the list gives none).
struct Site {
    QString name;
    QString lati;
    QString longi;
};

// The EiBi code lists (languages, countries, target areas, transmitter sites), loaded from the
// tab-separated table that scripts/eibi-codes.py derives from the EiBi readme.
class EibiCodes {
public:
    // Rows "lang|country|target CODE NAME" and "site ITU CODE NAME LATI LONGI"; other lines
    // are ignored.
    static EibiCodes fromTable(const QByteArray &tsv);
    // The table compiled into the program.
    static EibiCodes builtIn();

    std::optional<QString> language(const QString &code) const;
    std::optional<QString> country(const QString &itu) const;
    // Plain codes, ITU country codes and the compass prefixes ("EEu" East Europe).
    std::optional<QString> target(const QString &code) const;
    // code "" is the country's main site.
    std::optional<Site> site(const QString &itu, const QString &code) const;
    bool isEmpty() const { return m_languages.isEmpty(); }

private:
    QHash<QString, QString> m_languages;
    QHash<QString, QString> m_countries;
    QHash<QString, QString> m_targets;
    QHash<QString, QString> m_targetPrefixes; // "C" -> "Central"
    QHash<QString, Site> m_sites;             // "ITU\tcode"
};

} // namespace eibi
