#include "imports/EibiCodes.h"

#include <QFile>
#include <QList>

namespace eibi {

namespace {
QString siteKey(const QString &itu, const QString &code) {
    return itu + u'\t' + code;
}
} // namespace

EibiCodes EibiCodes::fromTable(const QByteArray &tsv) {
    EibiCodes codes;
    for (const QByteArray &line : tsv.split('\n')) {
        const QStringList f = QString::fromUtf8(line).remove(u'\r').split(u'\t');
        if (f.size() < 3)
            continue;
        const QString &kind = f[0];
        if (kind == u"lang")
            codes.m_languages.insert(f[1], f[2]);
        else if (kind == u"country")
            codes.m_countries.insert(f[1], f[2]);
        else if (kind == u"target" && f[1].endsWith(u".."))
            codes.m_targetPrefixes.insert(f[1].chopped(2),
                                          QString(f[2]).remove(QStringLiteral("..")).trimmed());
        else if (kind == u"target")
            codes.m_targets.insert(f[1], f[2]);
        else if (kind == u"site" && f.size() >= 6)
            codes.m_sites.insert(siteKey(f[1], f[2]), Site{f[3], f[4], f[5]});
    }
    return codes;
}

EibiCodes EibiCodes::builtIn() {
    QFile file(QStringLiteral(":/eibi/eibi-codes.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromTable(file.readAll());
}

std::optional<QString> EibiCodes::language(const QString &code) const {
    const auto it = m_languages.constFind(code);
    return it == m_languages.cend() ? std::nullopt : std::optional<QString>(*it);
}

std::optional<QString> EibiCodes::country(const QString &itu) const {
    const auto it = m_countries.constFind(itu);
    return it == m_countries.cend() ? std::nullopt : std::optional<QString>(*it);
}

std::optional<QString> EibiCodes::target(const QString &code) const {
    if (const auto it = m_targets.constFind(code); it != m_targets.cend())
        return *it;
    if (const auto c = country(code))
        return c;
    if (code.size() < 3)
        return std::nullopt;
    const auto prefix = m_targetPrefixes.constFind(code.left(1));
    const auto rest = m_targets.constFind(code.mid(1));
    if (prefix == m_targetPrefixes.cend() || rest == m_targets.cend())
        return std::nullopt;
    return *prefix + u' ' + *rest;
}

std::optional<Site> EibiCodes::site(const QString &itu, const QString &code) const {
    const auto it = m_sites.constFind(siteKey(itu, code));
    return it == m_sites.cend() ? std::nullopt : std::optional<Site>(*it);
}

} // namespace eibi
