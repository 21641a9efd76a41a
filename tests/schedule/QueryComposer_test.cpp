#include "app/ScriptedPrompts.h"
#include "schedule/QueryComposer.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <set>

using namespace schedule;

Q_DECLARE_METATYPE(schedule::QueryForm)

namespace {

const QString Select = "Select StationID,Freq From MyDataTable ";

app::ProgramState composerState() {
    app::ProgramState s;
    s.codes = buildCodeTables();
    s.FieldListStr = "StationID,Freq";
    s.Language = "ALL";
    s.SortBy = "Station";
    s.CaptionNot = "earlier";
    return s;
}

QueryForm form(std::initializer_list<std::pair<int, QString>> combos,
               std::initializer_list<int> negated = {}, FreqOption option = FreqOption::None,
               std::array<QString, 3> freq = {}) {
    QueryForm f;
    for (const auto &[n, text] : combos)
        f.combo[n] = text;
    for (int n : negated)
        f.negated[n] = true;
    f.freqOption = option;
    f.freqText = freq;
    return f;
}

} // namespace

class QueryComposerTest : public QObject {
    Q_OBJECT

private slots:

    void done_data() {
        QTest::addColumn<QueryForm>("input");
        QTest::addColumn<QString>("sqlTail");
        QTest::addColumn<QString>("filter");
        addRow("worked example",
               form({{LanguageField, "ENGLISH"}, {CountryField, "GERMANY"}}, {CountryField},
                    FreqOption::Range, {"", "6000", "7000"}),
               "Where (instr(Language,'ENGLISH') <> 0) And Country <> 'GERMANY' And Freq >= "
               "' 6000.00' AND Freq <= ' 7000.00' ",
               "Filter By\r\nLanguage = ENGLISH\r\nCountry = NOT GERMANY\r\nFreq Range is "
               "\r\n6000.00 kHz to 7000.00 kHz\r\n");
        addRow("nothing chosen: all records", form({}), "", "Filter By\r\n");
        addRow("station alone: two blanks after Where", form({{StationField, "Radio Beta"}}),
               "Where  Station = 'Radio Beta'", "Filter By\r\nStation = Radio Beta\r\n");
        addRow("a frequency alone: two blanks before Where",
               form({}, {}, FreqOption::Single, {"6000", "", ""}), " Where Freq = ' 6000.00' ",
               "Filter By\r\nFrequency = 6000.00 kHz");
        addRow("range alone: one blank before Where",
               form({}, {}, FreqOption::Range, {"", "600", "15100"}),
               "Where Freq >= ' 0600.00' AND Freq <= '15100.00' ",
               "Filter By\r\nFreq Range is \r\n0600.00 kHz to 15100.00 kHz\r\n");
        addRow("a frequency after a field",
               form({{AdmField, "D"}}, {}, FreqOption::Single, {"15100", "", ""}),
               "Where  ADM = 'D' And Freq = '15100.00' ",
               "Filter By\r\nADM = D\r\nFrequency = 15100.00 kHz");
        addRow("language NOT tests instr = 0", form({{LanguageField, "English"}}, {LanguageField}),
               "Where (instr(Language,'English') = 0)", "Filter By\r\nLanguage = NOT English\r\n");
        addRow("target NOT alone tests instr = 0 on TargetAll",
               form({{TargetField, "EU"}}, {TargetField}), "Where (instr(TargetAll,'EU') = 0)",
               "Filter By\r\nTarget = NOT EU\r\n");
        addRow("target after station is joined with And",
               form({{StationField, "A"}, {TargetField, "AF"}}),
               "Where  Station = 'A' And (instr(TargetAll,'AF') <> 0)",
               "Filter By\r\nStation = A\r\nTarget = AF\r\n");
        addRow("listed program E: code and type name", form({{ProgramField, "E Language Lesson"}}),
               "Where  P = 'E'", "Filter By\r\nProgram = Language Lesson\r\n");
        addRow("program NOT later",
               form({{CountryField, "ITALY"}, {ProgramField, "N News"}}, {ProgramField}),
               "Where  Country = 'ITALY' And P <> 'N'",
               "Filter By\r\nCountry = ITALY\r\nProgram = NOT News\r\n");
        addRow("values trimmed, case kept", form({{CountryField, "  Germany "}}),
               "Where  Country = 'Germany'", "Filter By\r\nCountry = Germany\r\n");
        addRow("apostrophe doubled in SQL, once in the description",
               form({{StationField, "People's Radio"}, {AdmField, "X"}}, {AdmField}),
               "Where  Station = 'People''s Radio' And ADM <> 'X'",
               "Filter By\r\nStation = People's Radio\r\nADM = NOT X\r\n");
    }
    void done() {
        QFETCH(QueryForm, input);
        QFETCH(QString, sqlTail);
        QFETCH(QString, filter);
        app::ProgramState s = composerState();
        app::ScriptedPrompts prompts;
        QCOMPARE(CmdDone_Click(s, input, prompts, {}), DoneOutcome::Hide);
        QCOMPARE(s.SQLStr, Select + sqlTail);
        QCOMPARE(s.FilterStr, filter);
        QVERIFY(prompts.shown.isEmpty());
    }

