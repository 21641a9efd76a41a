#include "jet/Jet4Row.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace jet::jet4 {

namespace {

int fixedSize(quint8 type) {
    switch (type) {
    case Integer:
        return 2;
    case LongInteger:
        return 4;
    case Double:
    case DateTime:
        return 8;
    default:
        return 0; // variable length
    }
}

bool knownType(quint8 type) {
    switch (type) {
    case Integer:
    case LongInteger:
    case Double:
    case DateTime:
    case Binary:
    case Text:
    case Ole:
    case Memo:
        return true;
    default:
        return false;
    }
}

quint8 typeOf(const Column &c) {
    if (c.sourceType != 0)
        return quint8(c.sourceType);
    return c.kind == ColumnKind::Number ? Double : Text;
}

int declaredBytes(quint8 type, int size) {
    if (type == Text)
        return 2 * (size > 0 ? size : 255);
    if (type == Binary)
        return size > 0 ? size : 255;
    if (type == Memo || type == Ole)
        return 0;
    return fixedSize(type);
}

void append16(QByteArray &out, quint16 v) {
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

// Bytes of the compressed form, or -1 when a character has a zero low byte, which a
// reader would take for a switch between one- and two-byte characters.
qsizetype compressedSize(const QString &text) {
    qsizetype size = 2;
    bool oneByte = true;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u & 0xff) == 0)
            return -1;
        const bool small = u < 0x100;
        size += (small != oneByte ? 1 : 0) + (small ? 1 : 2);
        oneByte = small;
    }
    return size;
}

void writeCompressed(const QString &text, char *p) {
    *p++ = char(0xff);
    *p++ = char(0xfe);
    bool oneByte = true;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x100) != oneByte) {
            *p++ = '\0';
            oneByte = !oneByte;
        }
        *p++ = char(u & 0xff);
        if (!oneByte)
            *p++ = char(u >> 8);
    }
}

void writeUcs2(const QString &text, char *p) {
    for (QChar c : text) {
        *p++ = char(c.unicode() & 0xff);
        *p++ = char(c.unicode() >> 8);
    }
}

// Appends the Jet 4 bytes of text to out.
void appendText(QByteArray &out, const QString &text) {
    if (text.isEmpty())
        return;
    const qsizetype packed = compressedSize(text);
    const qsizetype plain = 2 * text.size();
    // Plain text starting with U+FEFF would read as the compression marker.
    const bool plainMisreads = text.front().unicode() == 0xfeff;
    const bool compress = packed >= 0 && (packed < plain || plainMisreads);
    const qsizetype at = out.size();
    out.resize(at + (compress ? packed : plain));
    if (compress)
        writeCompressed(text, out.data() + at);
    else
        writeUcs2(text, out.data() + at);
}

bool encodeNumber(const FieldLayout &f, double v, char *dest, QString *error) {
    switch (f.type) {
    case Integer:
    case LongInteger: {
        const double limit = f.type == Integer ? 32768.0 : 2147483648.0;
        if (v != std::floor(v) || v < -limit || v >= limit) {
            *error = QStringLiteral("%1 does not fit column %2").arg(v).arg(f.name);
            return false;
        }
        const qint32 i = qint32(v);
        for (int b = 0; b < fixedSize(f.type); ++b)
            dest[b] = char((quint32(i) >> (8 * b)) & 0xff);
        return true;
    }
    case Double:
    case DateTime: {
        quint64 bits;
        static_assert(sizeof bits == sizeof v);
        std::memcpy(&bits, &v, sizeof bits);
        for (int b = 0; b < 8; ++b)
            dest[b] = char((bits >> (8 * b)) & 0xff);
        return true;
    }
    default:
        *error = QStringLiteral("column %1 cannot hold a number").arg(f.name);
        return false;
    }
}

bool checkText(const FieldLayout &f, const Cell &c, QString *error) {
    if (f.type != Text) {
        *error = QStringLiteral("column %1 cannot hold a text").arg(f.name);
        return false;
    }
    if (c.text.size() * 2 > f.sizeBytes) {
        *error = QStringLiteral("text longer than %1 characters in column %2")
                     .arg(f.sizeBytes / 2)
                     .arg(f.name);
        return false;
    }
    return true;
}

} // namespace

void put16(QByteArray &buf, int offset, quint16 v) {
    buf[offset] = char(v & 0xff);
    buf[offset + 1] = char(v >> 8);
}

void put32(QByteArray &buf, int offset, quint32 v) {
    for (int b = 0; b < 4; ++b)
        buf[offset + b] = char((v >> (8 * b)) & 0xff);
}

std::vector<FieldLayout> layoutFields(const QVector<Column> &columns, QString *error) {
    std::vector<FieldLayout> fields;
    int fixedOffset = 0, varIndex = 0;
    for (int i = 0; i < columns.size(); ++i) {
        FieldLayout f;
        f.name = columns[i].name;
        f.type = typeOf(columns[i]);
        if (!knownType(f.type) || (f.type == Text && columns[i].size > 255)) {
            *error = QStringLiteral("column %1: type %2 size %3 cannot be written")
                         .arg(f.name)
                         .arg(f.type)
                         .arg(columns[i].size);
            return {};
        }
        f.sizeBytes = declaredBytes(f.type, columns[i].size);
        f.fixed = fixedSize(f.type) > 0;
        f.number = i;
        f.fixedOffset = f.fixed ? fixedOffset : 0;
        f.varIndex = f.fixed ? varIndex : varIndex++;
        if (f.fixed)
            fixedOffset += f.sizeBytes;
        fields.push_back(f);
    }
    return fields;
}

QByteArray encodeText(const QString &text) {
    QByteArray out;
    appendText(out, text);
    return out;
}

bool encodeRow(const std::vector<FieldLayout> &fields, const std::vector<Cell> &cells,
               QByteArray &out, QString *error) {
    if (cells.size() != fields.size()) {
        *error = QStringLiteral("%1 values for %2 columns").arg(cells.size()).arg(fields.size());
        return false;
    }
    int fixedBytes = 0, varCount = 0;
    for (const FieldLayout &f : fields) {
        if (f.fixed)
            fixedBytes = std::max(fixedBytes, f.fixedOffset + f.sizeBytes);
        else
            ++varCount;
    }
    out.fill('\0', 2 + fixedBytes);
    put16(out, 0, quint16(fields.size()));
    QByteArray nullMask((fields.size() + 7) / 8, '\0');
    std::vector<quint16> varOffsets(size_t(varCount), 0);
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldLayout &f = fields[i];
        const Cell &c = cells[i];
        if (!f.fixed)
            varOffsets[size_t(f.varIndex)] = quint16(out.size());
        if (c.isNull())
            continue;
        nullMask[f.number / 8] = char(nullMask[f.number / 8] | (1 << (f.number % 8)));
        if (c.isNumber()) {
            if (!f.fixed) {
                *error = QStringLiteral("column %1 cannot hold a number").arg(f.name);
                return false;
            }
            if (!encodeNumber(f, c.number, out.data() + 2 + f.fixedOffset, error))
                return false;
        } else {
            if (!checkText(f, c, error))
                return false;
            appendText(out, c.text);
        }
    }
    if (varCount > 0) {
        append16(out, quint16(out.size())); // end of the variable data
        for (auto it = varOffsets.rbegin(); it != varOffsets.rend(); ++it)
            append16(out, *it);
        append16(out, quint16(varCount));
    }
    out.append(nullMask);
    return true;
}

} // namespace jet::jet4
