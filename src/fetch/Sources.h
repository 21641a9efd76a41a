#pragma once

#include "fetch/Season.h"

#include <QString>
#include <QUrl>

namespace fetch {

// The schedules the program can fetch.
enum class Source { Eibi, Hfcc };

QString sourceName(Source source);                      // "EiBi", "HFCC"
std::optional<Source> sourceNamed(const QString &name); // any letter case

// The source's address with "<season>" standing for the season in lower case.
QString defaultAddress(Source source);
QUrl addressFor(const QString &address, const Season &season);

} // namespace fetch
