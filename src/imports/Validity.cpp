#include "imports/Validity.h"

#include <QStringList>

#include <cstdlib>
#include <limits>

namespace imports {

namespace {
const QString IsoFormat = QStringLiteral("yyyy-MM-dd");

QString isoOrEmpty(QDate d) {
    return d.isValid() ? d.toString(IsoFormat) : QString();
}
} // namespace

bool DateFilter::keeps(QDate first, QDate last) {
    if (m_validity.allDates())
        return true;
    const QDate day = m_validity.day;
    if (first.isValid() && day < first) {
        if (!m_to.isValid() || first.addDays(-1) < m_to)
            m_to = first.addDays(-1);
    } else if (last.isValid() && day > last) {
        if (!m_from.isValid() || last.addDays(1) > m_from)
            m_from = last.addDays(1);
    } else {
        if (first.isValid() && (!m_from.isValid() || first > m_from))
            m_from = first;
        if (last.isValid() && (!m_to.isValid() || last < m_to))
            m_to = last;
        return true;
    }
    ++m_leftOut;
    return false;
}

QString DateFilter::keptSpan() const {
    if (m_validity.allDates())
        return QStringLiteral("all");
    return isoOrEmpty(m_from) + QStringLiteral("..") + isoOrEmpty(m_to);
}

bool sameEntriesKept(const QString &keptSpan, const Validity &validity) {
    if (keptSpan == u"all" || validity.allDates())
        return keptSpan == u"all" && validity.allDates();
    const QStringList ends = keptSpan.split(QStringLiteral(".."));
    if (ends.size() != 2)
        return false;
    const QDate from = QDate::fromString(ends[0], IsoFormat);
    const QDate to = QDate::fromString(ends[1], IsoFormat);
    if ((!ends[0].isEmpty() && !from.isValid()) || (!ends[1].isEmpty() && !to.isValid()))
        return false;
    return (!from.isValid() || validity.day >= from) && (!to.isValid() || validity.day <= to);
}

QDate eibiDate(const QString &ddmm, QDate near) {
    bool ok = false;
    const int v = ddmm.toInt(&ok);
    if (ddmm.size() != 4 || !ok || !near.isValid())
        return {};
    QDate best;
    for (int year = near.year() - 1; year <= near.year() + 1; ++year) {
        const QDate d(year, v % 100, v / 100);
        if (d.isValid() &&
            (!best.isValid() || std::abs(d.daysTo(near)) < std::abs(best.daysTo(near))))
            best = d;
    }
    return best;
}

// A span with both ends is placed so that it takes in near when one placing does (1 April to
// 15 March takes in December), else as close to near as it comes.
DateSpan eibiSpan(const QString &start, const QString &end, QDate near) {
    const QDate first = eibiDate(start, near);
    const QDate last = eibiDate(end, first.isValid() ? first : near);
    if (!first.isValid() || !last.isValid())
        return {first, last};
    DateSpan best;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int shift = -1; shift <= 1; ++shift) {
        const QDate from = first.addYears(shift);
        QDate to = last.addYears(shift);
        if (to < from)
            to = to.addYears(1);
        const qint64 distance = near < from ? near.daysTo(from) : near > to ? to.daysTo(near) : 0;
        if (distance < bestDistance) {
            best = {from, to};
            bestDistance = distance;
        }
    }
    return best;
}

QDate hfccDate(const QString &ddmmyy) {
    bool ok = false;
    const int v = ddmmyy.toInt(&ok);
    if (ddmmyy.size() != 6 || !ok)
        return {};
    return QDate(2000 + v % 100, v / 100 % 100, v / 10000);
}

} // namespace imports
