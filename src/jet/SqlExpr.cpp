#include "jet/SqlExpr.h"

#include <cmath>
#include <numeric>

namespace jet {

namespace {

constexpr int NoColumn = -1;
constexpr int SeveralColumns = -2;

int joinColumns(int a, int b) {
    if (a == NoColumn)
        return b;
    if (b == NoColumn || a == b)
        return a;
    return SeveralColumns;
}

QString mismatchMessage(int position) {
    return QStringLiteral("Data type mismatch in criteria expression at position %1").arg(position);
}

} // namespace

namespace sql {

struct Value {
    enum class Kind : std::uint8_t { Null, Number, Text, Error };
    Kind kind = Kind::Null;
    double number = 0;
    const QString *ref = nullptr; // a dictionary text; own is used when null
    QString own;

    static Value null() { return {}; }
    static Value error() { return {Kind::Error, 0, nullptr, {}}; }
    static Value num(double v) { return {Kind::Number, v, nullptr, {}}; }
    static Value textRef(const QString *s) { return {Kind::Text, 0, s, {}}; }
    static Value text(QString s) { return {Kind::Text, 0, nullptr, std::move(s)}; }
    QStringView view() const { return ref ? QStringView(*ref) : QStringView(own); }
    bool isNull() const { return kind == Kind::Null; }
    bool isError() const { return kind == Kind::Error; }
};

enum class StaticKind { Any, Number, Text };

struct EvalContext {
    QString error;  // first error met
    bool entryMode; // rows are dictionary codes (working out a part once per distinct text)
    void fail(const QString &message) {
        if (error.isEmpty())
            error = message;
    }
};

Truth truthOf(const Value &v, int position, EvalContext &ctx) {
    switch (v.kind) {
    case Value::Kind::Null:
        return Truth::Null;
    case Value::Kind::Error:
        return Truth::Error;
    case Value::Kind::Number:
        return v.number != 0 ? Truth::True : Truth::False;
    case Value::Kind::Text:
        break;
    }
    double n = 0;
    if (!textToNumber(v.view(), n)) {
        ctx.fail(mismatchMessage(position));
        return Truth::Error;
    }
    return n != 0 ? Truth::True : Truth::False;
}

Value valueOf(Truth t) {
    switch (t) {
    case Truth::False:
        return Value::num(0);
    case Truth::True:
        return Value::num(-1); // as Jet's True
    case Truth::Null:
        return Value::null();
    case Truth::Error:
        break;
    }
    return Value::error();
}

class Node {
public:
    Node(int position, int column) : m_position(position), m_column(column) {}
    virtual ~Node() = default;

    virtual Value value(int row, EvalContext &ctx) const = 0;
    virtual void truth(const int *rows, int n, Truth *out, EvalContext &ctx) const {
        for (int i = 0; i < n; ++i)
            out[i] = truthOf(value(rows[i], ctx), m_position, ctx);
    }
    virtual StaticKind staticKind() const { return StaticKind::Any; }
    virtual bool isCondition() const { return false; }
    virtual bool isField() const { return false; }
    virtual const Value *constant() const { return nullptr; }