    void languageRow_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("negated");
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<QString>("captionNot");
        QTest::addColumn<int>("selectorPosition");
        addRow("listed language moves the selector one further (ALL first)", "English", false, 4,
               "", 5);
        addRow("typed language moves the selector to ALL", "Klingon", false, -1, "", 0);
        addRow("NOT word reaches the caption", "English", true, 4, " NOT ", 5);
    }
    void languageRow() {
        QFETCH(QString, language);
        QFETCH(bool, negated);
        QFETCH(int, listIndex);
        QFETCH(QString, captionNot);
        QFETCH(int, selectorPosition);
        app::ProgramState s = composerState();
        app::ScriptedPrompts prompts;
        QueryForm f = form({{LanguageField, " " + language}},
                           negated ? std::initializer_list<int>{0} : std::initializer_list<int>{});
        f.languageListIndex = listIndex;
        QList<int> moves;
        bool syncedDuringMove = false;
        CmdDone_Click(s, f, prompts, [&](int position) {
            moves << position;
            syncedDuringMove = s.LangSync;
        });
        QCOMPARE(moves, QList<int>{selectorPosition});
        QVERIFY(syncedDuringMove);
        QVERIFY(!s.LangSync);
        QCOMPARE(s.Language, language);
        QCOMPARE(s.QueryNot, captionNot);
        QCOMPARE(s.CaptionNot, captionNot);
    }

    void sortOrder_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("sortBy");
        addRow("range sorts by frequency", int(FreqOption::Range), "Freq");
        addRow("single frequency keeps the sort", int(FreqOption::Single), "Station");
        addRow("none keeps the sort", int(FreqOption::None), "Station");
    }
    void sortOrder() {
        QFETCH(int, option);
        QFETCH(QString, sortBy);
        app::ProgramState s = composerState();
        app::ScriptedPrompts prompts;
        CmdDone_Click(s, form({}, {}, FreqOption(option), {"6000", "6000", "7000"}), prompts, {});
        QCOMPARE(s.SortBy, sortBy);
    }

    void missingFrequency_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("freq");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("sqlTail");
        addRow("range OK: back to From, SQL already replaced", int(FreqOption::Range),
               QStringList{"", "", "7000"}, int(app::AnswerOk), ": Missing Frequencies",
               int(DoneOutcome::FocusFromFreq), "Where  ADM = 'D'");
        addRow("range Cancel: goes on with the empty value", int(FreqOption::Range),
               QStringList{"", "6000", ""}, int(app::AnswerCancel), ": Missing Frequencies",
               int(DoneOutcome::Hide), "Where  ADM = 'D' And Freq >= ' 6000.00' AND Freq <= ' ' ");
        addRow("single OK: back to the frequency box", int(FreqOption::Single),
               QStringList{"", "6000", "7000"}, int(app::AnswerOk), ": No frequency Entered",
               int(DoneOutcome::FocusSingleFreq), "Where  ADM = 'D'");
        addRow("single Cancel: goes on", int(FreqOption::Single), QStringList{"", "", ""},
               int(app::AnswerCancel), ": No frequency Entered", int(DoneOutcome::Hide),
               "Where  ADM = 'D' And Freq = ' ' ");
    }
    void missingFrequency() {
        QFETCH(int, option);
        QFETCH(QStringList, freq);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(int, outcome);
        QFETCH(QString, sqlTail);
        app::ProgramState s = composerState();
        app::ScriptedPrompts prompts;
        prompts.answers << answer;
        const DoneOutcome result = CmdDone_Click(
            s, form({{AdmField, "D"}}, {}, FreqOption(option), {freq[0], freq[1], freq[2]}),
            prompts, {});
        QCOMPARE(int(result), outcome);
        QCOMPARE(prompts.shown, QStringList{message});
        QCOMPARE(s.SQLStr, Select + sqlTail);
        QCOMPARE(s.Response, answer);
    }

    void failingListQueryGivesNoValues() {
        testsupport::MemoryTables tables;
        jet::DataSource source(tables);
        source.setDatabaseName("missing");
        QVERIFY(listValues(source, "Select Distinct ADM from MyDataTable", "ADM").isEmpty());
    }
};

QTEST_GUILESS_MAIN(QueryComposerTest)
#include "QueryComposer_test.moc"
