#pragma once

#include <QByteArrayView>
#include <QString>

namespace app {

// 8-bit text as Windows-1252 (0x80..0x9F its own table, the other bytes Latin-1); the five
// bytes it leaves unassigned stay their C1 control characters.
QString fromWindows1252(QByteArrayView bytes);

// UTF-8 when all of it is valid UTF-8 (a leading byte-order mark dropped), else Windows-1252:
// the files listeners have are one or the other.
QString decodeUtf8OrWindows1252(QByteArrayView bytes);

} // namespace app
