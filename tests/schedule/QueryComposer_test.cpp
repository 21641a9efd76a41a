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
    void frequencyForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("prepared");
        QTest::newRow("four digits: blank in front") << "6000"
                                                     << " 6000.00";
        QTest::newRow("five digits: no blank") << "15100"
                                               << "15100.00";
        QTest::newRow("three digits: leading zero and blank") << "600"
                                                              << " 0600.00";
        QTest::newRow("decimal: two places") << "9.5"
                                             << " 0009.50";
        QTest::newRow("long number kept whole") << "123456789"
                                                << "123456789.00";
        QTest::newRow("blanks around a number") << " 7000 "
                                                << " 7000.00";
        QTest::newRow("not a number stays as typed") << "abc"
                                                     << " abc";
        QTest::newRow("empty becomes one blank") << ""
                                                 << " ";
    }
    void frequencyForm() {
        QFETCH(QString, typed);
        QFETCH(QString, prepared);
        QCOMPARE(filterFrequency(typed), prepared);
    }

    void done_data() {
        QTest::addColumn<QueryForm>("input");
        QTest::addColumn<QString>("sqlTail");
        QTest::addColumn<QString>("filter");
        QTest::newRow("worked example")
            << form({{LanguageField, "ENGLISH"}, {CountryField, "GERMANY"}}, {CountryField},
                    FreqOption::Range, {"", "6000", "7000"})
            << "Where (instr(Language,'ENGLISH') <> 0) And Country <> 'GERMANY' And Freq >= "
               "' 6000.00' AND Freq <= ' 7000.00' "
            << "Filter By\r\nLanguage = ENGLISH\r\nCountry = NOT GERMANY\r\nFreq Range is "
               "\r\n6000.00 kHz to 7000.00 kHz\r\n";
        QTest::newRow("nothing chosen: all records") << form({}) << ""
                                                     << "Filter By\r\n";
        QTest::newRow("station alone: two blanks after Where")
            << form({{StationField, "Radio Beta"}}) << "Where  Station = 'Radio Beta'"
            << "Filter By\r\nStation = Radio Beta\r\n";
        QTest::newRow("a frequency alone: two blanks before Where")
            << form({}, {}, FreqOption::Single, {"6000", "", ""}) << " Where Freq = ' 6000.00' "
            << "Filter By\r\nFrequency = 6000.00 kHz";
        QTest::newRow("range alone: one blank before Where")
            << form({}, {}, FreqOption::Range, {"", "600", "15100"})
            << "Where Freq >= ' 0600.00' AND Freq <= '15100.00' "
            << "Filter By\r\nFreq Range is \r\n0600.00 kHz to 15100.00 kHz\r\n";
        QTest::newRow("a frequency after a field")
            << form({{AdmField, "D"}}, {}, FreqOption::Single, {"15100", "", ""})
            << "Where  ADM = 'D' And Freq = '15100.00' "
            << "Filter By\r\nADM = D\r\nFrequency = 15100.00 kHz";
        QTest::newRow("language NOT tests instr = 0")
            << form({{LanguageField, "English"}}, {LanguageField})
            << "Where (instr(Language,'English') = 0)"
            << "Filter By\r\nLanguage = NOT English\r\n";
        QTest::newRow("target NOT alone tests instr = 0 on TargetAll")
            << form({{TargetField, "EU"}}, {TargetField}) << "Where (instr(TargetAll,'EU') = 0)"
            << "Filter By\r\nTarget = NOT EU\r\n";
        QTest::newRow("target after station is joined with And")
            << form({{StationField, "A"}, {TargetField, "AF"}})
            << "Where  Station = 'A' And (instr(TargetAll,'AF') <> 0)"
            << "Filter By\r\nStation = A\r\nTarget = AF\r\n";
        QTest::newRow("listed program E: code and type name")
            << form({{ProgramField, "E Language Lesson"}}) << "Where  P = 'E'"
            << "Filter By\r\nProgram = Language Lesson\r\n";
        QTest::newRow("program NOT later")
            << form({{CountryField, "ITALY"}, {ProgramField, "N News"}}, {ProgramField})
            << "Where  Country = 'ITALY' And P <> 'N'"
            << "Filter By\r\nCountry = ITALY\r\nProgram = NOT News\r\n";
        QTest::newRow("values trimmed, case kept")
            << form({{CountryField, "  Germany "}}) << "Where  Country = 'Germany'"
            << "Filter By\r\nCountry = Germany\r\n";
        QTest::newRow("apostrophe doubled in SQL, once in the description")
            << form({{StationField, "People's Radio"}, {AdmField, "X"}}, {AdmField})
            << "Where  Station = 'People''s Radio' And ADM <> 'X'"
            << "Filter By\r\nStation = People's Radio\r\nADM = NOT X\r\n";
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
        QTest::newRow("listed language moves the selector one further (ALL first)")
            << "English" << false << 4 << "" << 5;
        QTest::newRow("typed language moves the selector to ALL")
            << "Klingon" << false << -1 << "" << 0;
        QTest::newRow("NOT word reaches the caption") << "English" << true << 4 << " NOT " << 5;
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

    void withoutLanguageNothingOfItChanges() {
        app::ProgramState s = composerState();
        s.Language = "French";
        s.QueryNot = " NOT ";
        app::ScriptedPrompts prompts;
        int moves = 0;
        CmdDone_Click(s, form({{StationField, "A"}}), prompts, [&](int) { ++moves; });
        QCOMPARE(moves, 0);
        QCOMPARE(s.Language, QString("French"));
        QCOMPARE(s.CaptionNot, QString("earlier"));
        QCOMPARE(s.QueryNot, QString()); // reset at the start of every Done
    }

    void sortOrder_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("sortBy");
        QTest::newRow("range sorts by frequency") << int(FreqOption::Range) << "Freq";
        QTest::newRow("single frequency keeps the sort") << int(FreqOption::Single) << "Station";
        QTest::newRow("none keeps the sort") << int(FreqOption::None) << "Station";
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
        QTest::newRow("range OK: back to From, SQL already replaced")
            << int(FreqOption::Range) << QStringList{"", "", "7000"} << int(app::AnswerOk)
            << ": Missing Frequencies" << int(DoneOutcome::FocusFromFreq) << "Where  ADM = 'D'";
        QTest::newRow("range Cancel: goes on with the empty value")
            << int(FreqOption::Range) << QStringList{"", "6000", ""} << int(app::AnswerCancel)
            << ": Missing Frequencies" << int(DoneOutcome::Hide)
            << "Where  ADM = 'D' And Freq >= ' 6000.00' AND Freq <= ' ' ";
        QTest::newRow("single OK: back to the frequency box")
            << int(FreqOption::Single) << QStringList{"", "6000", "7000"} << int(app::AnswerOk)
            << ": No frequency Entered" << int(DoneOutcome::FocusSingleFreq) << "Where  ADM = 'D'";
        QTest::newRow("single Cancel: goes on")
            << int(FreqOption::Single) << QStringList{"", "", ""} << int(app::AnswerCancel)
            << ": No frequency Entered" << int(DoneOutcome::Hide)
            << "Where  ADM = 'D' And Freq = ' ' ";
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

    void distinctLanguagesOfFixture() {
        const QString csvPath = testsupport::fixture("schedule/rows.csv");
        REQUIRE_FIXTURE(csvPath);
        const jet::CsvRows csv = jet::readCsvFile(csvPath);
        const int column = csv.header.indexOf("Language");
        std::set<QString> expected;
        for (const auto &row : csv.rows)
            if (!row[column].isNull() && !row[column].text.contains("...    "))
                expected.insert(row[column].text.toUpper());
        testsupport::MemoryTables tables;
        tables.add("db", testsupport::tableFromCsv(csv));
        jet::DataSource source(tables);
        source.setDatabaseName("db");
        const QStringList values =
            listValues(source, "Select Distinct Language from MyDataTable", "Language");
        QCOMPARE(values.size(), int(expected.size()));
        for (int i = 1; i < values.size(); ++i)
            QVERIFY(values[i - 1].compare(values[i], Qt::CaseInsensitive) <= 0);
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
