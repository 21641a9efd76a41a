#include "reference/SingleRecord.h"

#include "geo/GreatCircle.h"

namespace reference {

const QVector<RecordBox> &recordBoxes() {
    static const QString utcTip = QStringLiteral(" Format is HHMM-HHMM ");
    static const QString timeTip = QStringLiteral(" Format is HHMM ");
    static const QVector<RecordBox> boxes = {
        {"Azi:", "Azi", 3, true, {}},
        {"Country:", "Country", 17, false, {}},
        {"Days:", "Days", 7, true, {}},
        {"Freq:", "Freq", 7, true, {}},
        {"Graphic:", "Graphic", 48, false, {}},
        {"ADM:", "ADM", 3, true, {}},
        {"Lang:", "Language", 17, false, {}},
        {"Lat:", "Lati", 5, true, {}},
        {"Loc:", "Location", 20, false, {}},
        {"Long:", "Longi", 6, true, {}},
        {"P:", "P", 1, true, {}},
        {"Power:", "Power", 7, false, {}},
        {"Program:", "Program", 20, false, {}},
        {"Region:", "Region", 20, false, {}},
        {"Remarks:", "Remarks", 11, false, {}},
        {"Station:", "Station", 20, false, {}},
        {"", "StationID", 10, false, {}},
        {"STN:", "STN", 5, true, {}},
        {"Target:", "Target", 7, false, {}},
        {"TargetAll:", "TargetAll", 18, false, {}},
        {"UTC:", "UTC", 9, true, utcTip},
        {"UTCB:", "UTCB", 5, true, timeTip},
        {"UTCE:", "UTCE", 5, true, timeTip},
        {"Status", "Status", 0, true, {}},
        {"Modulation", "Mode", 0, true, {}},
        {"CIRAF", "CIRAF", 30, false, {}},
        {"LC", "LC", 0, true, {}},
    };
    return boxes;
}

QStringList pathLines(const QString &myLocation, const QString &lati, const QString &longi) {
    const auto listener = geo::locationFromText(myLocation);
    const auto site = geo::siteFromTexts(lati, longi);
    if (!listener || !site)
        return {};
    return {QStringLiteral("Distance: ") + geo::distanceText(geo::distanceKm(*listener, *site)),
            QStringLiteral("Bearing: ") + geo::bearingText(geo::initialBearing(*listener, *site))};
}

QString singleRecordSource(qint32 stationId) {
    return QStringLiteral("Select * From MyDataTable Where StationID = ") +
           QString::number(stationId) + u' ';
}

SingleRecordReader::SingleRecordReader(jet::TableProvider &tables) : m_data(tables) {}

bool SingleRecordReader::open(const QString &databaseFile, qint32 stationId, QString *error) {
    m_data.setDatabaseName(databaseFile);
    m_data.setRecordSource(singleRecordSource(stationId));
    return m_data.refresh(error);
}

QStringList SingleRecordReader::boxTexts() const {
    QStringList texts;
    const jet::RecordSet &records = m_data.recordset();
    for (const RecordBox &box : recordBoxes())
        texts.append(jet::displayText(records.field(box.field)));
    return texts;
}

void SingleRecordReader::close() {
    m_data.close();
}

} // namespace reference
