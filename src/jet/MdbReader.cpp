#include "jet/MdbReader.h"

#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace jet {

namespace {

constexpr int kOffsetMask = 0x1fff;
constexpr int kDeletedRow = 0x4000;
// libmdb's own text buffer; memos longer than this are cut, as mdb-export cuts them.
constexpr size_t kMemoLimit = 200000;
constexpr const char *kDateFormat = "%Y-%m-%d %H:%M:%S";

bool isNumberType(int type) {
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return true;
    default:
        return false;
    }
}

// Bytes a fixed value needs on the page; a shorter field means a damaged row.
int valueBytes(int type) {
    switch (type) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_FLOAT:
        return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        return 8;
    case MDB_REPID:
        return 16;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

bool hasAccessSignature(const QByteArray &head) {
    if (head.size() < 0x15 || !head.startsWith(QByteArray("\x00\x01\x00\x00", 4)))
        return false;
    const QByteArray name = head.mid(4, 15);
    return name == "Standard Jet DB" || name == "Standard ACE DB";
}

double parseNumber(const char *s) {
    double v = 0;
    const char *end = s + std::strlen(s);
    while (s < end && *s == ' ')
        ++s;
    std::from_chars(s, end, v);
    return v;
}

// A Single shown as its shortest decimal form, not the binary expansion of the float.
double singleAsDouble(float f) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, f);
    double v = f;
    std::from_chars(buf, r.ptr, v);
    return v;
}

} // namespace

struct MdbReader::Impl {
    MdbHandle *mdb = nullptr;
    MdbTableDef *table = nullptr;
    qint64 pageCount = 0;
    QVector<Column> columns;
    std::vector<char> textBuffer;

    ~Impl() { closeAll(); }
    void closeAll() {
        if (table)
            mdb_free_tabledef(table);
        table = nullptr;
        if (mdb)
            mdb_close(mdb);
        mdb = nullptr;
    }

    int pageSize() const { return int(mdb->fmt->pg_size); }
    unsigned char *page() { return mdb->pg_buf; }

    MdbCatalogEntry *findEntry(const QString &name) const;
    void describeColumns();
    ReadStatus readPage(RowSink &sink, std::vector<MdbField> &fields);
    ReadStatus emitRow(RowSink &sink, const std::vector<MdbField> &fields);
    bool emitValue(RowSink &sink, const MdbColumn &col, const MdbField &f);
    void emitText(RowSink &sink, const MdbField &f);
    void emitOwnedString(RowSink &sink, char *s);
    void emitHex(RowSink &sink, const MdbField &f);
    double fixedNumber(const MdbColumn &col, int start);
};

MdbCatalogEntry *MdbReader::Impl::findEntry(const QString &name) const {
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE &&
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return nullptr;
}

void MdbReader::Impl::describeColumns() {
    columns.clear();
    for (guint i = 0; i < table->num_cols; ++i) {
        const auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        Column c;
        c.name = QString::fromUtf8(col->name);
        c.kind = isNumberType(col->col_type) ? ColumnKind::Number : ColumnKind::Text;
        c.sourceType = col->col_type;
        c.size = col->col_size;
        if (col->col_type == MDB_TEXT && !IS_JET3(mdb))
            c.size /= 2; // Jet 4 stores two bytes per character
        columns.push_back(c);
    }
}

double MdbReader::Impl::fixedNumber(const MdbColumn &col, int start) {
    unsigned char *buf = page();
    switch (col.col_type) {
    case MDB_BYTE:
        return mdb_get_byte(buf, start);
    case MDB_INT:
        return qint16(mdb_get_int16(buf, start));
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return qint32(mdb_get_int32(buf, start));
    case MDB_FLOAT:
        return singleAsDouble(mdb_get_single(buf, start));
    case MDB_DOUBLE:
        return mdb_get_double(buf, start);
    case MDB_MONEY: {
        qint64 v = 0;
        std::memcpy(&v, buf + start, 8); // little-endian scaled by 10000
        return double(v) / 10000.0;
    }
    case MDB_NUMERIC: {
        char *s = mdb_numeric_to_string(mdb, start, col.col_scale, col.col_prec);
        const double v = s ? parseNumber(s) : 0.0;
        g_free(s);
        return v;
    }
    }
    return 0;
}

