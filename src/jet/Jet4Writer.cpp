#include "jet/Jet4Writer.h"

#include "jet/Jet4Row.h"

#include <QSaveFile>

#include <array>
#include <cstring>

namespace jet {

namespace {

using namespace jet4;

constexpr int kPageSize = 4096;
constexpr int kDataHeader = 14;      // type, flag, free space, owner, unknown, row count
constexpr int kMaxRowsPerPage = 255; // row numbers are one byte in page pointers
constexpr int kInlineMapBytes = 64;
constexpr int kPagesPerMapPage = (kPageSize - 4) * 8;
constexpr int kMapPageSlots = 17;
constexpr double kCreated = 36526.0; // 2000-01-01: fixed, so equal input gives equal bytes

// Page numbers of the fixed part of the file.
constexpr quint32 kMapsPage = 1;
constexpr quint32 kCatalogDefPage = 2;
constexpr quint32 kCatalogDataPage = 3;
constexpr quint32 kTableDefPage = 4;
constexpr quint32 kFirstDataPage = 5;

constexpr quint32 kTablesContainer = 0x0F000001;
constexpr quint32 kRootContainer = 0x0F000000;

QByteArray blankPage(quint8 type) {
    QByteArray page(kPageSize, '\0');
    page[0] = char(type);
    page[1] = 0x01;
    return page;
}

// Packs encoded rows into data pages, filling each page from its end.
class DataPages {
public:
    explicit DataPages(quint32 owner) : m_owner(owner) { startPage(); }

    void add(const QByteArray &row) {
        const int freeBytes = m_lowest - (kDataHeader + 2 * m_rows);
        if (m_rows > 0 && (m_rows == kMaxRowsPerPage || row.size() + 2 > freeBytes))
            finishPage();
        m_lowest -= int(row.size());
        std::memcpy(m_page.data() + m_lowest, row.constData(), size_t(row.size()));
        put16(m_page, kDataHeader + 2 * m_rows, quint16(m_lowest));
        ++m_rows;
    }

    std::vector<QByteArray> take() {
        if (m_rows > 0)
            finishPage();
        return std::move(m_pages);
    }

private:
    void startPage() {
        m_page = blankPage(0x01);
        put32(m_page, 4, m_owner);
        m_rows = 0;
        m_lowest = kPageSize;
    }
    void finishPage() {
        put16(m_page, 2, quint16(m_lowest - (kDataHeader + 2 * m_rows)));
        put16(m_page, 12, quint16(m_rows));
        m_pages.push_back(m_page);
        startPage();
    }

