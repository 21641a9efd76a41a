#pragma once

#include "export/AtomicFile.h"
#include "export/ExportPort.h"
#include "logbook/LogReader.h"

#include <QHash>

namespace exporting {

// The reception log for other programs: CSV for spreadsheets (RFC 4180: UTF-8, CR LF, a
// heading line, fields with a comma, quote or line break quoted) and ADIF 3.1 (.adi) for
// loggers.
enum class LogExportKind { Csv, Adif };

// ITU country code to country name, as Codes.txt beside the program lists them.
using CountryNames = QHash<QString, QString>;
CountryNames readCountryNames(const QString &codesFile);

QString csvHeading();
QString csvLine(const logbook::LogRows &log, qsizetype row);

// ADIF's strings are ASCII: accents are dropped ("Rádio" gives "Radio") and a character
// without an ASCII form becomes "?", so that every field's length counts its bytes too.
QString adifAscii(const QString &text);
QString adifHeader(const QString &programVersion);
// One record per entry ("" for a line that is not one): QSO_DATE, TIME_ON, TIME_OFF, FREQ in
// MHz, MODE (AM, FM, CW, SSB with SUBMODE USB or LSB; another mode goes to COMMENT), CALL the
// station, COUNTRY from the ADM, RST_RCVD the SINPO code, COMMENT the remarks, SWL Y.
QString adifRecord(const logbook::LogRows &log, qsizetype row, const CountryNames &countries);

// The kind a chosen name's extension (.csv, .adi, .adif) says, else the one chosen in the
// dialog, with its extension then added.
std::pair<QString, LogExportKind> logExportTarget(const QString &chosen, LogExportKind chosenKind);

struct LogExportResult {
    WriteOutcome outcome;
    int written = 0;
    int leftOut = 0; // lines that are not entries, which an ADIF file cannot hold
};

// Writes the rows atomically where app::resolveWriteTarget says.
LogExportResult writeLogExport(const QString &path, LogExportKind kind,
                               const logbook::LogRows &rows, const CountryNames &countries,
                               const QString &programVersion, ProgressReporter &progress);

} // namespace exporting
