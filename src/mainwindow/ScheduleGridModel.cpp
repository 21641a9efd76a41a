#include "mainwindow/ScheduleGridModel.h"

#include "app/Contrast.h"
#include "mainwindow/RowSpeech.h"

namespace mainwindow {

namespace {
// Row styles of this many rows are kept at most; scrolling far drops the older ones.
constexpr int maxCachedRowStyles = 4096;
} // namespace

void GridRowStyle::applyToCell(int column, const QString &styleSet) {
    if (column >= 0 && column < m_cells.size())
        m_cells[column] = ScheduleGridModel::styleSetKey(styleSet);
}

void GridRowStyle::applyToAll(const QString &styleSet) {
    m_cells.fill(ScheduleGridModel::styleSetKey(styleSet));
}

QString GridRowStyle::styleSetOf(int column) const {
    return m_cells.value(column);
}

ScheduleGridModel::ScheduleGridModel(GridSource &source, QObject *parent)
    : QAbstractTableModel(parent), m_source(source) {}

int ScheduleGridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int ScheduleGridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

bool ScheduleGridModel::isReadable(const QModelIndex &index) const {
    // The source may have been re-queried and not yet reloaded: never read past its end.
    return index.isValid() && index.row() < m_source.rowCount() &&
           index.column() < m_source.fieldCount();
}

QVariant ScheduleGridModel::data(const QModelIndex &index, int role) const {
    if (!isReadable(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_source.cellText(index.row(), index.column());
    case Qt::ToolTipRole:
        return m_toolTips ? QVariant(m_source.cellText(index.row(), index.column())) : QVariant();
    case Qt::BackgroundRole:
        return backgroundOf(index);
    case Qt::ForegroundRole: {
        const GridStyleSet *style = cellStyle(index);
        const std::optional<QColor> fore = style && style->fore ? style->fore : m_plainFore;
        return fore ? QVariant(*fore) : QVariant();
    }
    case Qt::AccessibleTextRole:
        return rowSpeech(m_columns, index.column(), [this, &index](int column) {
            return m_source.cellText(index.row(), column);
        });
    case Qt::FontRole:
        return fontOf(index);
    default:
        return {};
    }
}

QVariant ScheduleGridModel::backgroundOf(const QModelIndex &index) const {
    const GridStyleSet *style = cellStyle(index);
    if (style && style->back)
        return *style->back;
    const std::optional<QColor> &plain = index.row() % 2 == 0 ? m_evenBack : m_oddBack;
    return plain ? QVariant(*plain) : QVariant();
}

QVariant ScheduleGridModel::fontOf(const QModelIndex &index) const {
    const GridStyleSet *style = cellStyle(index);
    if (!style || !style->bold)
        return {};
    QFont font = m_font;
    font.setBold(*style->bold);
    return font;
}

QVariant ScheduleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_columns.value(section);
    return {};
}

void ScheduleGridModel::rebuildColumns() {
    beginResetModel();
    m_columns.clear();
    for (int field = 0; field < m_source.fieldCount(); ++field)
        m_columns << m_source.fieldName(field);
    m_rowCount = m_source.rowCount();
    m_rowStyles.clear();
    endResetModel();
}

void ScheduleGridModel::reloadRows() {
    // Rows are inserted or removed rather than reset: a reset would drop the user's selection
    // at every refresh, the clock's minute tick included.
    const int newCount = m_source.rowCount();
    if (newCount > m_rowCount) {
        beginInsertRows({}, m_rowCount, newCount - 1);
        m_rowCount = newCount;
        endInsertRows();
    } else if (newCount < m_rowCount) {
        beginRemoveRows({}, newCount, m_rowCount - 1);
        m_rowCount = newCount;
        endRemoveRows();
    }
    forgetRowStyles();
}

void ScheduleGridModel::forgetRowStyles() {
    m_rowStyles.clear();
    if (m_rowCount > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, int(m_columns.size()) - 1));
}

QString ScheduleGridModel::styleSetKey(const QString &name) {
    QString key = name;
    if (key.size() >= 2 && key.startsWith(u'"') && key.endsWith(u'"'))
        key = key.mid(1, key.size() - 2);
    return key.toLower();
}

void ScheduleGridModel::addStyleSet(const QString &name) {
    m_styleSets.insert(styleSetKey(name), GridStyleSet{});
}

void ScheduleGridModel::removeAllStyleSets() {
    m_styleSets.clear();
}

bool ScheduleGridModel::hasStyleSet(const QString &name) const {
    return m_styleSets.contains(styleSetKey(name));
}

GridStyleSet *ScheduleGridModel::styleSet(const QString &name) {
    auto it = m_styleSets.find(styleSetKey(name));
    return it == m_styleSets.end() ? nullptr : &it.value();
}

void ScheduleGridModel::setRowStyler(GridRowStyler styler) {
    m_styler = std::move(styler);
    forgetRowStyles();
}

void ScheduleGridModel::setRowBackColors(std::optional<QColor> even, std::optional<QColor> odd) {
    m_evenBack = even;
    m_oddBack = odd;
    // The desktop's text colour may be white: plain rows take the one that reads on them.
    m_plainFore.reset();
    if (even)
        m_plainFore = colorFromRgb24(app::textOn(rgb24FromColor(*even)));
}

void ScheduleGridModel::setBaseFont(const QFont &font) {
    m_font = font;
}

const QStringList &ScheduleGridModel::rowStyle(int row) const {
    auto cached = m_rowStyles.constFind(row);
    if (cached != m_rowStyles.cend())
        return cached.value();
    if (m_rowStyles.size() >= maxCachedRowStyles)
        m_rowStyles.clear();
    GridRowStyle style(int(m_columns.size()));
    if (m_styler)
        m_styler(m_source.bookmarkAt(row), style);
    QStringList names;
    for (int column = 0; column < style.columnCount(); ++column)
        names << style.styleSetOf(column);
    return m_rowStyles.insert(row, names).value();
}

const GridStyleSet *ScheduleGridModel::cellStyle(const QModelIndex &index) const {
    const QString name = rowStyle(index.row()).value(index.column());
    if (name.isEmpty())
        return nullptr;
    auto it = m_styleSets.constFind(name);
    return it == m_styleSets.cend() ? nullptr : &it.value();
}

} // namespace mainwindow