    int position() const { return m_position; }
    int column() const { return m_column; } // NoColumn, SeveralColumns or the one column used
    std::vector<std::unique_ptr<Node>> children;

protected:
    int m_position;
    int m_column;
};

using NodePtr = std::unique_ptr<Node>;

class ConditionNode : public Node {
public:
    using Node::Node;
    Value value(int row, EvalContext &ctx) const override {
        Truth t;
        truth(&row, 1, &t, ctx);
        return valueOf(t);
    }
    StaticKind staticKind() const override { return StaticKind::Number; }
    bool isCondition() const override { return true; }
};

class ConstNode : public Node {
public:
    ConstNode(int position, Value v) : Node(position, NoColumn), m_value(std::move(v)) {}
    Value value(int, EvalContext &) const override { return m_value; }
    StaticKind staticKind() const override {
        return m_value.kind == Value::Kind::Number ? StaticKind::Number
               : m_value.kind == Value::Kind::Text ? StaticKind::Text
                                                   : StaticKind::Any;
    }
    const Value *constant() const override { return &m_value; }

private:
    Value m_value;
};

class TextFieldNode : public Node {
public:
    TextFieldNode(int position, const Table &table, int column)
        : Node(position, column), m_table(table), m_codes(table.textCodes(column)) {}
    Value value(int row, EvalContext &ctx) const override {
        const std::uint32_t code = ctx.entryMode ? std::uint32_t(row) : m_codes[row];
        if (code == Table::NullCode)
            return Value::null();
        return Value::textRef(&m_table.entryText(m_column, code));
    }
    StaticKind staticKind() const override { return StaticKind::Text; }
    bool isField() const override { return true; }

private:
    const Table &m_table;
    const std::uint32_t *m_codes;
};

class NumberFieldNode : public Node {
public:
    NumberFieldNode(int position, const Table &table, int column)
        : Node(position, column), m_values(table.numbers(column)),
          m_nulls(table.numberNulls(column)) {}
    Value value(int row, EvalContext &) const override {
        if (m_nulls && m_nulls[row])
            return Value::null();
        return Value::num(m_values[row]);
    }
    StaticKind staticKind() const override { return StaticKind::Number; }
    bool isField() const override { return true; }
    const double *values() const { return m_values; }
    const std::uint8_t *nulls() const { return m_nulls; }

private:
    const double *m_values;
    const std::uint8_t *m_nulls;
};

// --- logic ---

class NotNode : public ConditionNode {
public:
    NotNode(int position, NodePtr a) : ConditionNode(position, a->column()) {
        children.push_back(std::move(a));
    }
    void truth(const int *rows, int n, Truth *out, EvalContext &ctx) const override {
        children[0]->truth(rows, n, out, ctx);
        for (int i = 0; i < n; ++i)
            if (out[i] == Truth::True || out[i] == Truth::False)
                out[i] = out[i] == Truth::True ? Truth::False : Truth::True;
    }
};

// AND and OR: the right side is worked out only for rows the left side leaves open.
class LogicNode : public ConditionNode {
public:
    LogicNode(int position, bool isAnd, NodePtr a, NodePtr b)
        : ConditionNode(position, joinColumns(a->column(), b->column())), m_isAnd(isAnd) {
        children.push_back(std::move(a));
        children.push_back(std::move(b));
    }
    void truth(const int *rows, int n, Truth *out, EvalContext &ctx) const override {
        children[0]->truth(rows, n, out, ctx);
        const Truth decided = m_isAnd ? Truth::False : Truth::True;
        std::vector<int> open, openRows;
        for (int i = 0; i < n; ++i)
            if (out[i] != decided) {
                open.push_back(i);
                openRows.push_back(rows[i]);
            }
        if (open.empty())
            return;
        std::vector<Truth> right(open.size());
        children[1]->truth(openRows.data(), int(open.size()), right.data(), ctx);
        for (std::size_t j = 0; j < open.size(); ++j)
            out[open[j]] = combine(out[open[j]], right[j]);
    }

private:
    bool m_isAnd;

