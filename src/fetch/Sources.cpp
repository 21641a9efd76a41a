#include "fetch/Sources.h"

namespace fetch {

QString sourceName(Source source) {
    return source == Source::Eibi ? QStringLiteral("EiBi") : QStringLiteral("HFCC");
}

std::optional<Source> sourceNamed(const QString &name) {
    for (const Source s : {Source::Eibi, Source::Hfcc})
        if (name.compare(sourceName(s), Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

QString defaultAddress(Source source) {
    return source == Source::Eibi
               ? QStringLiteral("http://www.eibispace.de/dx/sked-<season>.csv")
               : QStringLiteral("https://new.hfcc.org/data/<season>/<season>allx2.zip");
}

QUrl addressFor(const QString &address, const Season &season) {
    return QUrl(QString(address).replace(QStringLiteral("<season>"), season.code().toLower()),
                QUrl::StrictMode);
}

} // namespace fetch
