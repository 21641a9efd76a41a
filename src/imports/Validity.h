#pragma once

#include <QDate>
#include <QString>

namespace imports {

// Which entries an import keeps: those valid on one UTC day, or every entry.
struct Validity {
    QDate day; // invalid: every entry, whatever its dates
    bool allDates() const { return !day.isValid(); }
    static Validity all() { return {}; }
    static Validity on(QDate utcDay) { return {utcDay}; }
};

// Decides entry by entry whether its dates take in the chosen day, and keeps the span of
// days around it on which the same entries would be kept: a later fetch on a day outside
// that span must import again even when the file has not changed.
class DateFilter {
public:
    explicit DateFilter(const Validity &validity) : m_validity(validity) {}
    // first or last may be invalid: open at that end.
    bool keeps(QDate first, QDate last);
    int leftOut() const { return m_leftOut; }
    // "all", or "FROM..TO" in ISO dates, an open end empty ("2026-06-01..", "..").
    QString keptSpan() const;

private:
    Validity m_validity;
    QDate m_from, m_to;
    int m_leftOut = 0;
};

// Whether an import for validity keeps what an import recorded with keptSpan kept.
bool sameEntriesKept(const QString &keptSpan, const Validity &validity);

// EiBi's day-and-month dates ("0104" is 1 April) in the year that puts them nearest to near;
// invalid for an empty text, a last-heard note ("[0212]") or a text that is not a date.
QDate eibiDate(const QString &ddmm, QDate near);

// An EiBi entry's start and end dates (columns 10 and 11): the start nearest to near, the end
// the first one on or after the start (a span may run over New Year); each invalid when absent.
struct DateSpan {
    QDate first, last;
};
DateSpan eibiSpan(const QString &start, const QString &end, QDate near);

// "ddmmyy" of the HFCC schedule; invalid when it is not a date.
QDate hfccDate(const QString &ddmmyy);

} // namespace imports
