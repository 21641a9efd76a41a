#include "jet/SqlParser.h"

namespace jet {

namespace {

using sql::Expr;

struct Token {
    enum class Kind { Name, Number, Text, Symbol, End };
    Kind kind = Kind::End;
    QString text; // name as written (brackets removed), text literal, or the symbol
    double number = 0;
    int position = 0; // 1-based
    bool bracketed = false;
};

struct SyntaxError {
    QString message;
};

QString near(const Token &t) {
    if (t.kind == Token::Kind::End)
        return QStringLiteral("at the end of the text");
    const QString shown = t.kind == Token::Kind::Text ? u'\'' + t.text + u'\'' : t.text;
    return QStringLiteral("at position %1 near \"%2\"").arg(t.position).arg(shown);
}

[[noreturn]] void fail(const Token &t, const QString &what) {
    throw SyntaxError{QStringLiteral("Syntax error %1: %2").arg(near(t), what)};
}

class Lexer {
public:
    explicit Lexer(const QString &text) : m_s(text) {}

    std::vector<Token> tokens() {
        std::vector<Token> out;
        while (true) {
            skipBlanks();
            Token t = next();
            out.push_back(t);
            if (t.kind == Token::Kind::End)
                return out;
        }
    }

private:
    const QString &m_s;
    qsizetype m_pos = 0;

    QChar at(qsizetype i) const { return i < m_s.size() ? m_s[i] : QChar(); }

    void skipBlanks() {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace())
            ++m_pos;
    }

    Token make(Token::Kind kind, qsizetype start) const {
        Token t;
        t.kind = kind;
        t.position = int(start) + 1;
        return t;
    }

    Token next() {
        const qsizetype start = m_pos;
        if (m_pos >= m_s.size())
            return make(Token::Kind::End, start);
        const QChar c = m_s[m_pos];
        if (c.isLetter() || c == u'_')
            return name(start);
        if (c == u'[')
            return bracketName(start);
        if (c.isDigit() || (c == u'.' && at(m_pos + 1).isDigit()))
            return number(start);
        if (c == u'\'' || c == u'"')
            return quoted(start, c);
        return symbol(start);
    }

    Token name(qsizetype start) {
        while (m_pos < m_s.size() &&
               (m_s[m_pos].isLetterOrNumber() || m_s[m_pos] == u'_' || m_s[m_pos].isMark()))
            ++m_pos;
        Token t = make(Token::Kind::Name, start);
        t.text = m_s.mid(start, m_pos - start);
        return t;
    }

    Token bracketName(qsizetype start) {
        const qsizetype close = m_s.indexOf(u']', start + 1);
        Token t = make(Token::Kind::Name, start);
        if (close < 0) {
            t.text = m_s.mid(start);
            fail(t, QStringLiteral("a bracketed name is not closed"));
        }
        t.text = m_s.mid(start + 1, close - start - 1);
        t.bracketed = true;
        m_pos = close + 1;
        return t;
    }

    Token number(qsizetype start) {
        while (at(m_pos).isDigit())
            ++m_pos;
        if (at(m_pos) == u'.') {
            ++m_pos;
            while (at(m_pos).isDigit())
                ++m_pos;
        }
        const QChar e = at(m_pos);
        if ((e == u'e' || e == u'E') &&
            (at(m_pos + 1).isDigit() ||
             ((at(m_pos + 1) == u'+' || at(m_pos + 1) == u'-') && at(m_pos + 2).isDigit()))) {
            m_pos += 2;
            while (at(m_pos).isDigit())
                ++m_pos;
        }
        Token t = make(Token::Kind::Number, start);
        t.text = m_s.mid(start, m_pos - start);
        t.number = t.text.toDouble();
        return t;
    }

    Token quoted(qsizetype start, QChar quote) {
        Token t = make(Token::Kind::Text, start);
        ++m_pos;
        while (true) {
            if (m_pos >= m_s.size()) {
                t.text = m_s.mid(start);
                t.kind = Token::Kind::Symbol;
                fail(t, QStringLiteral("a quoted text is not closed"));
            }
            if (m_s[m_pos] == quote) {
                if (at(m_pos + 1) != quote)
                    break;
                ++m_pos; // a doubled quote stands for one
            }
            t.text += m_s[m_pos++];
        }
        ++m_pos;
        return t;
    }

