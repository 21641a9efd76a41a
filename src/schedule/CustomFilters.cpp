#include "schedule/CustomFilters.h"

#include "app/Captions.h"

#include "schedule/QueryComposer.h"
#include "schedule/QueryComposition.h"

#include <optional>

namespace schedule {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString FilterHead = QStringLiteral("Filter By ") + CrLf;

enum FilterIndex {
    CustomFilter = 0,
    LanguageSelector = 2,
    FrequencyFilter = 3,
    FrequencyRange = 4,
    StartEndTimes = 8
};

QString allLanguagesCaption(int recordCount) {
    return app::CaptionPrefix + QString::number(recordCount) +
           QStringLiteral(" Records in ALL Languages");
}

int recordCount(FilterPort &port) {
    return port.data1().recordset().recordCount();
}

// Runs the filter's SELECT tail and describes it; the caption speaks of all languages.
void applyFilter(FilterPort &port, const QString &tail, const QString &description,
                 bool captionWhenEmpty = true) {
    app::ProgramState &s = port.state();
    port.DisableOnAir();
    s.SQLStr = QStringLiteral("Select ") + s.FieldListStr + tail;
    port.ReadDB(s.SQLStr);
    s.FilterStr = FilterHead + description;
    const int n = recordCount(port);
    if (captionWhenEmpty || n >= 1)
        port.setGridCaption(allLanguagesCaption(n));
}

void runOneValue(int index, const OneValueFilter &f, FilterPort &port) {
    app::ProgramState &s = port.state();
    s.SearchStr = port.prompts().inputBox(f.prompt, f.title);
    if (s.SearchStr.isEmpty())
        return;
    const bool frequency = index == FrequencyFilter;
    s.SearchStr = frequency ? filterFrequency(s.SearchStr) : s.SearchStr.toUpper();
    applyFilter(port, f.tailHead + sqlValue(s.SearchStr) + f.tailEnd,
                f.description + s.SearchStr + f.descriptionEnd, !frequency);
}

// Both answers, or none when either is empty (after "Value Missing!").
std::optional<std::pair<QString, QString>> askPair(FilterPort &port, const QString (&texts)[4]) {
    const QString first = port.prompts().inputBox(texts[0], texts[1]);
    const QString second = port.prompts().inputBox(texts[2], texts[3]);
    if (!first.isEmpty() && !second.isEmpty())
        return std::pair{first, second};
    port.state().Response =
        port.prompts().messageBox(QStringLiteral("Value Missing!"), QString(), app::Buttons::Ok);
    return std::nullopt;
}

void runFrequencyRange(FilterPort &port) {
    const auto typed = askPair(
        port, {"Input Low Frequency", "Low Frequency?", "Input High Frequency", "High Frequency?"});
    if (!typed)
        return;
    const QString low = filterFrequency(typed->first), high = filterFrequency(typed->second);
    applyFilter(port,
                QStringLiteral(" From MyDataTable Where Freq >= '") + sqlValue(low) +
                    QStringLiteral("' AND Freq <= '") + sqlValue(high) + QStringLiteral("' "),
                QStringLiteral("Frequency Range ") + CrLf + low.trimmed() +
                    QStringLiteral(" kHz To ") + high.trimmed() + QStringLiteral(" kHz"));
}

void runStartEndTimes(FilterPort &port) {
    const auto typed = askPair(
        port, {"Input Program Start Time", "Start Time?", "Input Program End Time", "End Time?"});
    if (!typed)
        return;
    const auto &[start, end] = *typed;
    const bool utc = port.state().UTCShown;
    const QString tail =
        QStringLiteral(" From MyDataTable Where ") +
        (utc ? QStringLiteral("Left(UTC,4) >= '") : QStringLiteral("UTCB >= '")) + sqlValue(start) +
        (utc ? QStringLiteral("' AND Right(UTC,4) <= '") : QStringLiteral("' AND UTCE <= '")) +
        sqlValue(end) + QStringLiteral("' ");
    applyFilter(port, tail,
                QStringLiteral("Program Time Span ") + CrLf + start + QStringLiteral("Z to ") +
                    end + QStringLiteral(" Z"));
}

void applyLanguage(FilterPort &port, const QString &language, const QString &sql) {
    app::ProgramState &s = port.state();
    s.Language = language;
    s.CaptionNot.clear();
    s.QueryNot.clear();
    s.SQLStr = sql;
}

void describeLanguage(app::ProgramState &s) {
    s.FilterStr = FilterHead + QStringLiteral("Language = ") + s.Language;
}

} // namespace

