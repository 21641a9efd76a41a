#pragma once

#include <QLocale>
#include <QString>
#include <QVector>

namespace jet {

// How the engine treats a column's values. The file's own type is kept in sourceType
// (libmdb's MDB_* code, 0 when unknown) for tools that show it.
enum class ColumnKind { Number, Text };

struct Column {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    int sourceType = 0;
    int size = 0; // declared size in the file (characters for Text, bytes otherwise)
};

// One value: Null, a number or a text. Null and the empty text are different values.
struct Cell {
    enum class Kind : unsigned char { Null, Number, Text };
    Kind kind = Kind::Null;
    double number = 0;
    QString text;

    static Cell null() { return {}; }
    static Cell fromNumber(double v) { return {Kind::Number, v, {}}; }
    static Cell fromText(QString s) { return {Kind::Text, 0, std::move(s)}; }
    bool isNull() const { return kind == Kind::Null; }
    bool isNumber() const { return kind == Kind::Number; }
    bool isText() const { return kind == Kind::Text; }
    bool operator==(const Cell &o) const {
        return kind == o.kind && (kind != Kind::Number || number == o.number) &&
               (kind != Kind::Text || text == o.text);
    }
};

// Shortest decimal text of a number ("9575", "5005.5"), as the program shows numbers.
QString numberText(double v);

// The text form a cell shows in the grid and in exports: "" for Null.
QString displayText(const Cell &c);

} // namespace jet