    quint32 m_owner;
    QByteArray m_page;
    int m_rows = 0;
    int m_lowest = kPageSize;
    std::vector<QByteArray> m_pages;
};

bool encodeRows(const std::vector<FieldLayout> &fields, const std::vector<std::vector<Cell>> &rows,
                DataPages &pages, QString *error) {
    QByteArray buffer;
    for (size_t r = 0; r < rows.size(); ++r) {
        QString why;
        if (!encodeRow(fields, rows[r], buffer, &why)) {
            *error = QStringLiteral("row %1: %2").arg(r + 1).arg(why);
            return false;
        }
        if (buffer.size() + 2 > kPageSize - kDataHeader) {
            *error = QStringLiteral("row %1 is too long for a page").arg(r + 1);
            return false;
        }
        pages.add(buffer);
    }
    return true;
}

// Which pages a table owns: an inline bitmap when the pages are few, else a list of
// bitmap pages (type 0x05) placed at the end of the file.
struct UsageMap {
    QByteArray row;
    std::vector<QByteArray> mapPages;
};

void setBit(QByteArray &bits, int offset, int index) {
    bits[offset + index / 8] = char(bits[offset + index / 8] | (1 << (index % 8)));
}

QByteArray inlineMap(quint32 first, int count) {
    QByteArray row(5 + kInlineMapBytes, '\0');
    put32(row, 1, first);
    for (int i = 0; i < count; ++i)
        setBit(row, 5, i);
    return row;
}

bool referenceMap(quint32 first, int count, quint32 nextFreePage, UsageMap &map, QString *error) {
    map.row = QByteArray(1 + 4 * kMapPageSlots, '\0');
    map.row[0] = 0x01;
    const quint32 end = first + quint32(count);
    for (quint32 slot = first / kPagesPerMapPage; slot * kPagesPerMapPage < end; ++slot) {
        if (slot >= kMapPageSlots) {
            *error = QStringLiteral("too many pages for one table");
            return false;
        }
        QByteArray page = blankPage(0x05);
        page[1] = 0x01;
        const quint32 base = slot * kPagesPerMapPage;
        for (quint32 p = std::max(first, base); p < std::min(end, base + kPagesPerMapPage); ++p)
            setBit(page, 4, int(p - base));
        put32(map.row, 1 + 4 * int(slot), nextFreePage + quint32(map.mapPages.size()));
        map.mapPages.push_back(page);
    }
    return true;
}

bool usageMap(quint32 first, int count, quint32 nextFreePage, UsageMap &map, QString *error) {
    if (count <= kInlineMapBytes * 8) {
        map.row = inlineMap(first, count);
        return true;
    }
    return referenceMap(first, count, nextFreePage, map, error);
}

// One table: its definition page and where its maps live.
struct TableDef {
    QString name;
    std::vector<FieldLayout> fields;
    quint32 rowCount = 0;
    bool system = false;
    quint32 usedMapPointer = 0; // page << 8 | row
    quint32 freeMapPointer = 0;
};

QByteArray ucs2Name(const QString &name) {
    QByteArray out(name.size() * 2, '\0');
    for (qsizetype i = 0; i < name.size(); ++i)
        put16(out, int(2 * i), name[i].unicode());
    return out;
}

QByteArray columnEntry(const FieldLayout &f, bool system) {
    QByteArray e(25, '\0');
    e[0] = char(f.type);
    put16(e, 5, quint16(f.number));
    put16(e, 7, quint16(f.varIndex));
    put16(e, 9, quint16(f.number));
    put16(e, 11, 0x0409); // general sort order
    e[15] = char((f.fixed ? 0x03 : 0x02) | (system ? 0x10 : 0x00));
    e[16] = char(f.type == Text ? 0x01 : 0x00); // compressed Unicode allowed
    put16(e, 21, quint16(f.fixedOffset));
    put16(e, 23, quint16(f.sizeBytes));
    return e;
}

bool tableDefPage(const TableDef &t, QByteArray &page, QString *error) {
    QByteArray body(63, '\0');
    put32(body, 16, t.rowCount);
    body[24] = 0x01;
    body[40] = char(t.system ? 0x53 : 0x4e);
    int varCount = 0;
    for (const FieldLayout &f : t.fields)
        varCount += f.fixed ? 0 : 1;
    put16(body, 41, quint16(t.fields.size()));
    put16(body, 43, quint16(varCount));
    put16(body, 45, quint16(t.fields.size()));
    put32(body, 55, t.usedMapPointer);
    put32(body, 59, t.freeMapPointer);
    for (const FieldLayout &f : t.fields)
        body.append(columnEntry(f, t.system));
    for (const FieldLayout &f : t.fields) {
        const QByteArray name = ucs2Name(f.name);
        QByteArray length(2, '\0');
        put16(length, 0, quint16(name.size()));
        body.append(length).append(name);
    }
    if (body.size() > kPageSize) {
        *error = QStringLiteral("the definition of table %1 is too long").arg(t.name);
        return false;
    }
    page = blankPage(0x02);
    std::memcpy(page.data() + 8, body.constData() + 8, size_t(body.size() - 8));
    put16(page, 2, quint16(kPageSize - body.size()));
    put32(page, 8, quint32(body.size() - 8));
    return true;
}

// The system catalog (MSysObjects), with the columns Access-format readers look up.
QVector<Column> catalogColumns() {
    auto col = [](const char *name, quint8 type, int size = 0) {
        return Column{QString::fromLatin1(name),
                      type == Text || type == Memo ? ColumnKind::Text : ColumnKind::Number, type,
                      size};
    };
    return {col("Id", LongInteger),
            col("ParentId", LongInteger),
            col("Name", Text, 255),
            col("Type", Integer),
            col("DateCreate", DateTime),
            col("DateUpdate", DateTime),
            col("Owner", Binary, 510),
            col("Flags", LongInteger),
            col("Database", Memo),
            col("Connect", Memo),
            col("ForeignName", Text, 255),
            col("RmtInfoShort", Binary, 510),
            col("RmtInfoLong", Ole),
            col("Lv", Ole),
            col("LvProp", Ole),
            col("LvModule", Ole),
            col("LvExtra", Ole)};
}

std::vector<Cell> catalogRow(quint32 id, quint32 parent, const QString &name, int type,
                             quint32 flags) {
    std::vector<Cell> row(17);
    row[0] = Cell::fromNumber(qint32(id));
    row[1] = Cell::fromNumber(qint32(parent));
    row[2] = Cell::fromText(name);
    row[3] = Cell::fromNumber(type);
    row[4] = Cell::fromNumber(kCreated);
    row[5] = Cell::fromNumber(kCreated);
    row[7] = Cell::fromNumber(qint32(flags));
    return row;
}

std::vector<std::vector<Cell>> catalogRows(const QString &tableName) {
    constexpr int kTable = 1, kContainer = 3;
    constexpr quint32 kSystemObject = 0x80000000, kSystemTable = 0x80000002;
    return {catalogRow(kTablesContainer, kRootContainer, "Tables", kContainer, kSystemObject),
            catalogRow(0x0F000002, kRootContainer, "Databases", kContainer, kSystemObject),
            catalogRow(0x0F000003, kRootContainer, "Relationships", kContainer, kSystemObject),
            catalogRow(kCatalogDefPage, kTablesContainer, "MSysObjects", kTable, kSystemTable),
            catalogRow(kTableDefPage, kTablesContainer, tableName, kTable, 0)};
}

void rc4(const std::array<quint8, 4> &key, char *data, int length) {
    std::array<quint8, 256> s;
    for (int i = 0; i < 256; ++i)
        s[size_t(i)] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[size_t(i)] + key[size_t(i % 4)]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[size_t(i)]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
        data[n] = char(data[n] ^ s[(s[size_t(i)] + s[size_t(j)]) & 0xff]);
    }
}

// The database definition page. Its area from 0x18 is stored RC4-masked with the fixed
// key readers use to unmask it.
QByteArray headerPage() {
    QByteArray page(kPageSize, '\0');
    page[1] = 0x01;
    std::memcpy(page.data() + 4, "Standard Jet DB", 16);
    page[0x14] = 0x01; // Jet 4
    put16(page, 0x3c, 1252);
    put32(page, 0x3e, 0); // no encryption key
    // An empty password is stored as the creation-date mask itself.
    for (int i = 0; i < 10; ++i)
        put32(page, 0x42 + 4 * i, quint32(kCreated));
    put32(page, 0x6e, 0x0409);
    quint64 created;
    std::memcpy(&created, &kCreated, sizeof created);
    put32(page, 0x72, quint32(created));
    put32(page, 0x76, quint32(created >> 32));
    rc4({0xc7, 0xda, 0x39, 0x6b}, page.data() + 0x18, 128);
    return page;
}

// The page holding the usage maps as rows: 0 the global map, then used/free for each table.
QByteArray mapsPage(const std::vector<QByteArray> &rows) {
    DataPages pages(0);
    for (const QByteArray &row : rows)
        pages.add(row);
    return pages.take().front();
}

quint32 mapPointer(int row) {
    return kMapsPage << 8 | quint32(row);
}

class Assembler {
public:
    bool build(const QString &tableName, const QVector<Column> &columns,
               const std::vector<std::vector<Cell>> &rows, QString *error);
    QByteArray image() const;

private:
    bool buildUserTable(const QString &name, const QVector<Column> &columns,
                        const std::vector<std::vector<Cell>> &rows, QString *error);
    bool buildCatalog(const QString &tableName, QString *error);