void MdbReader::Impl::emitText(RowSink &sink, const MdbField &f) {
    const size_t need = size_t(f.siz) * 3 + 16;
    if (textBuffer.size() < need)
        textBuffer.resize(need);
    int n = mdb_unicode2ascii(mdb, reinterpret_cast<const char *>(page()) + f.start, size_t(f.siz),
                              textBuffer.data(), textBuffer.size());
    n = std::clamp(n, 0, int(textBuffer.size()) - 1);
    sink.text(textBuffer.data(), n);
}

void MdbReader::Impl::emitOwnedString(RowSink &sink, char *s) {
    if (!s) {
        sink.text("", 0);
        return;
    }
    sink.text(s, qsizetype(std::strlen(s)));
    g_free(s);
}

void MdbReader::Impl::emitHex(RowSink &sink, const MdbField &f) {
    const QByteArray hex =
        QByteArray::fromRawData(reinterpret_cast<const char *>(page()) + f.start, f.siz)
            .toHex()
            .toUpper();
    sink.text(hex.constData(), hex.size());
}

bool MdbReader::Impl::emitValue(RowSink &sink, const MdbColumn &col, const MdbField &f) {
    if (col.col_type == MDB_BOOL) { // the null bit holds the value; never Null
        sink.number(f.is_null ? 0 : 1);
        return true;
    }
    if (f.is_null) {
        sink.null();
        return true;
    }
    if (f.siz < 0 || f.start < 0 || f.start + f.siz > pageSize() ||
        f.siz < valueBytes(col.col_type))
        return false;
    if (col.col_type == MDB_TEXT) {
        emitText(sink, f);
    } else if (isNumberType(col.col_type)) {
        const double v = fixedNumber(col, f.start);
        if (std::isfinite(v))
            sink.number(v);
        else
            sink.null(); // a NaN would break ordering; Jet never stores one
    } else if (col.col_type == MDB_DATETIME || col.col_type == MDB_MEMO) {
        emitOwnedString(sink, mdb_col_to_string(mdb, page(), f.start, col.col_type, f.siz));
    } else if (col.col_type == MDB_REPID) {
        emitOwnedString(sink, mdb_uuid_to_string(page(), f.start));
    } else if (col.col_type == MDB_BINARY) {
        emitHex(sink, f);
    } else if (col.col_type == MDB_OLE) {
        sink.text("[OLE object]", 12);
    } else {
        sink.null();
    }
    return true;
}

ReadStatus MdbReader::Impl::emitRow(RowSink &sink, const std::vector<MdbField> &fields) {
    for (guint i = 0; i < table->num_cols; ++i) {
        const auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        if (!emitValue(sink, *col, fields[i]))
            return ReadStatus::Damaged;
    }
    sink.endRow();
    return ReadStatus::Ok;
}

// Rows of the data page in pg_buf; deleted rows and rows libmdb cannot crack are
// skipped, as libmdb's own row fetching skips them.
ReadStatus MdbReader::Impl::readPage(RowSink &sink, std::vector<MdbField> &fields) {
    const int rows = mdb_get_int16(page(), mdb->fmt->row_count_offset);
    for (int r = 0; r < rows; ++r) {
        int start = 0;
        size_t len = 0;
        if (mdb_find_row(mdb, r, &start, &len) != 0 || len == 0 || (start & kDeletedRow))
            continue;
        start &= kOffsetMask;
        if (mdb_crack_row(table, start, len, fields.data()) < 0)
            continue;
        if (emitRow(sink, fields) != ReadStatus::Ok)
            return ReadStatus::Damaged;
    }
    return ReadStatus::Ok;
}

MdbReader::MdbReader() : d(std::make_unique<Impl>()) {}
MdbReader::~MdbReader() = default;

