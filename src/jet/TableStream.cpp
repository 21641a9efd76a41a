#include "jet/TableStream.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace jet {

namespace {

constexpr char kMagic[] = {'S', 'K', 'J', 'T', 1};
constexpr size_t kFlushAt = 1 << 16;
constexpr int kMaxColumns = 4096;
constexpr quint32 kMaxNameBytes = 4096;
constexpr quint32 kMaxTextBytes = 64u << 20;
constexpr quint32 kMaxMessageBytes = 1u << 16;

enum CellTag : quint8 { NullCell = 0, NumberCell = 1, TextCell = 2 };

} // namespace

// ---- writer

TableStreamWriter::TableStreamWriter(Output output) : m_output(std::move(output)) {
    m_buffer.reserve(kFlushAt + 1024);
}

TableStreamWriter::~TableStreamWriter() {
    flush();
}

void TableStreamWriter::put(const void *data, size_t size) {
    m_buffer.append(static_cast<const char *>(data), size);
    if (m_buffer.size() >= kFlushAt)
        flush();
}

void TableStreamWriter::putU16(quint16 v) {
    const quint16 le = qToLittleEndian(v);
    put(&le, 2);
}

void TableStreamWriter::putU32(quint32 v) {
    const quint32 le = qToLittleEndian(v);
    put(&le, 4);
}

void TableStreamWriter::putU64(quint64 v) {
    const quint64 le = qToLittleEndian(v);
    put(&le, 8);
}

