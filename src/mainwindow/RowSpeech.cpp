#include "mainwindow/RowSpeech.h"

namespace mainwindow {

namespace {

// "0600-0700" is read as a subtraction; "0600 to 0700" is what the listener means.
QString timeSpan(const QString &from, const QString &to) {
    return from + QStringLiteral(" to ") + to + QStringLiteral(" UTC");
}

} // namespace

QString rowSpeech(const QStringList &fieldNames, int column,
                  const std::function<QString(int)> &cellText) {
    auto text = [&](const char *field) {
        for (int column = 0; column < fieldNames.size(); ++column)
            if (fieldNames[column].compare(QLatin1String(field), Qt::CaseInsensitive) == 0)
                return cellText(column).trimmed();
        return QString();
    };
    QStringList parts;
    auto add = [&parts](const QString &part) {
        if (!part.isEmpty())
            parts << part;
    };
    add(text("Station"));
    const QString freq = text("Freq");
    add(freq.isEmpty() ? QString() : freq + QStringLiteral(" kHz"));
    const QString utc = text("UTC");
    if (utc.size() == 9 && utc[4] == u'-')
        add(timeSpan(utc.left(4), utc.mid(5)));
    else if (!text("UTCB").isEmpty() && !text("UTCE").isEmpty())
        add(timeSpan(text("UTCB"), text("UTCE")));
    else
        add(utc);
    add(text("Language"));
    static const QStringList spoken = {"StationID", "Station", "Freq",    "UTC",
                                       "UTCB",      "UTCE",    "Language"};
    const QString own = fieldNames.value(column);
    if (!own.isEmpty() && !spoken.contains(own, Qt::CaseInsensitive))
        add(cellText(column).trimmed().isEmpty() ? QString()
                                                 : own + u' ' + cellText(column).trimmed());
    return parts.join(QStringLiteral(", "));
}

} // namespace mainwindow