    Truth combine(Truth a, Truth b) const {
        const Truth decided = m_isAnd ? Truth::False : Truth::True;
        if (b == decided)
            return decided;
        if (a == Truth::Error || b == Truth::Error)
            return Truth::Error;
        if (a == Truth::Null || b == Truth::Null)
            return Truth::Null;
        return a;
    }
};

// --- comparison ---

Truth compareResult(int c, CompareOp op) {
    bool r = false;
    switch (op) {
    case CompareOp::Equal:
        r = c == 0;
        break;
    case CompareOp::NotEqual:
        r = c != 0;
        break;
    case CompareOp::Less:
        r = c < 0;
        break;
    case CompareOp::Greater:
        r = c > 0;
        break;
    case CompareOp::LessEqual:
        r = c <= 0;
        break;
    case CompareOp::GreaterEqual:
        r = c >= 0;
        break;
    }
    return r ? Truth::True : Truth::False;
}

int compareNumbers(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// A number operand as a number; a text operand converted, failing for a text that is none.
bool numberOf(const Value &v, double &out) {
    if (v.kind == Value::Kind::Number) {
        out = v.number;
        return true;
    }
    return textToNumber(v.view(), out);
}

Truth compareValues(const Value &a, const Value &b, CompareOp op, int position, EvalContext &ctx) {
    if (a.isError() || b.isError())
        return Truth::Error;
    if (a.isNull() || b.isNull())
        return Truth::Null;
    if (a.kind == Value::Kind::Text && b.kind == Value::Kind::Text)
        return compareResult(a.view().compare(b.view(), Qt::CaseInsensitive), op);
    double x = 0, y = 0;
    if (!numberOf(a, x) || !numberOf(b, y)) {
        ctx.fail(mismatchMessage(position));
        return Truth::Error;
    }
    return compareResult(compareNumbers(x, y), op);
}

class CompareNode : public ConditionNode {
public:
    CompareNode(int position, CompareOp op, NodePtr a, NodePtr b)
        : ConditionNode(position, joinColumns(a->column(), b->column())), m_op(op) {
        children.push_back(std::move(a));
        children.push_back(std::move(b));
    }
    void truth(const int *rows, int n, Truth *out, EvalContext &ctx) const override {
        for (int i = 0; i < n; ++i)
            out[i] = compareValues(children[0]->value(rows[i], ctx),
                                   children[1]->value(rows[i], ctx), m_op, m_position, ctx);
    }

private:
    CompareOp m_op;
};

// A number column against a number: the common frequency and StationID criteria.
class CompareNumberFieldNode : public ConditionNode {
public:
    CompareNumberFieldNode(int position, CompareOp op, const NumberFieldNode &field, double v)
        : ConditionNode(position, field.column()), m_op(op), m_values(field.values()),
          m_nulls(field.nulls()), m_constant(v) {}
    void truth(const int *rows, int n, Truth *out, EvalContext &) const override {
        for (int i = 0; i < n; ++i) {
            const int row = rows[i];
            out[i] = m_nulls && m_nulls[row]
                         ? Truth::Null
                         : compareResult(compareNumbers(m_values[row], m_constant), m_op);
        }
    }

private:
    CompareOp m_op;
    const double *m_values;
    const std::uint8_t *m_nulls;
    double m_constant;
};

// --- arithmetic ---

class NegateNode : public Node {
public:
    NegateNode(int position, NodePtr a) : Node(position, a->column()) {
        children.push_back(std::move(a));
    }
    Value value(int row, EvalContext &ctx) const override {
        const Value v = children[0]->value(row, ctx);
        if (v.isNull() || v.isError())
            return v;
        double x = 0;
        if (!numberOf(v, x)) {
            ctx.fail(mismatchMessage(m_position));
            return Value::error();
        }
        return Value::num(-x);
    }
    StaticKind staticKind() const override { return StaticKind::Number; }
};

class ArithmeticNode : public Node {
public:
    ArithmeticNode(int position, bool isAdd, NodePtr a, NodePtr b)
        : Node(position, joinColumns(a->column(), b->column())), m_isAdd(isAdd) {
        children.push_back(std::move(a));
        children.push_back(std::move(b));
    }
    Value value(int row, EvalContext &ctx) const override {
        const Value a = children[0]->value(row, ctx);
        const Value b = children[1]->value(row, ctx);
        if (a.isError() || b.isError())
            return Value::error();
        if (a.isNull() || b.isNull())
            return Value::null();
        if (m_isAdd && a.kind == Value::Kind::Text && b.kind == Value::Kind::Text)
            return Value::text(a.view().toString().append(b.view())); // + joins two texts
        double x = 0, y = 0;
        if (!numberOf(a, x) || !numberOf(b, y)) {
            ctx.fail(mismatchMessage(m_position));
            return Value::error();
        }
        return Value::num(m_isAdd ? x + y : x - y);
    }
    StaticKind staticKind() const override {
        const bool texts = children[0]->staticKind() == StaticKind::Text &&
                           children[1]->staticKind() == StaticKind::Text;
        return m_isAdd && texts ? StaticKind::Any : StaticKind::Number;
    }

private:
    bool m_isAdd;
};

// --- functions ---

enum class Function { InStr, Val, Left, Right };

struct FunctionInfo {
    const char *name;
    Function function;
    int minArgs, maxArgs;
};

constexpr FunctionInfo functions[] = {{"instr", Function::InStr, 2, 3},
                                      {"val", Function::Val, 1, 1},
                                      {"left", Function::Left, 2, 2},
                                      {"right", Function::Right, 2, 2}};

QString textOf(const Value &v) {
    return v.kind == Value::Kind::Number ? numberText(v.number) : v.view().toString();
}

// A text operand as it is, a number as its text (kept in storage).
QStringView textView(const Value &v, QString &storage) {
    if (v.kind != Value::Kind::Number)
        return v.view();
    storage = numberText(v.number);
    return storage;
}

class CallNode : public Node {
public:
    CallNode(int position, Function f, std::vector<NodePtr> args)
        : Node(position, NoColumn), m_function(f) {
        for (auto &a : args) {
            m_column = joinColumns(m_column, a->column());
            children.push_back(std::move(a));
        }
    }

    Value value(int row, EvalContext &ctx) const override {
        std::vector<Value> args;
        args.reserve(children.size());
        for (const auto &c : children) {
            args.push_back(c->value(row, ctx));
            if (args.back().isError())
                return Value::error();
        }
        for (const Value &a : args)
            if (a.isNull())
                return Value::null();
        switch (m_function) {
        case Function::InStr:
            return inStr(args, ctx);
        case Function::Val:
            return Value::num(args[0].kind == Value::Kind::Number ? args[0].number
                                                                  : valOf(args[0].view()));
        case Function::Left:
        case Function::Right:
            return leftRight(args, ctx);
        }
        return Value::error();
    }

    StaticKind staticKind() const override {
        return m_function == Function::Left || m_function == Function::Right ? StaticKind::Text
                                                                             : StaticKind::Number;
    }

private:
    Function m_function;

    Value invalidCall(EvalContext &ctx) const {
        ctx.fail(QStringLiteral("Invalid procedure call at position %1").arg(m_position));
        return Value::error();
    }

    bool countOf(const Value &v, double &n, EvalContext &ctx) const {
        if (!numberOf(v, n)) {
            ctx.fail(mismatchMessage(m_position));
            return false;
        }
        n = std::nearbyint(n);
        return true;
    }

    Value inStr(const std::vector<Value> &args, EvalContext &ctx) const {
        double start = 1;
        std::size_t first = 0;
        if (args.size() == 3) {
            if (!countOf(args[0], start, ctx))
                return Value::error();
            if (start < 1)
                return invalidCall(ctx);
            first = 1;
        }
        QString hayText, needleText;
        const QStringView hay = textView(args[first], hayText);
        const QStringView needle = textView(args[first + 1], needleText);
        if (start > hay.size())
            return Value::num(0);
        const qsizetype at = hay.indexOf(needle, qsizetype(start) - 1, Qt::CaseInsensitive);
        return Value::num(double(at + 1));
    }

    Value leftRight(const std::vector<Value> &args, EvalContext &ctx) const {
        double n = 0;
        if (!countOf(args[1], n, ctx))
            return Value::error();
        if (n < 0)
            return invalidCall(ctx);
        const QString s = textOf(args[0]);
        const auto count = qsizetype(std::min<double>(n, double(s.size())));
        return Value::text(m_function == Function::Left ? s.left(count) : s.right(count));
    }
};

// --- parts worked out once per distinct text ---

class LiftedValueNode : public Node {
public:
    LiftedValueNode(const Node &original, const Table &table, std::vector<Value> cache,
                    QString error)
        : Node(original.position(), original.column()), m_kind(original.staticKind()),
          m_codes(table.textCodes(original.column())), m_cache(std::move(cache)),
          m_error(std::move(error)) {}
    Value value(int row, EvalContext &ctx) const override {
        const Value &v = m_cache[m_codes[row]];
        if (v.isError())
            ctx.fail(m_error);
        return v;
    }
    StaticKind staticKind() const override { return m_kind; }

private:
    StaticKind m_kind;
    const std::uint32_t *m_codes;
    std::vector<Value> m_cache;
    QString m_error;
};

class LiftedTruthNode : public ConditionNode {
public:
    LiftedTruthNode(const Node &original, const Table &table, std::vector<Truth> cache,
                    QString error)
        : ConditionNode(original.position(), original.column()),
          m_codes(table.textCodes(original.column())), m_cache(std::move(cache)),
          m_error(std::move(error)) {}
    void truth(const int *rows, int n, Truth *out, EvalContext &ctx) const override {
        for (int i = 0; i < n; ++i)
            out[i] = m_cache[m_codes[rows[i]]];
        if (!m_error.isEmpty())
            for (int i = 0; i < n; ++i)
                if (out[i] == Truth::Error) {
                    ctx.fail(m_error);
                    break;
                }
    }

private:
    const std::uint32_t *m_codes;
    std::vector<Truth> m_cache;
    QString m_error;
};

// --- building ---

struct CompileError {
    QString message;
};

class Builder {
public:
    explicit Builder(const Table &table) : m_table(table) {}

    NodePtr build(const Expr &e) {
        NodePtr n = buildNode(e);
        if (n->column() == NoColumn && !n->constant())
            return fold(std::move(n));
        return n;
    }

    // Replaces the largest parts that depend on one text column by per-text lookups.
    NodePtr lift(NodePtr n) {
        const int c = n->column();
        if (c >= 0 && m_table.isText(c) && !n->isField())
            return liftNode(*n);
        for (auto &child : n->children)
            child = lift(std::move(child));
        return n;
    }

private:
    const Table &m_table;

    NodePtr fold(NodePtr n) {
        EvalContext ctx{{}, false};
        Value v = n->value(0, ctx);
        if (v.isError())
            return n; // keep it: the error shows when a row needs it
        return std::make_unique<ConstNode>(n->position(), std::move(v));
    }

    std::vector<int> allCodes(int column) const {
        std::vector<int> codes(std::size_t(m_table.entryCount(column)));
        std::iota(codes.begin(), codes.end(), 0);
        return codes;
    }

    NodePtr liftNode(const Node &n) {
        const std::vector<int> codes = allCodes(n.column());
        EvalContext ctx{{}, true};
        if (n.isCondition()) {
            std::vector<Truth> cache(codes.size());
            n.truth(codes.data(), int(codes.size()), cache.data(), ctx);
            return std::make_unique<LiftedTruthNode>(n, m_table, std::move(cache), ctx.error);
        }
        std::vector<Value> cache;
        cache.reserve(codes.size());
        for (int code : codes)
            cache.push_back(n.value(code, ctx)); // dictionary texts outlive the cache
        return std::make_unique<LiftedValueNode>(n, m_table, std::move(cache), ctx.error);
    }

    NodePtr buildNode(const Expr &e) {
        switch (e.kind) {
        case Expr::Kind::Number:
            return std::make_unique<ConstNode>(e.position, Value::num(e.number));
        case Expr::Kind::Text:
            return std::make_unique<ConstNode>(e.position, Value::text(e.text));
        case Expr::Kind::Field:
            return field(e);
        case Expr::Kind::Not:
            return std::make_unique<NotNode>(e.position, build(*e.args[0]));
        case Expr::Kind::Negate:
            return std::make_unique<NegateNode>(e.position, build(*e.args[0]));
        case Expr::Kind::And:
        case Expr::Kind::Or:
            return std::make_unique<LogicNode>(e.position, e.kind == Expr::Kind::And,
                                               build(*e.args[0]), build(*e.args[1]));
        case Expr::Kind::Compare:
            return comparison(e);
        case Expr::Kind::Add:
        case Expr::Kind::Subtract:
            return std::make_unique<ArithmeticNode>(e.position, e.kind == Expr::Kind::Add,
                                                    build(*e.args[0]), build(*e.args[1]));
        case Expr::Kind::Call:
            return call(e);
        }
        throw CompileError{QStringLiteral("Unsupported expression at position %1").arg(e.position)};
    }

    NodePtr field(const Expr &e) {
        const int c = m_table.columnIndex(e.text);
        if (c < 0)
            throw CompileError{QStringLiteral("Unknown field name \"%1\" at position %2")
                                   .arg(e.text)
                                   .arg(e.position)};
        if (m_table.isText(c))
            return std::make_unique<TextFieldNode>(e.position, m_table, c);
        return std::make_unique<NumberFieldNode>(e.position, m_table, c);
    }

    static CompareOp mirrored(CompareOp op) {
        switch (op) {
        case CompareOp::Less:
            return CompareOp::Greater;
        case CompareOp::Greater:
            return CompareOp::Less;
        case CompareOp::LessEqual:
            return CompareOp::GreaterEqual;
        case CompareOp::GreaterEqual:
            return CompareOp::LessEqual;
        default:
            return op;
        }
    }

    // A text constant met by a number is converted once here rather than on every row.
    static void numberConstant(NodePtr &constant, const Node &other) {
        const Value *v = constant->constant();
        double x = 0;
        if (v && v->kind == Value::Kind::Text && other.staticKind() == StaticKind::Number &&
            textToNumber(v->view(), x))
            constant = std::make_unique<ConstNode>(constant->position(), Value::num(x));
    }

    NodePtr comparison(const Expr &e) {
        NodePtr a = build(*e.args[0]);
        NodePtr b = build(*e.args[1]);
        numberConstant(a, *b);
        numberConstant(b, *a);
        CompareOp op = e.op;
        if (a->constant() && b->isField()) {
            std::swap(a, b);
            op = mirrored(op);
        }
        const auto *numberField = dynamic_cast<const NumberFieldNode *>(a.get());
        const Value *v = b->constant();
        if (numberField && v && v->kind == Value::Kind::Number)
            return std::make_unique<CompareNumberFieldNode>(e.position, op, *numberField,
                                                            v->number);
        return std::make_unique<CompareNode>(e.position, op, std::move(a), std::move(b));
    }

    NodePtr call(const Expr &e) {
        for (const FunctionInfo &f : functions) {
            if (e.text.compare(QLatin1String(f.name), Qt::CaseInsensitive) != 0)
                continue;
            const int n = int(e.args.size());
            if (n < f.minArgs || n > f.maxArgs)
                throw CompileError{
                    QStringLiteral("Wrong number of arguments used with function \"%1\" at "
                                   "position %2")
                        .arg(e.text)
                        .arg(e.position)};
            std::vector<NodePtr> args;
            for (const auto &a : e.args)
                args.push_back(build(*a));
            return std::make_unique<CallNode>(e.position, f.function, std::move(args));
        }
        throw CompileError{QStringLiteral("Undefined function \"%1\" in expression at position %2")
                               .arg(e.text)
                               .arg(e.position)};
    }
};

} // namespace sql

Condition::Condition(std::unique_ptr<sql::Node> root) : m_root(std::move(root)) {}
Condition::~Condition() = default;
Condition::Condition(Condition &&) noexcept = default;
Condition &Condition::operator=(Condition &&) noexcept = default;

bool Condition::evaluate(const int *rows, int count, Truth *out, QString *error) const {
    sql::EvalContext ctx{{}, false};
    m_root->truth(rows, count, out, ctx);
    for (int i = 0; i < count; ++i)
        if (out[i] == Truth::Error) {
            if (error)
                *error = ctx.error.isEmpty() ? QStringLiteral("Data type mismatch") : ctx.error;
            return false;
        }
    return true;
}

CompiledCondition CompiledCondition::compile(const Table &table, const sql::Expr &expr) {
    try {
        sql::Builder builder(table);
        std::unique_ptr<sql::Node> root = builder.lift(builder.build(expr));
        return {std::shared_ptr<const Condition>(new Condition(std::move(root))), {}};
    } catch (const sql::CompileError &e) {
        return {nullptr, e.message};
    }
}

bool textToNumber(QStringView text, double &out) {
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    out = t.toDouble(&ok);
    return ok && std::isfinite(out);
}

double valOf(QStringView text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            s += c;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128)
        ++i;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
    }
    const qsizetype mantissaEnd = i;
    if (mantissaEnd - digitsStart == 0 ||
        (mantissaEnd - digitsStart == 1 && s[digitsStart] == u'.'))
        return 0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        if (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128)
                ++j;
            s[i] = u'e';
            i = j;
        }
    }
    const double v = QStringView(s).left(i).toDouble();
    return std::isfinite(v) ? v : 0;
}

} // namespace jet