void TableStreamWriter::flush() {
    if (m_buffer.empty())
        return;
    m_output(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void TableStreamWriter::begin() {
    put(kMagic, sizeof kMagic);
    flush(); // shows the reader that the worker is alive before libmdb starts
}

void TableStreamWriter::columns(const QVector<Column> &columns) {
    putU8('C');
    putU16(quint16(columns.size()));
    for (const Column &c : columns) {
        const QByteArray name = c.name.toUtf8().left(kMaxNameBytes);
        putU8(c.kind == ColumnKind::Number ? 0 : 1);
        putU32(quint32(c.sourceType));
        putU32(quint32(c.size));
        putU16(quint16(name.size()));
        put(name.constData(), size_t(name.size()));
    }
}

void TableStreamWriter::startRowIfNeeded() {
    if (!m_inRow)
        putU8('R');
    m_inRow = true;
}

void TableStreamWriter::null() {
    startRowIfNeeded();
    putU8(NullCell);
}

void TableStreamWriter::number(double value) {
    startRowIfNeeded();
    putU8(NumberCell);
    quint64 bits = 0;
    std::memcpy(&bits, &value, 8);
    putU64(bits);
}

void TableStreamWriter::text(const char *utf8, qsizetype size) {
    startRowIfNeeded();
    const quint32 n = quint32(std::min<qsizetype>(size, kMaxTextBytes));
    putU8(TextCell);
    putU32(n);
    put(utf8, n);
}

void TableStreamWriter::endRow() {
    startRowIfNeeded(); // a table without columns still has rows
    m_inRow = false;
    ++m_rows;
}

void TableStreamWriter::finish() {
    putU8('E');
    putU64(m_rows);
    flush();
}

void TableStreamWriter::fail(ReadStatus status, const QByteArray &message) {
    const QByteArray m = message.left(kMaxMessageBytes);
    putU8('F');
    putU8(quint8(status));
    putU32(quint32(m.size()));
    put(m.constData(), size_t(m.size()));
    flush();
}

// ---- decoder

struct TableStreamDecoder::Cursor {
    const char *p;
    const char *end;
    bool has(quint64 n) const { return quint64(end - p) >= n; }
    quint8 u8() { return quint8(*p++); }
    quint16 u16() {
        const quint16 v = qFromLittleEndian<quint16>(p);
        p += 2;
        return v;
    }
    quint32 u32() {
        const quint32 v = qFromLittleEndian<quint32>(p);
        p += 4;
        return v;
    }
    quint64 u64() {
        const quint64 v = qFromLittleEndian<quint64>(p);
        p += 8;
        return v;
    }
};

// Schedules repeat a few thousand distinct texts per column. Handing the table the same
// QString for the same bytes saves decoding and allocation, and lets the table's own
// dictionary match by pointer instead of comparing characters.
class TableStreamDecoder::TextCache {
public:
    QString get(const char *utf8, quint32 size) {
        if (m_full)
            return QString::fromUtf8(utf8, size);
        const quint32 h = hash(utf8, size);
        size_t i = h & (m_slots.size() - 1);
        for (; m_slots[i].used; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot &s = m_slots[i];
            if (s.hash == h && s.size == size && std::memcmp(&m_arena[s.offset], utf8, size) == 0)
                return s.value;
        }
        QString value = QString::fromUtf8(utf8, size);
        insertAt(i, h, utf8, size, value);
        return value;
    }

private:
    static constexpr size_t kMaxEntries = 1 << 16; // beyond this a column is mostly unique
    struct Slot {
        bool used = false;
        quint32 hash = 0;
        quint32 size = 0;
        size_t offset = 0;
        QString value;
    };

    static quint32 hash(const char *p, quint32 n) {
        quint32 h = 2166136261u; // FNV-1a
        for (quint32 k = 0; k < n; ++k)
            h = (h ^ quint8(p[k])) * 16777619u;
        return h;
    }

    void insertAt(size_t i, quint32 h, const char *utf8, quint32 size, const QString &value) {
        m_slots[i] = Slot{true, h, size, m_arena.size(), value};
        m_arena.append(utf8, size);
        if (++m_count * 2 > m_slots.size())
            grow();
    }

    void grow() {
        if (m_count >= kMaxEntries) {
            m_full = true;
            m_slots = {};
            m_arena = {};
            return;
        }
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (Slot &s : old) {
            if (!s.used)
                continue;
            size_t i = s.hash & (m_slots.size() - 1);
            while (m_slots[i].used)
                i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = std::move(s);
        }
    }

    std::vector<Slot> m_slots = std::vector<Slot>(64);
    std::string m_arena;
    size_t m_count = 0;
    bool m_full = false;
};

TableStreamDecoder::TableStreamDecoder() = default;
TableStreamDecoder::~TableStreamDecoder() = default;

qint64 TableStreamDecoder::rowCount() const {
    return m_table ? m_table->rowCount() : 0;
}

std::unique_ptr<Table> TableStreamDecoder::takeTable() {
    if (m_state != State::Finished)
        return nullptr;
    m_table->squeeze();
    return std::move(m_table);
}

TableStreamDecoder::State TableStreamDecoder::feed(const QByteArray &bytes) {
    if (m_state != State::Reading) {
        if (m_state == State::Finished && !bytes.isEmpty()) {
            invalid(QStringLiteral("bytes after the end record"));
            m_table.reset();
        }
        return m_state;
    }
    if (m_buffer.isEmpty())
        m_buffer = bytes;
    else
        m_buffer.append(bytes);
    decodeAvailable();
    return m_state;
}

TableStreamDecoder::State TableStreamDecoder::endOfInput() {
    if (m_state == State::Reading)
        invalid(m_buffer.size() > m_pos ? QStringLiteral("the stream stops inside a record")
                                        : QStringLiteral("the stream stops before its end"));
    return m_state;
}

void TableStreamDecoder::decodeAvailable() {
    Cursor c{m_buffer.constData() + m_pos, m_buffer.constData() + m_buffer.size()};
    while (m_state == State::Reading && c.p < c.end) {
        const char *recordStart = c.p;
        const Step step = decodeRecord(c);
        if (step == Step::NeedMore) {
            c.p = recordStart;
            break;
        }
    }
    if (m_state == State::Finished && c.p < c.end)
        invalid(QStringLiteral("bytes after the end record"));
    m_pos = c.p - m_buffer.constData();
    if (m_state != State::Reading) {
        m_buffer.clear();
        m_pos = 0;
    } else if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
}

TableStreamDecoder::Step TableStreamDecoder::invalid(const QString &why) {
    m_state = State::Invalid;
    m_problem = why;
    m_table.reset();
    return Step::Bad;
}

TableStreamDecoder::Step TableStreamDecoder::decodeRecord(Cursor &c) {
    if (!m_magicSeen)
        return decodeMagic(c);
    const char tag = char(c.u8());
    switch (tag) {
    case 'C':
        return decodeColumns(c);
    case 'R':
        return decodeRow(c);
    case 'E':
        return decodeEnd(c);
    case 'F':
        return decodeFailure(c);
    }
    return invalid(QStringLiteral("unknown record tag %1").arg(int(quint8(tag))));
}

TableStreamDecoder::Step TableStreamDecoder::decodeMagic(Cursor &c) {
    if (!c.has(sizeof kMagic))
        return std::memcmp(c.p, kMagic, size_t(c.end - c.p)) == 0
                   ? Step::NeedMore
                   : invalid(QStringLiteral("not a table stream"));
    if (std::memcmp(c.p, kMagic, sizeof kMagic) != 0)
        return invalid(QStringLiteral("not a table stream"));
    c.p += sizeof kMagic;
    m_magicSeen = true;
    return Step::Done;
}

TableStreamDecoder::Step TableStreamDecoder::decodeColumns(Cursor &c) {
    if (m_table)
        return invalid(QStringLiteral("a second column list"));
    if (!c.has(2))
        return Step::NeedMore;
    const int count = c.u16();
    if (count > kMaxColumns)
        return invalid(QStringLiteral("too many columns"));
    QVector<Column> columns;
    columns.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (!c.has(11))
            return Step::NeedMore;
        Column col;
        const quint8 kind = c.u8();
        if (kind > 1)
            return invalid(QStringLiteral("unknown column kind"));
        col.kind = kind == 0 ? ColumnKind::Number : ColumnKind::Text;
        col.sourceType = int(c.u32());
        col.size = int(c.u32());
        const quint16 nameBytes = c.u16();
        if (nameBytes > kMaxNameBytes)
            return invalid(QStringLiteral("a column name is too long"));
        if (!c.has(nameBytes))
            return Step::NeedMore;
        col.name = QString::fromUtf8(c.p, nameBytes);
        c.p += nameBytes;
        columns.push_back(std::move(col));
    }
    m_table = std::make_unique<Table>(std::move(columns));
    m_row.reserve(size_t(count));
    m_textCaches.resize(size_t(count));
    return Step::Done;
}

TableStreamDecoder::Step TableStreamDecoder::decodeRow(Cursor &c) {
    if (!m_table)
        return invalid(QStringLiteral("a row before the column list"));
    m_row.clear();
    const int columns = m_table->columnCount();
    for (int i = 0; i < columns; ++i) {
        if (!c.has(1))
            return Step::NeedMore;
        switch (c.u8()) {
        case NullCell:
            m_row.push_back(Cell::null());
            break;
        case NumberCell: {
            if (!c.has(8))
                return Step::NeedMore;
            const quint64 bits = c.u64();
            double v = 0;
            std::memcpy(&v, &bits, 8);
            m_row.push_back(std::isfinite(v) ? Cell::fromNumber(v) : Cell::null());
            break;
        }
        case TextCell: {
            if (!c.has(4))
                return Step::NeedMore;
            const quint32 n = c.u32();
            if (n > kMaxTextBytes)
                return invalid(QStringLiteral("a text is too long"));
            if (!c.has(n))
                return Step::NeedMore;
            m_row.push_back(Cell::fromText(m_textCaches[size_t(i)].get(c.p, n)));
            c.p += n;
            break;
        }
        default:
            return invalid(QStringLiteral("unknown cell tag"));
        }
    }
    m_table->appendRow(m_row);
    return Step::Done;
}

TableStreamDecoder::Step TableStreamDecoder::decodeEnd(Cursor &c) {
    if (!c.has(8))
        return Step::NeedMore;
    const quint64 rows = c.u64();
    if (!m_table)
        return invalid(QStringLiteral("an end without a column list"));
    if (rows != quint64(m_table->rowCount()))
        return invalid(QStringLiteral("the row count does not match"));
    m_state = State::Finished;
    return Step::Done;
}

TableStreamDecoder::Step TableStreamDecoder::decodeFailure(Cursor &c) {
    if (!c.has(5))
        return Step::NeedMore;
    const quint8 status = c.u8();
    const quint32 n = c.u32();
    if (status == 0 || status > quint8(ReadStatus::Damaged) || n > kMaxMessageBytes)
        return invalid(QStringLiteral("a malformed failure record"));
    if (!c.has(n))
        return Step::NeedMore;
    m_problem = QString::fromUtf8(c.p, n);
    c.p += n;
    m_failure = ReadStatus(status);
    m_state = State::Failed;
    m_table.reset();
    return Step::Done;
}

} // namespace jet
