#include "schedule/QueryComposition.h"

#include "app/Captions.h"
#include "app/SqlText.h"

#include <QRegularExpression>

namespace schedule {

void BuildSQL(app::ProgramState &s) {
    s.UTCShown = false;
    s.UTCBCol = s.UTCECol = s.UTCCol = s.LocCol = s.StationCol = s.ADMCol = s.STNCol = 0;
    s.FieldListStr.clear();
    const std::pair<const char *, qint16 *> positions[] = {
        {"UTCB", &s.UTCBCol},    {"UTCE", &s.UTCECol},       {"UTC", &s.UTCCol},
        {"Location", &s.LocCol}, {"Station", &s.StationCol}, {"ADM", &s.ADMCol},
        {"STN", &s.STNCol}};
    for (int i = 0; i < FieldCount; ++i) {
        const DisplayField &f = s.DisplayFields[i];
        if (f.FieldName.isEmpty())
            break;
        s.FieldListStr += (i == 0 ? QString() : QStringLiteral(",")) + f.FieldName;
        s.ColWidths[i] = QString::number(f.ColChars);
        for (const auto &[name, column] : positions)
            if (f.FieldName == QLatin1String(name))
                *column = qint16(i);
    }
    s.UTCShown = s.UTCCol > 0;
}

QString PadB(const QString &z, qint16 p) {
    if (z.size() < p)
        return QString(std::min<qsizetype>(p - z.size(), 31), u' ') + z;
    return z.left(std::max<qint16>(p, 0));
}

QString orderByClause(const QString &sortBy, const QString &fSortStr) {
    if (sortBy.toUpper() == u"FREQ")
        return QStringLiteral(" Order by ") + sortBy + fSortStr + u' ';
    return QStringLiteral(" Order by ") + sortBy + QStringLiteral(", Freq") + fSortStr + u' ';
}

namespace {
QString bareCondition(const QString &whereStr) {
    for (const QLatin1String word : {QLatin1String(" Where "), QLatin1String(" And ")})
        if (whereStr.startsWith(word))
            return whereStr.mid(word.size());
    return whereStr;
}
} // namespace

QString recordSource(const QString &selectText, const QString &whereStr,
                     const QString &orderByStr) {
    const QString condition = bareCondition(whereStr).trimmed();
    if (condition.isEmpty())
        return selectText + orderByStr;
    // The select's own condition comes first; field names and the table name hold no "where".
    static const QRegularExpression whereWord(QStringLiteral("\\bwhere\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = whereWord.match(selectText);
    if (!found.hasMatch())
        return selectText + QStringLiteral(" Where (") + condition + u')' + orderByStr;
    const QString head = selectText.left(found.capturedStart()).trimmed();
    const QString own = selectText.mid(found.capturedEnd()).trimmed();
    if (own.isEmpty())
        return head + QStringLiteral(" Where (") + condition + u')' + orderByStr;
    return head + QStringLiteral(" Where (") + own + QStringLiteral(") And (") + condition + u')' +
           orderByStr;
}

QString gridCaption(app::ProgramState &s, int recordCount) {
    const QString n = QString::number(recordCount);
    if (s.Language == u"ALL") {
        s.CaptionNot.clear();
        return app::CaptionPrefix + n + QStringLiteral(" Records in ALL Languages");
    }
    return app::CaptionPrefix + n + QStringLiteral(" Records ") + s.CaptionNot +
           QStringLiteral("in ") + s.Language;
}

bool ReadDB(app::ProgramState &s, const QString &selectText, jet::DataSource &data1,
            ResultGrid &grid, app::Prompts &prompts) {
    if (s.SortBy.isEmpty()) {
        s.SortBy = QStringLiteral("Freq");
        prompts.beep();
    }
    s.OrderByStr = orderByClause(s.SortBy, s.FSortStr);
    data1.setRecordSource(recordSource(selectText, s.WhereStr, s.OrderByStr));
    if (!data1.refresh()) {
        s.QueryNot.clear();
        return false;
    }
    jet::RecordSet &rs = data1.recordset();
    if (rs.recordCount() > 0) {
        rs.moveLast();
        rs.moveFirst();
    }
    if (s.ColsChanged) {
        grid.rebuildColumns();
        s.ColsChanged = false;
        for (int i = 0; i < FieldCount && !s.DisplayFields[i].FieldName.isEmpty(); ++i)
            grid.setColumnWidthTwips(i, s.ColWidths[i].toDouble() * s.CharWidth);
    }
    grid.refresh();
    grid.setCaption(gridCaption(s, rs.recordCount()));
    return true;
}

void startupQuery(app::ProgramState &s) {
    const QString head = QStringLiteral("Select ") + s.FieldListStr;
    if (s.Language.toUpper() == u"ALL") {
        s.SQLStr = head + QStringLiteral(" From MyDataTable");
        s.FilterStr = QStringLiteral("ALL Languages");
        return;
    }
    s.SQLStr = head + QStringLiteral(" from MyDataTable Where (instr(Language,'") +
               app::sqlValue(s.Language) + QStringLiteral("') > 0)");
    s.FilterStr = QStringLiteral("Filter By \r\nLanguage = ") + s.Language;
}

} // namespace schedule
