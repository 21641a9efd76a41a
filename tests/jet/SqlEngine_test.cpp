#include "jet/SqlEngine.h"
#include "onair/OnAir.h"
#include "support/TestSupport.h"

using jet::Cell;

namespace {

Cell n(double v) {
    return Cell::fromNumber(v);
}
Cell t(const char *s) {
    return Cell::fromText(QString::fromUtf8(s));
}
Cell null() {
    return Cell::null();
}

// Six schedule-like rows: shared frequencies, letter-case variants, Nulls, over-midnight times.
std::unique_ptr<jet::Table> sampleTable() {
    using K = jet::ColumnKind;
    auto table = std::make_unique<jet::Table>(QVector<jet::Column>{{"ID", K::Number},
                                                                   {"Freq", K::Number},
                                                                   {"Station", K::Text},
                                                                   {"UTCB", K::Text},
                                                                   {"UTCE", K::Text},
                                                                   {"Language", K::Text},
                                                                   {"Note", K::Text}});
    table->appendRow({n(1), n(6000), t("Radio Alpha"), t("2200"), t("0200"), t("English"), t("a")});
    table->appendRow({n(2), n(5005.5), t("radio beta"), t("0600"), t("0900"), t("english"), t("")});
    table->appendRow({n(3), n(9575), t("Radio O'Hara"), t("0000"), t("0000"), t("French"), null()});
    table->appendRow({n(4), null(), t("ÉCOLE"), t("...."), t("...."), null(), t("12")});
    table->appendRow(
        {n(5), n(6000), t("Radio Alpha"), t("1230"), t("1300"), t("ENGLISH"), t(" 7 ")});
    table->appendRow({n(6), n(15100), t("Ωmega"), t("2300"), t("0100"), t("Russian"), t("x")});
    return table;
}

// The program's own on-air condition; OnAir_test pins its characters.
QString onAir(const QString &hhmm) {
    return onair::OnAirCondition(hhmm);
}

// The first field of every result row, Null shown as "<null>"; or the error message.
QStringList run(const jet::Table &table, const QString &sql, QString *error = nullptr) {
    const auto parsed = jet::parseQuery(sql);
    if (!parsed.ok()) {
        if (error)
            *error = parsed.error;
        return {"<error>"};
    }
    const jet::Selection s = jet::runQuery(table, *parsed.query);
    if (!s.ok()) {
        if (error)
            *error = s.error;
        return {"<error>"};
    }
    QStringList out;
    for (int row : s.rows) {
        const Cell c = table.cell(row, s.columns[0]);
        out << (c.isNull() ? QStringLiteral("<null>") : jet::displayText(c));
    }
    return out;
}

QStringList ids(const char *list) {
    return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
}

} // namespace

