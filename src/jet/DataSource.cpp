#include "jet/DataSource.h"

#include "jet/SqlEngine.h"

namespace jet {

struct RecordSet::Impl {
    std::shared_ptr<const Table> table;
    std::vector<int> rows; // table row of each record, in record-set order
    QVector<int> columns;  // table column of each field
    int position = -1;
    bool noMatch = false;
    mutable std::vector<int> positionOfRow; // built on the first bookmark look-up

    int count() const { return int(rows.size()); }
    bool valid(int p) const { return p >= 0 && p < count(); }
};

RecordSet::RecordSet() : d(std::make_unique<Impl>()) {}
RecordSet::~RecordSet() = default;
RecordSet::RecordSet(RecordSet &&) noexcept = default;
RecordSet &RecordSet::operator=(RecordSet &&) noexcept = default;

int RecordSet::recordCount() const {
    return d->count();
}
int RecordSet::fieldCount() const {
    return int(d->columns.size());
}

QString RecordSet::fieldName(int field) const {
    if (!d->table || field < 0 || field >= fieldCount())
        return {};
    return d->table->columns()[d->columns[field]].name;
}

int RecordSet::fieldIndex(QStringView name) const {
    for (int f = 0; f < fieldCount(); ++f)
        if (QStringView(fieldName(f)).compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return -1;
}

int RecordSet::position() const {
    return d->position;
}
bool RecordSet::eof() const {
    return d->position < 0;
}
void RecordSet::moveFirst() {
    d->position = d->count() > 0 ? 0 : -1;
}
void RecordSet::moveLast() {
    d->position = d->count() - 1;
}
void RecordSet::moveNext() {
    moveTo(d->position < 0 ? -1 : d->position + 1);
}

void RecordSet::movePrevious() {
    // From past the end, the way back leads to the last record.
    moveTo(d->position < 0 ? d->count() - 1 : d->position - 1);
}

void RecordSet::moveTo(int position) {
    d->position = d->valid(position) ? position : -1;
}

bool RecordSet::findFirst(const QString &criterion, QString *error) {
    const ParsedExpr parsed = parseCriterion(criterion);
    if (!parsed.ok()) {
        if (error)
            *error = parsed.error;
        return false;
    }
    if (!d->table || d->rows.empty()) {
        d->noMatch = true;
        return true;
    }
    const CompiledCondition compiled = CompiledCondition::compile(*d->table, *parsed.expr);
    if (!compiled.ok()) {
        if (error)
            *error = compiled.error;
        return false;
    }
    int found = -1;
    if (!findFirstRow(*compiled.condition, d->rows, 0, found, error))
        return false;
    d->noMatch = found < 0;
    if (found >= 0)
        d->position = found;
    return true;
}

bool RecordSet::noMatch() const {
    return d->noMatch;
}

Bookmark RecordSet::bookmark() const {
    return bookmarkAt(d->position);
}

Bookmark RecordSet::bookmarkAt(int position) const {
    return d->valid(position) ? d->rows[position] : -1;
}

int RecordSet::positionOf(Bookmark b) const {
    if (!d->table || b < 0 || b >= d->table->rowCount())
        return -1;
    if (d->positionOfRow.empty()) {
        d->positionOfRow.assign(std::size_t(d->table->rowCount()), -1);
        for (int p = 0; p < d->count(); ++p)
            d->positionOfRow[d->rows[p]] = p;
    }
    return d->positionOfRow[b];
}

void RecordSet::setBookmark(Bookmark b) {
    const int p = positionOf(b);
    if (p >= 0)
        d->position = p;
}

Cell RecordSet::value(int position, int field) const {
    if (!d->valid(position) || field < 0 || field >= fieldCount())
        return Cell::null();
    return d->table->cell(d->rows[position], d->columns[field]);
}

Cell RecordSet::field(QStringView name) const {
    return value(d->position, fieldIndex(name));
}

std::shared_ptr<const Table> RecordSet::table() const {
    return d->table;
}

std::span<const Bookmark> RecordSet::bookmarks() const {
    return d->rows;
}

struct DataSource::Impl {
    explicit Impl(TableProvider &p) : provider(p) {}
    TableProvider &provider;
    QString file;
    QString source;
    RecordSet recordset;
};

DataSource::DataSource(TableProvider &provider) : d(std::make_unique<Impl>(provider)) {}
DataSource::~DataSource() = default;

void DataSource::setDatabaseName(const QString &file) {
    d->file = file;
}
QString DataSource::databaseName() const {
    return d->file;
}
void DataSource::setRecordSource(const QString &sql) {
    d->source = sql;
}
QString DataSource::recordSource() const {
    return d->source;
}

bool DataSource::refresh(QString *error) {
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    const ParsedQuery parsed = parseQuery(d->source);
    if (!parsed.ok())
        return fail(parsed.error);
    const LoadOutcome loaded = d->provider.table(d->file, parsed.query->table.name);
    if (!loaded.ok())
        return fail(loaded.error);
    Selection selection = runQuery(*loaded.table, *parsed.query);
    if (!selection.ok())
        return fail(selection.error);
    RecordSet fresh;
    fresh.d->table = loaded.table;
    fresh.d->rows = std::move(selection.rows);
    fresh.d->columns = std::move(selection.columns);
    fresh.moveFirst();
    d->recordset = std::move(fresh);
    return true;
}

RecordSet &DataSource::recordset() {
    return d->recordset;
}
const RecordSet &DataSource::recordset() const {
    return d->recordset;
}

void DataSource::close() {
    d->recordset = RecordSet();
}

} // namespace jet
