#include "imports/EibiMapping.h"

#include <array>

namespace eibi {

namespace {

using jet::Cell;

enum Field { KHz, Time, Days, Itu, Station, Lng, Target, SiteCode, Persistence };

constexpr std::array<char16_t, 14> DayNames = {u'M', u'o', u'T', u'u', u'W', u'e', u'T',
                                               u'h', u'F', u'r', u'S', u'a', u'S', u'u'};

// 1..7 for the two-letter weekday at text[at], 0 when there is none.
int weekdayAt(const QString &text, qsizetype at) {
    if (at + 1 >= text.size())
        return 0;
    for (int d = 0; d < 7; ++d)
        if (text[at] == QChar(DayNames[size_t(2 * d)]) &&
            text[at + 1] == QChar(DayNames[size_t(2 * d + 1)]))
            return d + 1;
    return 0;
}

// Days as a set of weekdays, or false when the text is not made of weekday names.
bool weekdaySet(const QString &text, std::array<bool, 8> &on) {
    qsizetype at = 0;
    while (at < text.size()) {
        const int first = weekdayAt(text, at);
        if (first == 0)
            return false;
        at += 2;
        int last = first;
        if (at < text.size() && text[at] == u'-') {
            last = weekdayAt(text, at + 1);
            if (last == 0)
                return false;
            at += 3;
        }
        for (int d = first;; d = d % 7 + 1) { // a range may wrap round the week (We-Mo)
            on[size_t(d)] = true;
            if (d == last)
                break;
        }
        if (at < text.size() && text[at] == u',')
            ++at;
    }
    return true;
}

bool digitSet(const QString &text, std::array<bool, 8> &on) {
    for (const QChar c : text) {
        if (c < u'1' || c > u'7')
            return false;
        on[size_t(c.digitValue())] = true;
    }
    return true;
}

Cell textOrNull(const QString &text) {
    return text.isEmpty() ? Cell::null() : Cell::fromText(text);
}

// Minutes after 0000 of "HHMM" (2400 allowed), -1 when it is not a time.
int minutes(const QString &hhmm) {
    bool ok = false;
    const int v = hhmm.toInt(&ok);
    if (hhmm.size() != 4 || !ok || v % 100 > 59 || v > 2400)
        return -1;
    return v / 100 * 60 + v % 100;
}

QString languageNames(const QString &codes, const EibiCodes &lists, UnknownCodes &unknown) {
    QStringList names;
    for (const QString &code : codes.split(u',', Qt::SkipEmptyParts)) {
        const auto name = lists.language(code);
        if (!name)
            unknown.insert(QStringLiteral("language ") + code);
        names << name.value_or(code);
    }
    return names.join(u'/');
}

struct SiteCells {
    Cell location, lati, longi, remarks;
};

// "" the main site of the station's country, "x" another site there, "/ABC" or "/ABC-x" a
// site in country ABC.
SiteCells siteCells(const QString &code, const QString &itu, const EibiCodes &lists,
                    UnknownCodes &unknown) {
    QString country = itu, site = code;
    if (code.startsWith(u'/')) {
        const qsizetype dash = code.indexOf(u'-');
        country = code.mid(1, dash < 0 ? -1 : dash - 1);
        site = dash < 0 ? QString() : code.mid(dash + 1);
    }
    if (const auto found = lists.site(country, site))
        return {textOrNull(found->name), textOrNull(found->lati), textOrNull(found->longi), {}};
    if (code.isEmpty())
        return {};
    unknown.insert(QStringLiteral("site ") + code);
    return {{}, {}, {}, Cell::fromText(code)};
}

// Persistence 1..5 (0 read as 1): a standing entry, not confirmed by a reception; 6: only part
// of the season; 8: inactive. 90 plus these marks a utility station.
QString status(const QString &persistence, UnknownCodes &unknown) {
    bool ok = false;
    int p = persistence.toInt(&ok);
    if (ok && p >= 90)
        p -= 90;
    if (ok && p >= 0 && p <= 5)
        return QStringLiteral("N");
    if (ok && p == 6)
        return QStringLiteral("P");
    if (ok && p == 8)
        return QStringLiteral("I");
    if (!persistence.isEmpty())
        unknown.insert(QStringLiteral("persistence ") + persistence);
    return {};
}

QString mode(const QString &days) {
    if (days == u"USB")
        return QStringLiteral("U");
    if (days == u"LSB")
        return QStringLiteral("L");
    return QStringLiteral("D");
}

Cell named(const QString &code, std::optional<QString> name, const char *kind,
           UnknownCodes &unknown) {
    if (!name && !code.isEmpty())
        unknown.insert(QString::fromLatin1(kind) + u' ' + code);
    return textOrNull(name.value_or(QString()));
}

} // namespace

QString daysDigits(const QString &days) {
    std::array<bool, 8> on{};
    if (days.isEmpty())
        return QStringLiteral("1234567");
    if (!digitSet(days, on) && !weekdaySet(days, on))
        return days;
    QString digits;
    for (int d = 1; d <= 7; ++d)
        if (on[size_t(d)])
            digits += QChar(u'0' + d);
    return digits;
}

QString graphicBar(int begin, int end) {
    if (begin < 0 || end < 0)
        return QString(48, u' ');
    if (begin == end || (begin == 0 && end == 1440))
        return QString(48, u'#');
    QString bar(48, u' ');
    const int stop = end <= begin ? end + 1440 : end;
    const int last = std::min((stop + 29) / 30, begin / 30 + 48);
    for (int i = begin / 30; i < last; ++i)
        bar[i % 48] = u'#';
    return bar;
}

std::vector<jet::Cell> scheduleRow(const ScheduleLine &line, int stationId, const EibiCodes &codes,
                                   UnknownCodes &unknown) {
    const QStringList &f = line.fields;
    bool ok = false;
    const double khz = f[KHz].trimmed().toDouble(&ok);
    if (!ok)
        return {};
    const QString time = f[Time].trimmed();
    const bool timeOk = time.size() == 9 && time[4] == u'-' && minutes(time.left(4)) >= 0 &&
                        minutes(time.right(4)) >= 0;
    const QString utcb = timeOk ? time.left(4) : QStringLiteral("....");
    const QString utce = timeOk ? time.right(4) : QStringLiteral("....");
    const QString days = f[Days].trimmed(), itu = f[Itu].trimmed();
    const QString lc = f[Lng].trimmed(), target = f[Target].trimmed();
    const SiteCells site = siteCells(f[SiteCode].trimmed(), itu, codes, unknown);
    return {Cell::fromNumber(stationId),
            Cell::fromNumber(khz),
            textOrNull(f[Station].trimmed()),
            Cell::fromText(utcb + u'-' + utce),
            Cell::fromText(daysDigits(days)),
            textOrNull(languageNames(lc, codes, unknown)),
            Cell::fromText(graphicBar(minutes(utcb), minutes(utce))),
            textOrNull(target),
            site.location,
            {}, // Power
            {}, // Azi
            site.remarks,
            textOrNull(status(f[Persistence].trimmed(), unknown)),
            Cell::fromText(mode(days)),
            named(target, codes.target(target), "target", unknown),
            {}, // CIRAF
            textOrNull(itu),
            named(itu, codes.country(itu), "country", unknown),
            site.longi,
            site.lati,
            textOrNull(lc),
            {}, // Region
            {}, // STN
            {}, // P
            {}, // Program
            Cell::fromText(utcb),
            Cell::fromText(utce)};
}

} // namespace eibi
