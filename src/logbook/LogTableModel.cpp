#include "logbook/LogTableModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace logbook {

namespace {

constexpr qint64 ChunkBytes = 16 << 20;
// More than this appended at once is read again on the loading thread.
constexpr qint64 FollowInPlaceBytes = 1 << 20;

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether bytes hold the lower-case ASCII needle, in any letter case.
bool containsAscii(QByteArrayView bytes, const QByteArray &needle) {
    return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return asciiLower(a) == b; }) != bytes.end();
}

// The number in bytes, blanks passed over; -1 when there is none or something else.
qint64 digitsValue(QByteArrayView bytes) {
    qint64 value = -1;
    for (const char c : bytes) {
        if (c >= '0' && c <= '9')
            value = std::max<qint64>(value, 0) * 10 + (c - '0');
        else if (c != ' ')
            return -1;
    }
    return value;
}

// Date (with the time on), on, off or kHz of an entry as a number, -1 for other rows: these
// columns stand before the station, where an entry's bytes are its characters.
qint64 leadingKey(const LogRows &log, int row, LogColumn column) {
    if (!log.rows[row].isEntry)
        return -1;
    const QByteArrayView line = log.lineBytes(row);
    switch (column) {
    case LogColumn::Date: {
        const qint64 yy = digitsValue(line.sliced(0, 2));
        const qint64 century = yy < 70 ? 2000 : 1900;
        return (century + yy) * 100000000 + digitsValue(line.sliced(3, 2)) * 1000000 +
               digitsValue(line.sliced(6, 2)) * 10000 + digitsValue(line.sliced(9, 4));
    }
    case LogColumn::On:
        return digitsValue(line.sliced(9, 4));
    case LogColumn::Off:
        return digitsValue(line.sliced(14, 4));
    default:
        return digitsValue(line.sliced(18, 6));
    }
}

template <typename KeyOf> void sortByKey(QList<int> &view, KeyOf keyOf, bool descending) {
    using Key = decltype(keyOf(0));
    std::vector<std::pair<Key, int>> keyed;
    keyed.reserve(size_t(view.size()));
    for (const int i : view)
        keyed.emplace_back(keyOf(i), i);
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto &a, const auto &b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (size_t k = 0; k < keyed.size(); ++k)
        view[qsizetype(k)] = keyed[k].second;
}

QString native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

struct LogTableModel::Loaded {
    LogRows log;
    LogReader reader;
    qint64 offset = 0;
    bool missing = false;
    QString problem;
    int generation = 0;
};

LogTableModel::LogTableModel(QObject *parent) : QAbstractTableModel(parent) {
    m_followTimer.setInterval(FollowMs);
    connect(&m_followTimer, &QTimer::timeout, this, &LogTableModel::follow);
}

LogTableModel::~LogTableModel() {
    stopLoading();
}

void LogTableModel::open(const QString &path) {
    m_path = path;
    startLoading();
}

void LogTableModel::stopLoading() {
    m_cancel = true;
    if (m_loader.joinable())
        m_loader.join();
    m_cancel = false;
}

void LogTableModel::startLoading() {
    stopLoading();
    m_followTimer.stop();
    setStatus(QStringLiteral("Reading %1…").arg(native(m_path)));
    const int generation = ++m_generation;
    const QString path = m_path;
    m_loader = std::thread([this, path, generation] {
        auto result = std::make_shared<Loaded>();
        result->generation = generation;
        QFile file(path);
        if (!file.exists())
            result->missing = true;
        else if (!QFileInfo(path).isFile()) // a pipe would never end, a folder is no log
            result->problem = QStringLiteral("it is not a regular file");
        else if (!file.open(QIODevice::ReadOnly))
            result->problem = file.errorString();
        const qint64 total = file.isOpen() ? file.size() : 0;
        result->log.rows.reserve(qsizetype(total / 60)); // an entry line is 79 bytes, remarks fewer
        while (file.isOpen() && !m_cancel) {
            // A piece ends at its last line end; the rest is read again with the next one.
            const QByteArray piece =
                file.read(std::clamp(total - result->offset, qint64(1), ChunkBytes));
            const bool end = file.atEnd() || piece.isEmpty();
            if (piece.isEmpty() && file.error() != QFileDevice::NoError) {
                result->problem = file.errorString();
                break;
            }
            // A "line" of 16 MB without a line end is taken whole, as it is.
            const qsizetype taken =
                result->reader.read(piece, result->log, end || !piece.contains('\n'));
            result->offset += taken;
            QMetaObject::invokeMethod(
                this, [this, done = result->offset, total] { emit loadProgress(done, total); },
                Qt::QueuedConnection);
            if (end || (taken < piece.size() && !file.seek(result->offset)))
                break;
        }
        if (!m_cancel)
            QMetaObject::invokeMethod(
                this, [this, result] { finishLoading(result); }, Qt::QueuedConnection);
    });
}

