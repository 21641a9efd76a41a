#include "map/TableIndex.h"

#include "app/Conversions.h"
#include "onair/OnAir.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>

namespace map {

namespace {

// One code per row and the text of each code, for text and number columns alike; an absent
// column reads as "" in every row.
class ColumnCodes {
public:
    ColumnCodes(const jet::Table &table, QStringView name)
        : m_table(table), m_column(table.columnIndex(name)),
          m_direct(m_column >= 0 && table.isText(m_column)) {
        if (m_column < 0 || m_direct)
            return;
        QHash<QString, quint32> seen; // a number column: its texts, each once
        for (int row = 0; row < table.rowCount(); ++row) {
            const QString text = jet::displayText(table.cell(row, m_column));
            auto it = seen.find(text);
            if (it == seen.end()) {
                it = seen.insert(text, quint32(m_texts.size()));
                m_texts.append(text);
            }
            m_own.push_back(*it);
        }
    }
    bool present() const { return m_column >= 0; }
    int count() const {
        return m_direct ? m_table.entryCount(m_column) : std::max(1, int(m_texts.size()));
    }
    quint32 code(int row) const {
        if (m_direct)
            return m_table.textCodes(m_column)[row];
        return m_own.empty() ? 0 : m_own[row];
    }
    QString text(quint32 code) const {
        return m_direct ? m_table.entryText(m_column, code) : m_texts.value(code);
    }

private:
    const jet::Table &m_table;
    int m_column;
    bool m_direct;
    std::vector<quint32> m_own;
    QStringList m_texts;
};

// The number of a text of four digits, -1 for anything else.
int fourDigits(QStringView text) {
    if (text.size() != 4)
        return -1;
    int number = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

// Interns keys made of two codes into a dense list.
template <typename Make> int interned(QHash<quint64, int> &seen, quint64 key, Make make) {
    auto it = seen.find(key);
    if (it == seen.end())
        it = seen.insert(key, make());
    return *it;
}

} // namespace

std::optional<int> minuteOfDay(QStringView hhmm) {
    const int number = fourDigits(hhmm);
    if (number < 0)
        return std::nullopt;
    const int hours = number / 100, minutes = number % 100;
    if (minutes >= 60 || hours * 60 + minutes > 24 * 60)
        return std::nullopt;
    return hours * 60 + minutes;
}

TableIndex::TableIndex(std::shared_ptr<const jet::Table> table) : m_table(std::move(table)) {
    const int rows = m_table ? m_table->rowCount() : 0;
    m_rows.assign(rows, Row{std::numeric_limits<double>::quiet_NaN(), -1, 0});
    if (rows == 0)
        return;
    indexPlaces();
    indexTimes();
    indexFrequencies();
}

void TableIndex::indexPlaces() {
    const ColumnCodes lati(*m_table, u"Lati"), longi(*m_table, u"Longi");
    std::vector<std::optional<double>> lat(lati.count()), lon(longi.count());
    for (int code = 0; code < lati.count(); ++code)
        lat[code] = geo::latitudeFromText(lati.text(code));
    for (int code = 0; code < longi.count(); ++code)
        lon[code] = geo::longitudeFromText(longi.text(code));
    QHash<quint64, int> seen; // by position in whole minutes of arc
    for (int row = 0; row < rowCount(); ++row) {
        const auto &y = lat[lati.code(row)], &x = lon[longi.code(row)];
        if (!y || !x)
            continue;
        const quint64 key =
            quint64(std::lround((*y + 90) * 60)) << 32 | quint64(std::lround((*x + 180) * 60));
        m_rows[row].place = interned(seen, key, [&] {
            m_places.push_back({{*y, *x}, text(row, u"Location")});
            return int(m_places.size()) - 1;
        });
    }
}

void TableIndex::indexTimes() {
    const ColumnCodes begin(*m_table, u"UTCB"), end(*m_table, u"UTCE"), utc(*m_table, u"UTC");
    const bool halves = begin.present() && end.present();
    QHash<quint64, int> seen;
    for (int row = 0; row < rowCount(); ++row) {
        const quint64 key = halves ? quint64(begin.code(row)) << 32 | end.code(row) : utc.code(row);
        m_rows[row].times = interned(seen, key, [&] {
            Times t;
            const QString whole = utc.text(utc.code(row));
            t.begin = halves ? begin.text(begin.code(row)) : whole.left(4);
            t.end = halves ? end.text(end.code(row)) : whole.right(4);
            t.beginMinute = minuteOfDay(t.begin).value_or(-1);
            t.endMinute = minuteOfDay(t.end).value_or(-1);
            t.beginHHMM = fourDigits(t.begin);
            t.endHHMM = fourDigits(t.end);
            m_timesList.push_back(t);
            return int(m_timesList.size()) - 1;
        });
    }
}

void TableIndex::indexFrequencies() {
    const int column = m_table->columnIndex(u"Freq");
    if (column < 0)
        return;
    if (!m_table->isText(column)) {
        const double *values = m_table->numbers(column);
        const std::uint8_t *nulls = m_table->numberNulls(column);
        for (int row = 0; row < rowCount(); ++row)
            if (!nulls || !nulls[row])
                m_rows[row].khz = values[row];
        return;
    }
    const ColumnCodes freq(*m_table, u"Freq");
    for (int row = 0; row < rowCount(); ++row)
        if (const auto khz = app::parseNumber(freq.text(freq.code(row))))
            m_rows[row].khz = *khz;
}

QString TableIndex::text(int row, QStringView field) const {
    const int column = m_table->columnIndex(field);
    return column < 0 ? QString() : jet::displayText(m_table->cell(row, column));
}

std::vector<char> onAirTimes(const std::vector<Times> &times, const QString &utcHHMM,
                             const QString &utcHour) {
    std::vector<char> onAir(times.size());
    const int now = fourDigits(utcHHMM);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const Times &t = times[i];
        onAir[i] = now >= 0 && t.beginHHMM >= 0 && t.endHHMM >= 0
                       ? onair::isOnAirAt(t.beginHHMM, t.endHHMM, now)
                       : onair::isOnAirRow({t.begin, t.end}, utcHHMM, utcHour);
    }
    return onAir;
}

} // namespace map