class SqlEngineTest : public QObject {
    Q_OBJECT
private slots:
    void selectsRowsInOrder_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const QString &where, const char *list) {
            addRow(name, where, ids(list));
        };
        row("text equality ignores letter case", "Language = 'ENGLISH'", "1,2,5");
        row("frequency text with blank and one decimal", "Freq  = ' 6000.0' ", "1,5");
        row("text against number compared as numbers", "Freq > '5100'", "1,3,5,6");
        row("range of frequency texts", "Freq >= ' 6000.00' AND Freq <= ' 9575.00' ", "1,3,5");
        row("Null is not unequal", "Language <> 'French'", "1,2,5,6");
        row("NOT of Null stays Null", "NOT (Language = 'French')", "1,2,5,6");
        row("Null OR True is True", "Language = 'x' OR ID = 4", "4");
        row("Null OR Null is not selected", "Language = 'French' OR Freq > 0", "1,2,3,5,6");
        row("Null AND True is Null", "NOT (Language = 'x' AND ID = 4)", "1,2,3,5,6");
        row("instr ignores letter case", "instr(Station,'ALPHA') > 0", "1,5");
        row("instr counts from one", "InStr(Station, 'a') = 2", "1,2,3,5");
        row("instr with a start position", "instr(3, Station, 'a') = 7", "1,5");
        row("doubled single quote is one quote", "Station = 'Radio O''Hara'", "3");
        row("val reads the leading number", "val(Note) = 12", "4");
        row("val of no number is zero, of Null Null", "val(Note) = 0", "1,2,6");
        row("Left in any letter case", "LEFT(Station,5) = 'RADIO'", "1,2,3,5");
        row("minus on numbers", "Freq - 1000 = 5000", "1,5");
        row("plus joins two texts", "Left(UTCB,2) + Right(UTCE,2) = '2200'", "1");
        row("times compared as texts", "UTCB >= '2200'", "1,6");
        row("mismatch on rows not reached is no error", "ID = 99 AND Freq = Station", "");
        row("on air 01:30 over midnight after midnight", onAir("0130"), "1");
        row("on air 23:30 over midnight before midnight", onAir("2330"), "1,6");
        row("on air 06:00 begin included", onAir("0600"), "2");
        row("on air 09:00 end excluded", onAir("0900"), "");
        row("on air 00:00 equal begin and end never", onAir("0000"), "1,6");
    }
    void selectsRowsInOrder() {
        QFETCH(QString, where);
        QFETCH(QStringList, expected);
        const auto table = sampleTable();
        QString error;
        const QStringList got =
            run(*table, "Select ID From MyDataTable Where " + where + " Order by ID", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(got, expected);
    }

    void ordersAndDistinct_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const char *sql, QStringList expected) {
            addRow(name, QString::fromUtf8(sql), expected);
        };
        row("keywords in any letter case and extra blanks",
            "  sElEcT   ID ,Freq   fRoM  mydatatable   wHeRe   language = 'english'  OrDeR  bY "
            " ID  DeSc ;",
            ids("5,2,1"));
        row("numbers ascending with Null first and ties in table order",
            "Select ID From MyDataTable Order by Freq ", ids("4,2,1,5,3,6"));
        row("numbers descending with Null last, ties still in table order",
            "Select ID From MyDataTable Order by Freq DESC ", ids("6,3,1,5,2,4"));
        row("texts ordered ignoring letter case", "Select ID From MyDataTable Order by Station",
            ids("1,5,2,3,4,6"));
        row("second key descending only", "Select ID From MyDataTable Order by Language, Freq DESC",
            ids("4,1,5,2,3,6"));
        row("both keys descending", "Select ID From MyDataTable Order by Language DESC, ID DESC",
            ids("6,3,5,2,1,4"));
        row("distinct sorted with Null first, first spelling kept",
            "Select Distinct Language from MyDataTable",
            QStringList{"<null>", "English", "French", "Russian"});
        row("distinct after a condition",
            "Select Distinct Language from MyDataTable Where Freq > 6000",
            QStringList{"French", "Russian"});
        row("distinct over two fields", "Select Distinct Station, Freq From MyDataTable",
            QStringList{"Radio Alpha", "radio beta", "Radio O'Hara", "ÉCOLE", "Ωmega"});
        row("distinct number field", "Select Distinct Freq From MyDataTable",
            QStringList{"<null>", "5005.5", "6000", "9575", "15100"});
        row("select star gives table order", "Select * From MyDataTable Where ID >= 5", ids("5,6"));
    }
    void ordersAndDistinct() {
        QFETCH(QString, sql);
        QFETCH(QStringList, expected);
        const auto table = sampleTable();
        QString error;
        const QStringList got = run(*table, sql, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(got, expected);
    }

    void rejectedTextsSayWhere_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("fragment");
        addRow("misspelt keyword", "Select ID Form MyDataTable", "position 11 near \"Form\"");
        addRow("empty text", "", "expected SELECT");
        addRow("unknown field in list", "Select ID, Nope From MyDataTable",
               "\"Nope\" at position 12");
        addRow("unknown function", "Select ID From MyDataTable Where Mid(Station,1,1) = 'R'",
               "\"Mid\" in expression at position 34");
        addRow("apostrophe in a typed value",
               "Select ID From MyDataTable Where Station = 'O'Hara' ", "position 51");
        addRow("unclosed text", "Select ID From MyDataTable Where Station = 'abc", "not closed");
        addRow("missing closing parenthesis", "Select ID From MyDataTable Where (ID = 1",
               "expected \")\"");
        addRow("text after the end", "Select ID From MyDataTable Where ID = 1 extra",
               "position 41 near \"extra\"");
        addRow("text that is no number against a number",
               "Select ID From MyDataTable Where Freq = 'abc'", "Data type mismatch");
        addRow("negative length", "Select ID From MyDataTable Where Left(Station, -1) = ''",
               "Invalid procedure call");
        addRow("nesting that would exhaust the stack",
               "Select ID From MyDataTable Where " + QString(100000, u'('), "nested too deeply");
    }
    void rejectedTextsSayWhere() {
        QFETCH(QString, sql);
        QFETCH(QString, fragment);
        const auto table = sampleTable();
        QString error;
        QCOMPARE(run(*table, sql, &error), QStringList{"<error>"});
        QVERIFY2(error.contains(fragment), qPrintable(error));
    }

    void valReadsLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        addRow("blanks inside digits", " 1 2 3", 123.0);
        addRow("stops at a letter", "12ab", 12.0);
        addRow("decimal and exponent", "-1.5e2x", -150.0);
        addRow("empty", "", 0.0);
    }
    void valReadsLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(jet::valOf(text), value);
    }
};

QTEST_GUILESS_MAIN(SqlEngineTest)
#include "SqlEngine_test.moc"