    QByteArray m_catalogDef, m_catalogData, m_tableDef;
    std::vector<QByteArray> m_dataPages;
    UsageMap m_tableMap;
};

bool Assembler::buildUserTable(const QString &name, const QVector<Column> &columns,
                               const std::vector<std::vector<Cell>> &rows, QString *error) {
    TableDef t{
        name,         layoutFields(columns, error), quint32(rows.size()), false, mapPointer(3),
        mapPointer(4)};
    if (t.fields.empty()) {
        if (error->isEmpty())
            *error = QStringLiteral("table %1 has no columns").arg(name);
        return false;
    }
    DataPages pages(kTableDefPage);
    if (!encodeRows(t.fields, rows, pages, error))
        return false;
    m_dataPages = pages.take();
    const quint32 afterData = kFirstDataPage + quint32(m_dataPages.size());
    return usageMap(kFirstDataPage, int(m_dataPages.size()), afterData, m_tableMap, error) &&
           tableDefPage(t, m_tableDef, error);
}

bool Assembler::buildCatalog(const QString &tableName, QString *error) {
    const auto rows = catalogRows(tableName);
    TableDef t{"MSysObjects",        layoutFields(catalogColumns(), error),
               quint32(rows.size()), true,
               mapPointer(1),        mapPointer(2)};
    DataPages pages(kCatalogDefPage);
    if (!encodeRows(t.fields, rows, pages, error))
        return false;
    m_catalogData = pages.take().front();
    return tableDefPage(t, m_catalogDef, error);
}

bool Assembler::build(const QString &tableName, const QVector<Column> &columns,
                      const std::vector<std::vector<Cell>> &rows, QString *error) {
    if (tableName.isEmpty() || tableName.size() > 64) {
        *error = QStringLiteral("table name must have 1 to 64 characters");
        return false;
    }
    if (columns.size() > 255) {
        *error = QStringLiteral("a table has at most 255 columns");
        return false;
    }
    return buildUserTable(tableName, columns, rows, error) && buildCatalog(tableName, error);
}

QByteArray Assembler::image() const {
    const int dataCount = int(m_dataPages.size());
    const QByteArray noPages = inlineMap(kFirstDataPage, 0);
    const QByteArray maps = mapsPage({inlineMap(0, 0), inlineMap(kCatalogDataPage, 1),
                                      inlineMap(kCatalogDataPage, 0), m_tableMap.row, noPages});
    QByteArray out;
    out.reserve(kPageSize * (5 + dataCount + int(m_tableMap.mapPages.size())));
    out.append(headerPage()).append(maps).append(m_catalogDef).append(m_catalogData);
    out.append(m_tableDef);
    for (const QByteArray &page : m_dataPages)
        out.append(page);
    for (const QByteArray &page : m_tableMap.mapPages)
        out.append(page);
    return out;
}

} // namespace