const OneValueFilter *oneValueFilter(int index) {
    static const OneValueFilter filters[] = {
        {"Input Frequency", "Frequency?", " From MyDataTable Where Freq = '", "' ",
         "Frequency = ", " kHz"},
        {"Input Country", "Country?", " From MyDataTable Where Country = '", "' ",
         "Country = ", ""},
        {"Input Location", "Location?", " From MyDataTable Where (instr(Location,'", "') > 0)",
         "Location = ", ""},
        {"Input Program Start Time", "Start Time?", " From MyDataTable Where UTCB = '", "' ",
         "Program Start Time = ", ""},
        {"Input ADM Designation", "ADM (3 letter)?", " From MyDataTable Where ADM = '", "' ",
         "ADM = ", ""},
        {"Input Station Name", "Station Name?", " From MyDataTable Where (instr(STATION,'",
         "') > 0) ", "Station = ", ""},
        {"Input Target Name", "Target Name?", " From MyDataTable Where (instr(TargetAll,'",
         "') > 0) ", "Target = ", ""}};
    switch (index) {
    case 3:
        return &filters[0];
    case 5:
    case 6:
    case 7:
        return &filters[index - 4];
    case 9:
    case 10:
    case 11:
        return &filters[index - 5];
    default:
        return nullptr;
    }
}

void FindNow_Click(int index, FilterPort &port) {
    if (const OneValueFilter *filter = oneValueFilter(index))
        return runOneValue(index, *filter, port);
    switch (index) {
    case CustomFilter:
        port.showQueryDialog();
        return applyQueryDialogResult(port);
    case LanguageSelector:
        return port.showLanguageSelector();
    case FrequencyRange:
        return runFrequencyRange(port);
    case StartEndTimes:
        return runStartEndTimes(port);
    default:
        return;
    }
}

void Progs_Click(int index, FilterPort &port) {
    port.DisableOnAir();
    if (index < 1 || index > 13)
        return;
    app::ProgramState &s = port.state();
    s.SearchStr = s.codes.ProgCodes[index].toUpper();
    s.SQLStr = QStringLiteral("Select ") + s.FieldListStr +
               QStringLiteral(" From MyDataTable Where P = '") + sqlValue(s.SearchStr) +
               QStringLiteral("' ");
    port.ReadDB(s.SQLStr);
    s.FilterStr = FilterHead + QStringLiteral("Program = ") + s.codes.ProgTypes[index];
    port.setGridCaption(allLanguagesCaption(recordCount(port)));
}

void applyQueryDialogResult(FilterPort &port) {
    app::ProgramState &s = port.state();
    if (s.DlgCancel)
        return;
    if (s.FilterStr.size() == 11)
        s.FilterStr = QStringLiteral("NO Filter");
    else if (s.FilterStr.endsWith(CrLf))
        s.FilterStr.chop(CrLf.size());
    if (s.QueryOnAir) {
        s.SavedFilterStr = s.FilterStr;
        s.SavedSQL = s.SQLStr;
        port.DisplayOnAir();
    } else {
        port.DisableOnAir();
    }
    port.ReadDB(s.SQLStr);
}

QString languageContainsSql(const QString &fieldList, const QString &language) {
    const QString head =
        QStringLiteral("Select ") + fieldList + QStringLiteral(" from MyDataTable");
    if (language.toUpper() == u"ALL")
        return head;
    return head + QStringLiteral(" Where (instr(Language,'") + sqlValue(language) +
           QStringLiteral("') > 0)");
}

QString languageEqualsSql(const QString &fieldList, const QString &language) {
    const QString head =
        QStringLiteral("Select ") + fieldList + QStringLiteral(" from MyDataTable");
    if (language.toUpper() == u"ALL")
        return head;
    return head + QStringLiteral(" Where Language  = '") + sqlValue(language) +
           QStringLiteral("' ");
}

void languagePicked(FilterPort &port, const QString &language) {
    app::ProgramState &s = port.state();
    applyLanguage(port, language, languageContainsSql(s.FieldListStr, language));
    BuildSQL(s);
    port.ReadDB(s.SQLStr);
    describeLanguage(s);
}

void languageEntered(FilterPort &port, const QString &language) {
    app::ProgramState &s = port.state();
    applyLanguage(port, language, languageEqualsSql(s.FieldListStr, language));
    port.ReadDB(s.SQLStr);
    describeLanguage(s);
}

} // namespace schedule
