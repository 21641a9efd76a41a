#pragma once

#include "jet/Cell.h"

#include <QByteArray>

#include <vector>

namespace jet::jet4 {

// Jet column type codes (the values libmdb calls MDB_*).
enum TypeCode : quint8 {
    Integer = 0x03,
    LongInteger = 0x04,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
};

// One column as it is laid out in a Jet 4 row.
struct FieldLayout {
    QString name;
    quint8 type = Text;
    int sizeBytes = 0; // declared length in bytes (Text: 2 per character)
    bool fixed = false;
    int fixedOffset = 0; // fixed columns: offset after the column count
    int varIndex = 0;    // variable columns: slot in the offset table
    int number = 0;      // column number (null mask bit)
};

// Lays out columns given as (name, type, declared size in characters or bytes).
// Returns an empty list with error set for a type the writer cannot store.
std::vector<FieldLayout> layoutFields(const QVector<Column> &columns, QString *error);

// Jet 4 text bytes: compressed Unicode (0xFF 0xFE, then one byte per Latin-1
// character, a 0x00 switching to and from two-byte characters) when that is shorter
// and representable, UCS-2 little endian otherwise.
QByteArray encodeText(const QString &text);

// Encodes one row into out (replacing its content). Returns false with a message
// naming the column when a cell does not fit its column.
bool encodeRow(const std::vector<FieldLayout> &fields, const std::vector<Cell> &cells,
               QByteArray &out, QString *error);

void put16(QByteArray &buf, int offset, quint16 v);
void put32(QByteArray &buf, int offset, quint32 v);

} // namespace jet::jet4