QByteArray jet4Database(const QString &tableName, const QVector<Column> &columns,
                        const std::vector<std::vector<Cell>> &rows, QString *error) {
    QString why;
    Assembler assembler;
    if (!assembler.build(tableName, columns, rows, &why)) {
        if (error)
            *error = why;
        return {};
    }
    return assembler.image();
}

bool writeJet4Database(const QString &path, const QString &tableName,
                       const QVector<Column> &columns, const std::vector<std::vector<Cell>> &rows,
                       QString *error) {
    QString why;
    const QByteArray bytes = jet4Database(tableName, columns, rows, &why);
    QSaveFile file(path);
    if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
        file.commit())
        return true;
    if (why.isEmpty())
        why = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    if (error)
        *error = why;
    return false;
}

QVector<Column> widenedToFit(QVector<Column> columns, const std::vector<std::vector<Cell>> &rows) {
    constexpr int kTextLimit = 255;
    for (const auto &row : rows)
        for (qsizetype c = 0; c < columns.size() && size_t(c) < row.size(); ++c)
            if (columns[c].kind == ColumnKind::Text && row[size_t(c)].isText())
                columns[c].size = std::max(columns[c].size, int(row[size_t(c)].text.size()));
    for (Column &c : columns)
        if (c.kind == ColumnKind::Text)
            c.size = std::min(c.size, kTextLimit);
    return columns;
}

} // namespace jet
