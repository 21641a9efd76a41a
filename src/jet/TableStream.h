#pragma once

#include "jet/MdbReader.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <string>

namespace jet {

// The table reader worker's output: "SKJT" and a version byte, then records of one tag
// byte each: 'C' the columns, 'R' one row per record, and finally 'E' (end, with the row
// count) or 'F' (failure, with a ReadStatus and a message). Little-endian throughout.
// Cells: 0 Null, 1 number (8-byte double), 2 text (4-byte length, UTF-8).
class TableStreamWriter : public RowSink {
public:
    using Output = std::function<void(const char *data, size_t size)>;
    explicit TableStreamWriter(Output output);
    ~TableStreamWriter() override;

    void begin();
    void columns(const QVector<Column> &columns);
    void null() override;
    void number(double value) override;
    void text(const char *utf8, qsizetype size) override;
    void endRow() override;
    void finish();
    void fail(ReadStatus status, const QByteArray &message);
    void flush();

private:
    void put(const void *data, size_t size);
    void putU8(quint8 v) { put(&v, 1); }
    void putU16(quint16 v);
    void putU32(quint32 v);
    void putU64(quint64 v);
    void startRowIfNeeded();

    Output m_output;
    std::string m_buffer;
    quint64 m_rows = 0;
    bool m_inRow = false;
};

// Rebuilds the table from a worker's bytes as they arrive. Trusts nothing: a stream that
// is cut, malformed or out of bounds ends in Invalid, never in a crash or a huge allocation.
class TableStreamDecoder {
public:
    enum class State { Reading, Finished, Failed, Invalid };

    TableStreamDecoder();
    ~TableStreamDecoder();

    State feed(const QByteArray &bytes);
    State endOfInput(); // no more bytes: a stream still Reading is cut short
    State state() const { return m_state; }
    ReadStatus failure() const { return m_failure; }     // when Failed
    const QString &problem() const { return m_problem; } // when Invalid or Failed
    qint64 rowCount() const;
    std::unique_ptr<Table> takeTable(); // when Finished

private:
    struct Cursor;
    enum class Step { Done, NeedMore, Bad };
    void decodeAvailable();
    Step decodeRecord(Cursor &c);
    Step decodeMagic(Cursor &c);
    Step decodeColumns(Cursor &c);
    Step decodeRow(Cursor &c);
    Step decodeEnd(Cursor &c);
    Step decodeFailure(Cursor &c);
    Step invalid(const QString &why);

    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_magicSeen = false;
    State m_state = State::Reading;
    ReadStatus m_failure = ReadStatus::Ok;
    QString m_problem;
    std::unique_ptr<Table> m_table;
    std::vector<Cell> m_row;
    class TextCache;
    std::vector<TextCache> m_textCaches; // one per column
};

} // namespace jet
