#include "app/TextDecoding.h"

#include <array>

namespace app {

namespace {

// 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t high = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : 0;
        *out++ = QChar(high != 0 ? high : char16_t(b));
    }
    return text;
}

QString decodeUtf8OrWindows1252(QByteArrayView bytes) {
    if (!bytes.isValidUtf8())
        return fromWindows1252(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return QString::fromUtf8(bytes);
}

} // namespace app