ReadStatus MdbReader::open(const QString &file) {
    d->closeAll();
    const QFileInfo info(file);
    if (!info.exists())
        return ReadStatus::NotFound;
    QFile f(file);
    if (info.isDir() || !f.open(QIODevice::ReadOnly))
        return ReadStatus::Unreadable;
    if (!hasAccessSignature(f.read(0x20)))
        return ReadStatus::NotAccess;
    d->mdb = mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS);
    if (!d->mdb)
        return ReadStatus::Damaged;
    d->pageCount = f.size() / d->pageSize();
    mdb_set_date_fmt(d->mdb, kDateFormat);
    mdb_set_shortdate_fmt(d->mdb, kDateFormat);
    mdb_set_bind_size(d->mdb, kMemoLimit);
    // Every Access file lists at least its own system tables; none means a broken catalog.
    if (!mdb_read_catalog(d->mdb, MDB_TABLE) || d->mdb->num_catalog == 0)
        return ReadStatus::Damaged;
    return ReadStatus::Ok;
}

int MdbReader::jetVersion() const {
    if (!d->mdb)
        return 0;
    return IS_JET3(d->mdb) ? 3 : 4;
}

QStringList MdbReader::tableNames() const {
    QStringList names;
    if (!d->mdb)
        return names;
    for (guint i = 0; i < d->mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(d->mdb->catalog, i));
        if (mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

ReadStatus MdbReader::openTable(const QString &name) {
    if (!d->mdb)
        return ReadStatus::NotFound;
    if (d->table)
        mdb_free_tabledef(d->table);
    d->table = nullptr;
    d->columns.clear();
    MdbCatalogEntry *entry = d->findEntry(name);
    if (!entry)
        return ReadStatus::NoTable;
    d->table = mdb_read_table(entry);
    if (!d->table || !mdb_read_columns(d->table))
        return ReadStatus::Damaged;
    d->describeColumns();
    return ReadStatus::Ok;
}

const QVector<Column> &MdbReader::columns() const {
    return d->columns;
}

// Walks the table's usage map itself (rather than through libmdb's row fetching) so that
// a page beyond the end of the file shows up as damage instead of a silent end of data.
ReadStatus MdbReader::readRows(RowSink &sink) {
    MdbTableDef *t = d->table;
    if (!t)
        return ReadStatus::NoTable;
    if (!t->usage_map || t->map_sz == 0)
        return ReadStatus::Damaged;
    std::vector<MdbField> fields(std::max<guint>(t->num_cols, 1));
    const long tablePage = long(t->entry->table_pg);
    gint32 pg = 0;
    while (true) {
        const gint32 next = mdb_map_find_next(d->mdb, t->usage_map, guint(t->map_sz), guint32(pg));
        if (next == 0)
            return ReadStatus::Ok;
        if (next < 0 || next <= pg || next >= d->pageCount)
            return ReadStatus::Damaged;
        pg = next;
        if (mdb_read_pg(d->mdb, guint32(pg)) != d->pageSize())
            return ReadStatus::Damaged;
        if (d->page()[0] != MDB_PAGE_DATA || mdb_get_int32(d->page(), 4) != tablePage)
            continue; // a map bit for a page the table does not own; libmdb skips it too
        if (d->readPage(sink, fields) != ReadStatus::Ok)
            return ReadStatus::Damaged;
    }
}

namespace {

class TableBuilder : public RowSink {
public:
    explicit TableBuilder(Table &table) : m_table(table) { m_row.reserve(table.columnCount()); }
    void null() override { m_row.push_back(Cell::null()); }
    void number(double v) override { m_row.push_back(Cell::fromNumber(v)); }
    void text(const char *utf8, qsizetype size) override {
        m_row.push_back(Cell::fromText(QString::fromUtf8(utf8, size)));
    }
    void endRow() override {
        m_table.appendRow(m_row);
        m_row.clear();
    }

private:
    Table &m_table;
    std::vector<Cell> m_row;
};

} // namespace

DirectRead readTableDirect(const QString &file, const QString &tableName) {
    DirectRead result;
    MdbReader reader;
    result.status = reader.open(file);
    if (result.status == ReadStatus::Ok)
        result.status = reader.openTable(tableName);
    if (result.status != ReadStatus::Ok)
        return result;
    auto table = std::make_unique<Table>(reader.columns());
    TableBuilder builder(*table);
    result.status = reader.readRows(builder);
    if (result.status == ReadStatus::Ok) {
        table->squeeze();
        result.table = std::move(table);
    }
    return result;
}

} // namespace jet
