#pragma once

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace jet {

namespace sql {

enum class CompareOp { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

// One node of a parsed expression. position is the 1-based character position in the text
// where the node starts (for operators: where the operator stands).
struct Expr {
    enum class Kind { Number, Text, Field, Not, Negate, And, Or, Compare, Add, Subtract, Call };
    Kind kind = Kind::Number;
    int position = 0;
    double number = 0; // Number
    QString text;      // Text literal, Field name, Call function name
    CompareOp op = CompareOp::Equal;
    std::vector<std::unique_ptr<Expr>> args; // operands or call arguments
};

struct Name {
    QString name;
    int position = 0;
};

struct OrderKey {
    QString name;
    int position = 0;
    bool descending = false;
};

} // namespace sql

// A parsed SELECT text: Select [Distinct] fields|* From table [Where cond] [Order by keys].
class Query {
public:
    bool distinct = false;
    bool allFields = false; // Select *
    QVector<sql::Name> fields;
    sql::Name table;
    std::unique_ptr<sql::Expr> where; // null without Where
    QVector<sql::OrderKey> order;
};

struct ParsedQuery {
    std::shared_ptr<const Query> query; // null on error
    QString error;                      // says where: position and the text found there
    bool ok() const { return query != nullptr; }
};

struct ParsedExpr {
    std::shared_ptr<const sql::Expr> expr; // null on error
    QString error;
    bool ok() const { return expr != nullptr; }
};

ParsedQuery parseQuery(const QString &text);
// A condition alone, as record-set find criteria are written.
ParsedExpr parseCriterion(const QString &text);

} // namespace jet
