#pragma once

#include "jet/SqlParser.h"
#include "jet/Table.h"

#include <cstdint>
#include <memory>

namespace jet {

// Three-valued logic, plus Error for a row whose condition the engine cannot work out
// (a text that is not a number where a number is needed).
enum class Truth : std::uint8_t { False, True, Null, Error };

namespace sql {
class Node;
}

// A condition compiled against one table. Parts that depend on one text column only are
// worked out once per distinct text of that column, so evaluating a row is mostly lookups.
class Condition {
public:
    ~Condition();
    Condition(Condition &&) noexcept;
    Condition &operator=(Condition &&) noexcept;

    // The truth for each of the rows (table row indexes); false with a message when a row
    // that mattered hit an error.
    bool evaluate(const int *rows, int count, Truth *out, QString *error) const;

private:
    friend struct CompiledCondition;
    explicit Condition(std::unique_ptr<sql::Node> root);
    std::unique_ptr<sql::Node> m_root;
};

struct CompiledCondition {
    std::shared_ptr<const Condition> condition; // null on error
    QString error;                              // unknown field or function, wrong arguments
    bool ok() const { return condition != nullptr; }

    static CompiledCondition compile(const Table &table, const sql::Expr &expr);
};

// The leading number of a text as Val() reads it: blanks skipped, 0 when there is none.
double valOf(QStringView text);
// A text that is a number as a whole (blanks around allowed); false when it is not.
bool textToNumber(QStringView text, double &out);

} // namespace jet
