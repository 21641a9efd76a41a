#include "schedule/QueryComposer.h"

#include "app/Conversions.h"

#include <cmath>

namespace schedule {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// "#0000.00": at least four integer digits, two decimals.
QString patternText(double v) {
    QString digits = QString::number(std::abs(v), 'f', 2);
    const qsizetype dot = digits.indexOf(u'.');
    if (dot < 4)
        digits.prepend(QString(4 - dot, u'0'));
    return (v < 0 && digits != u"0000.00" ? QStringLiteral("-") : QString()) + digits;
}

struct FieldRule {
    const char *label; // description label and SQL column
    const char *column;
    bool containment; // instr test, negated by "= 0"
};

const FieldRule Rules[QueryFieldCount] = {
    {"Language", "Language", true}, {"Station", "Station", false}, {"Country", "Country", false},
    {"ADM", "ADM", false},          {"Target", "TargetAll", true}, {"Program", "P", false}};

QString comparison(const FieldRule &rule, bool negated) {
    if (rule.containment)
        return negated ? QStringLiteral("=") : QStringLiteral("<>");
    return negated ? QStringLiteral("<>") : QStringLiteral("=");
}

QString fieldClause(const FieldRule &rule, const QString &value, const QString &op, bool first) {
    const QString joining = first ? QString() : QStringLiteral(" And");
    if (rule.containment)
        return (first ? QString() : QStringLiteral(" And ")) + QStringLiteral("(instr(") +
               QLatin1String(rule.column) + QStringLiteral(",'") + sqlValue(value) +
               QStringLiteral("') ") + op + QStringLiteral(" 0)");
    return joining + u' ' + QLatin1String(rule.column) + u' ' + op + QStringLiteral(" '") +
           sqlValue(value) + u'\'';
}

void chooseLanguage(app::ProgramState &s, const QString &value, bool negated) {
    s.Language = value;
    s.QueryNot = negated ? QStringLiteral(" NOT ") : QString();
    s.CaptionNot = s.QueryNot;
}

void moveSelector(app::ProgramState &s, int listIndex, const std::function<void(int)> &move) {
    s.LangSync = true;
    if (move)
        move(listIndex + 1);
    s.LangSync = false;
}

void addField(app::ProgramState &s, const QueryForm &form, int n, int clauses,
              const std::function<void(int)> &moveLanguageSelector) {
    const FieldRule &rule = Rules[n];
    const QString &text = form.combo[n];
    const bool negated = form.negated[n];
    const bool program = n == ProgramField;
    const QString value = program ? text.left(1) : text.trimmed();
    const QString shown = program ? text.mid(2) : value;
    if (n == LanguageField)
        chooseLanguage(s, value, negated);
    s.FilterStr += QLatin1String(rule.label) + QStringLiteral(" = ") +
                   (negated ? QStringLiteral("NOT ") : QString()) + shown + CrLf;
    s.SQLStr += fieldClause(rule, value, comparison(rule, negated), clauses == 0);
    if (n == LanguageField)
        moveSelector(s, form.languageListIndex, moveLanguageSelector);
}

// False when the user chose to go back to the empty box.
bool confirmMissing(app::ProgramState &s, app::Prompts &prompts, const QString &message) {
    s.Response = prompts.messageBox(message, QString(), app::Buttons::OkCancel);
    return s.Response != app::AnswerOk;
}

DoneOutcome addRange(app::ProgramState &s, const QueryForm &form, int clauses,
                     app::Prompts &prompts) {
    const QString &from = form.freqText[FromFreqText];
    const QString &to = form.freqText[ToFreqText];
    if ((from.isEmpty() || to.isEmpty()) &&
        !confirmMissing(s, prompts, QStringLiteral("Missing Frequencies")))
        return DoneOutcome::FocusFromFreq;
    const QString low = filterFrequency(from), high = filterFrequency(to);
    s.SQLStr +=
        (clauses < 0 ? QStringLiteral("Where Freq >= '") : QStringLiteral(" And Freq >= '")) +
        sqlValue(low) + QStringLiteral("' AND Freq <= '") + sqlValue(high) + QStringLiteral("' ");
    s.FilterStr += QStringLiteral("Freq Range is ") + CrLf + low.trimmed() +
                   QStringLiteral(" kHz to ") + high.trimmed() + QStringLiteral(" kHz") + CrLf;
    s.SortBy = QStringLiteral("Freq");
    return DoneOutcome::Hide;
}

DoneOutcome addSingle(app::ProgramState &s, const QueryForm &form, int clauses,
                      app::Prompts &prompts) {
    const QString &typed = form.freqText[SingleFreqText];
    if (typed.isEmpty() && !confirmMissing(s, prompts, QStringLiteral("No frequency Entered")))
        return DoneOutcome::FocusSingleFreq;
    const QString freq = filterFrequency(typed);
    s.SQLStr +=
        (clauses < 0 ? QStringLiteral(" Where Freq = '") : QStringLiteral(" And Freq = '")) +
        sqlValue(freq) + QStringLiteral("' ");
    s.FilterStr += QStringLiteral("Frequency = ") + freq.trimmed() + QStringLiteral(" kHz");
    return DoneOutcome::Hide;
}

} // namespace

QString filterFrequency(const QString &typed) {
    const std::optional<double> number = app::parseNumber(typed);
    const QString text = number ? patternText(*number) : typed;
    return text.size() < 8 ? u' ' + text : text;
}

QStringList listValues(jet::DataSource &source, const QString &sql, const QString &field) {
    QStringList values;
    source.setRecordSource(sql);
    if (!source.refresh())
        return values;
    jet::RecordSet &rs = source.recordset();
    for (rs.moveFirst(); rs.recordCount() > 0 && !rs.eof(); rs.moveNext()) {
        const jet::Cell cell = rs.field(field);
        const QString text = jet::displayText(cell);
        if (!cell.isNull() && !text.contains(u"...    "))
            values << text;
    }
    return values;
}

DoneOutcome CmdDone_Click(app::ProgramState &s, const QueryForm &form, app::Prompts &prompts,
                          const std::function<void(int)> &moveLanguageSelector) {
    s.FilterStr = QStringLiteral("Filter By") + CrLf;
    s.QueryNot.clear();
    s.SQLStr = QStringLiteral("Select ") + s.FieldListStr + QStringLiteral(" From MyDataTable ");
    int clauses = -1;
    for (int n = 0; n < QueryFieldCount; ++n) {
        const bool filled = !form.combo[n].isEmpty();
        if (filled)
            ++clauses;
        if (!s.SQLStr.contains(u"Where") && clauses == 0)
            s.SQLStr += QStringLiteral("Where ");
        if (filled)
            addField(s, form, n, clauses, moveLanguageSelector);
    }
    switch (form.freqOption) {
    case FreqOption::Range:
        return addRange(s, form, clauses, prompts);
    case FreqOption::Single:
        return addSingle(s, form, clauses, prompts);
    case FreqOption::None:
        break;
    }
    return DoneOutcome::Hide;
}

QStringList programEntries(const CodeTables &codes) {
    QStringList entries;
    for (int i = 1; i <= 12; ++i)
        entries << codes.ProgCodes[i] + u' ' + codes.ProgTypes[i];
    return entries;
}

} // namespace schedule
