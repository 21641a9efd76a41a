#pragma once

#include "jet/DataSource.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace reference {

// One labelled box of the single-record window (frmILGDataTable).
struct RecordBox {
    QString caption; // empty: captioned by the plain label instead
    QString field;
    int limit = 0; // most characters the box accepts; 0 = no limit
    bool centred = false;
    QString toolTip;
};

// The 27 boxes, by box index (Txtfields 0 to 26).
const QVector<RecordBox> &recordBoxes();
inline constexpr int GraphicBox = 4;
inline constexpr int StationIdBox = 16;

// Shown under the Graphic box so that its 48 characters read as half-hour steps.
inline const QString HourScale =
    QStringLiteral("00           06          12          18          24 hr");

QString singleRecordSource(qint32 stationId);

// The two lines under the fields, "Distance: 1,234 km" and "Bearing: 57°", from the listener
// (a locator or degrees, as kept in the settings) to the row's site; none when either is
// unknown.
QStringList pathLines(const QString &myLocation, const QString &lati, const QString &longi);
inline constexpr int LatiBox = 7;
inline constexpr int LongiBox = 9;

// Data1 of the window: the database beside the program, one record by StationID.
class SingleRecordReader {
public:
    explicit SingleRecordReader(jet::TableProvider &tables);

    // Reads the record (Form_Load). On failure the boxes stay empty and error says why.
    bool open(const QString &databaseFile, qint32 stationId, QString *error = nullptr);
    // One text per box: the field's value of the current record, "" for Null or no record.
    QStringList boxTexts() const;
    void close(); // releases the database ("Close")

private:
    jet::DataSource m_data;
};

} // namespace reference