    Token symbol(qsizetype start) {
        static const QString twoChar[] = {QStringLiteral("<>"), QStringLiteral("<="),
                                          QStringLiteral(">=")};
        Token t = make(Token::Kind::Symbol, start);
        for (const QString &s : twoChar)
            if (QStringView(m_s).mid(m_pos, 2) == s) {
                t.text = s;
                m_pos += 2;
                return t;
            }
        t.text = m_s.mid(m_pos, 1);
        if (!QStringLiteral("=<>(),+-*;").contains(t.text))
            fail(t, QStringLiteral("unexpected character"));
        ++m_pos;
        return t;
    }
};

bool isKeyword(const QString &word) {
    static const char *const keywords[] = {"SELECT", "DISTINCT", "FROM", "WHERE", "ORDER", "BY",
                                           "AND",    "OR",       "NOT",  "ASC",   "DESC"};
    for (const char *k : keywords)
        if (word.compare(QLatin1String(k), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_t(std::move(tokens)) {}

    std::shared_ptr<Query> query() {
        auto q = std::make_shared<Query>();
        expectKeyword("SELECT");
        q->distinct = acceptKeyword("DISTINCT");
        if (!q->distinct)
            acceptKeyword("ALL");
        if (acceptSymbol("*"))
            q->allFields = true;
        else
            q->fields = nameList();
        expectKeyword("FROM");
        q->table = fieldName("a table name");
        if (acceptKeyword("WHERE"))
            q->where = expression();
        if (acceptKeyword("ORDER")) {
            expectKeyword("BY");
            q->order = orderKeys();
        }
        finish();
        return q;
    }

    std::unique_ptr<Expr> criterion() {
        auto e = expression();
        finish();
        return e;
    }

private:
    std::vector<Token> m_t;
    std::size_t m_i = 0;
    int m_depth = 0;
    int m_operators = 0;

    const Token &peek() const { return m_t[m_i]; }
    const Token &take() { return m_t[m_i < m_t.size() - 1 ? m_i++ : m_i]; }

    bool isKeywordToken(const Token &t, const char *word) const {
        return t.kind == Token::Kind::Name && !t.bracketed &&
               t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool acceptKeyword(const char *word) {
        if (!isKeywordToken(peek(), word))
            return false;
        take();
        return true;
    }
    void expectKeyword(const char *word) {
        if (!acceptKeyword(word))
            fail(peek(), QStringLiteral("expected %1").arg(QLatin1String(word)));
    }
    bool acceptSymbol(const char *s) {
        if (peek().kind != Token::Kind::Symbol || peek().text != QLatin1String(s))
            return false;
        take();
        return true;
    }
    void expectSymbol(const char *s) {
        if (!acceptSymbol(s))
            fail(peek(), QStringLiteral("expected \"%1\"").arg(QLatin1String(s)));
    }

    void finish() {
        acceptSymbol(";");
        if (peek().kind != Token::Kind::End)
            fail(peek(), QStringLiteral("unexpected text after the end"));
    }

    sql::Name fieldName(const char *what) {
        const Token &t = peek();
        if (t.kind != Token::Kind::Name || (!t.bracketed && isKeyword(t.text)))
            fail(t, QStringLiteral("expected %1").arg(QLatin1String(what)));
        take();
        return {t.text, t.position};
    }

    QVector<sql::Name> nameList() {
        QVector<sql::Name> names{fieldName("a field name")};
        while (acceptSymbol(","))
            names.append(fieldName("a field name"));
        return names;
    }

    QVector<sql::OrderKey> orderKeys() {
        QVector<sql::OrderKey> keys;
        do {
            const sql::Name n = fieldName("a field name");
            sql::OrderKey key{n.name, n.position, false};
            if (acceptKeyword("DESC"))
                key.descending = true;
            else
                acceptKeyword("ASC");
            keys.append(key);
        } while (acceptSymbol(","));
        return keys;
    }

    static std::unique_ptr<Expr> node(Expr::Kind kind, int position) {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->position = position;
        return e;
    }
    // Chains of AND, OR, + and - grow the tree one level per operator, and building,
    // folding and freeing it recurse that deep: a limit keeps a long text from
    // overflowing the stack.
    std::unique_ptr<Expr> binary(Expr::Kind kind, int position, std::unique_ptr<Expr> a,
                                 std::unique_ptr<Expr> b) {
        if (++m_operators > 1000)
            fail(m_t[m_i], QStringLiteral("the expression has too many operators"));
        auto e = node(kind, position);
        e->args.push_back(std::move(a));
        e->args.push_back(std::move(b));
        return e;
    }

    std::unique_ptr<Expr> expression() {
        if (++m_depth > 200)
            fail(peek(), QStringLiteral("the expression is nested too deeply"));
        auto e = orTerm();
        --m_depth;
        return e;
    }

    std::unique_ptr<Expr> orTerm() {
        auto left = andTerm();
        while (isKeywordToken(peek(), "OR")) {
            const int pos = take().position;
            left = binary(Expr::Kind::Or, pos, std::move(left), andTerm());
        }
        return left;
    }

    std::unique_ptr<Expr> andTerm() {
        auto left = notTerm();
        while (isKeywordToken(peek(), "AND")) {
            const int pos = take().position;
            left = binary(Expr::Kind::And, pos, std::move(left), notTerm());
        }
        return left;
    }

    std::unique_ptr<Expr> notTerm() {
        if (!isKeywordToken(peek(), "NOT"))
            return comparison();
        auto e = node(Expr::Kind::Not, take().position);
        if (++m_depth > 200)
            fail(peek(), QStringLiteral("the expression is nested too deeply"));
        e->args.push_back(notTerm());
        --m_depth;
        return e;
    }

    static bool compareOp(const Token &t, sql::CompareOp &op) {
        if (t.kind != Token::Kind::Symbol)
            return false;
        static const std::pair<const char *, sql::CompareOp> ops[] = {
            {"=", sql::CompareOp::Equal},      {"<>", sql::CompareOp::NotEqual},
            {"<", sql::CompareOp::Less},       {">", sql::CompareOp::Greater},
            {"<=", sql::CompareOp::LessEqual}, {">=", sql::CompareOp::GreaterEqual}};
        for (const auto &[s, o] : ops)
            if (t.text == QLatin1String(s)) {
                op = o;
                return true;
            }
        return false;
    }

    std::unique_ptr<Expr> comparison() {
        auto left = sum();
        sql::CompareOp op;
        if (!compareOp(peek(), op))
            return left;
        const int pos = take().position;
        auto e = binary(Expr::Kind::Compare, pos, std::move(left), sum());
        e->op = op;
        return e;
    }

    std::unique_ptr<Expr> sum() {
        auto left = unary();
        while (peek().kind == Token::Kind::Symbol && (peek().text == u'+' || peek().text == u'-')) {
            const Token &t = take();
            const auto kind = t.text == u'+' ? Expr::Kind::Add : Expr::Kind::Subtract;
            left = binary(kind, t.position, std::move(left), unary());
        }
        return left;
    }

    std::unique_ptr<Expr> unary() {
        if (peek().kind == Token::Kind::Symbol && (peek().text == u'-' || peek().text == u'+')) {
            const Token &t = take();
            if (++m_depth > 200)
                fail(peek(), QStringLiteral("the expression is nested too deeply"));
            auto operand = unary();
            --m_depth;
            if (t.text == u'+')
                return operand;
            auto e = node(Expr::Kind::Negate, t.position);
            e->args.push_back(std::move(operand));
            return e;
        }
        return primary();
    }

    std::unique_ptr<Expr> primary() {
        const Token &t = peek();
        switch (t.kind) {
        case Token::Kind::Number: {
            auto e = node(Expr::Kind::Number, take().position);
            e->number = t.number;
            return e;
        }
        case Token::Kind::Text: {
            auto e = node(Expr::Kind::Text, take().position);
            e->text = t.text;
            return e;
        }
        case Token::Kind::Name:
            return nameOrCall();
        case Token::Kind::Symbol:
            if (acceptSymbol("(")) {
                auto e = expression();
                expectSymbol(")");
                return e;
            }
            break;
        case Token::Kind::End:
            break;
        }
        fail(t, QStringLiteral("expected a value, a field name or \"(\""));
    }

    std::unique_ptr<Expr> nameOrCall() {
        const Token &t = peek();
        if (!t.bracketed && isKeyword(t.text))
            fail(t, QStringLiteral("expected a value, a field name or \"(\""));
        take();
        if (t.bracketed || !acceptSymbol("(")) {
            auto e = node(Expr::Kind::Field, t.position);
            e->text = t.text;
            return e;
        }
        auto e = node(Expr::Kind::Call, t.position);
        e->text = t.text;
        if (!acceptSymbol(")")) {
            do
                e->args.push_back(expression());
            while (acceptSymbol(","));
            expectSymbol(")");
        }
        return e;
    }
};

} // namespace

ParsedQuery parseQuery(const QString &text) {
    try {
        Parser parser(Lexer(text).tokens());
        return {parser.query(), {}};
    } catch (const SyntaxError &e) {
        return {nullptr, e.message};
    }
}

ParsedExpr parseCriterion(const QString &text) {
    try {
        Parser parser(Lexer(text).tokens());
        return {parser.criterion(), {}};
    } catch (const SyntaxError &e) {
        return {nullptr, e.message};
    }
}

} // namespace jet