void LogTableModel::finishLoading(const std::shared_ptr<Loaded> &result) {
    if (result->generation != m_generation)
        return;
    if (m_loader.joinable())
        m_loader.join();
    beginResetModel();
    m_log = std::move(result->log);
    m_reader = result->reader;
    m_offset = result->offset;
    rebuildView();
    endResetModel();
    if (result->missing)
        setStatus(QStringLiteral("The log file %1 does not exist yet; entries appear here as "
                                 "they are written.")
                      .arg(native(m_path)));
    else if (!result->problem.isEmpty())
        setStatus(QStringLiteral("The log file %1 cannot be read: %2")
                      .arg(native(m_path), result->problem));
    else
        countRows();
    m_followTimer.start();
    emit loaded();
}

void LogTableModel::follow() {
    if (loading())
        return;
    const QFileInfo info(m_path);
    const qint64 size = info.exists() ? info.size() : 0;
    if (size == m_offset)
        return;
    if (size < m_offset || size - m_offset > FollowInPlaceBytes)
        return startLoading(); // cut short, replaced or much grown: read it again
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m_offset))
        return;
    const QByteArray bytes = file.read(size - m_offset);
    const qsizetype before = m_log.size();
    m_offset += m_reader.read(bytes, m_log, false);
    appendRows(before, m_reader.lastRowChanged());
}

void LogTableModel::appendRows(qsizetype firstNew, bool lastChanged) {
    const int added = int(m_log.size() - firstNew);
    if (m_sortColumn >= 0 || !m_search.isEmpty()) {
        beginResetModel();
        rebuildView();
        endResetModel();
    } else {
        if (added > 0) {
            beginInsertRows({}, 0, added - 1);
            QList<int> fresh;
            for (qsizetype i = m_log.size() - 1; i >= firstNew; --i)
                fresh << int(i);
            m_view = fresh + m_view;
            endInsertRows();
        }
        if (lastChanged && firstNew > 0) // newest first: the old last row is below the new ones
            emit dataChanged(index(added, 0), index(added, LogColumnCount - 1));
    }
    countRows();
}

void LogTableModel::setSearch(const QString &text) {
    if (text == m_search)
        return;
    beginResetModel();
    m_search = text;
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    m_asciiSearch = ascii ? text.toLatin1().toLower() : QByteArray();
    rebuildView();
    endResetModel();
    countRows();
}

bool LogTableModel::matches(qsizetype row) const {
    if (m_search.isEmpty())
        return true;
    if (!m_asciiSearch.isEmpty()) // most searches: no need to turn each row into text
        return containsAscii(m_log.lineBytes(row), m_asciiSearch) ||
               containsAscii(m_log.remarksBytes(row), m_asciiSearch);
    return m_log.line(row).contains(m_search, Qt::CaseInsensitive) ||
           m_log.remarks(row).contains(m_search, Qt::CaseInsensitive);
}

void LogTableModel::rebuildView() {
    m_view.clear();
    m_view.reserve(m_log.size());
    for (qsizetype i = m_log.size() - 1; i >= 0; --i)
        if (matches(i))
            m_view << int(i);
    if (m_sortColumn >= 0)
        sortView();
}

void LogTableModel::sortView() {
    const auto column = LogColumn(m_sortColumn);
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (column <= LogColumn::Freq) { // before the station: ASCII, read from the bytes
        sortByKey(
            m_view, [&](int i) { return leadingKey(m_log, i, column); }, descending);
    } else if (column == LogColumn::Kw) {
        sortByKey(
            m_view,
            [&](int i) {
                bool ok = false;
                const double v = m_log.text(i, column).toDouble(&ok);
                return ok ? v : -std::numeric_limits<double>::infinity();
            },
            descending);
    } else {
        sortByKey(
            m_view, [&](int i) { return m_log.text(i, column).toCaseFolded(); }, descending);
    }
}

void LogTableModel::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    m_sortColumn = column >= 0 && column < LogColumnCount ? column : -1;
    m_sortOrder = order;
    rebuildView();
    endResetModel();
}

void LogTableModel::countRows() {
    const qsizetype entries = m_reader.entryCount();
    const qsizetype others = m_log.size() - entries;
    QString text =
        native(m_path) + QStringLiteral(": ") +
        (entries == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(entries));
    if (others > 0)
        text += (others == 1 ? QStringLiteral(", 1 line that is not an entry")
                             : QStringLiteral(", %1 lines that are not entries").arg(others)) +
                QStringLiteral(" (shown whole under Remarks)");
    if (!m_search.isEmpty())
        text += QStringLiteral("; %1 shown").arg(m_view.size());
    setStatus(text);
}

void LogTableModel::setStatus(const QString &status) {
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged();
}

QString LogTableModel::text(int row, LogColumn column) const {
    if (row < 0 || row >= m_view.size())
        return {};
    return m_log.text(m_view[row], column);
}

int LogTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_view.size());
}

int LogTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : LogColumnCount;
}

QVariant LogTableModel::data(const QModelIndex &index, int role) const {
    const auto column = LogColumn(index.column());
    if (role == Qt::DisplayRole)
        return text(index.row(), column);
    if (role == Qt::TextAlignmentRole && (column == LogColumn::Freq || column == LogColumn::Kw))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnHeading(LogColumn(section));
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace logbook
