#include "reference/Legends.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace reference {
namespace {

const QString CrLf = QStringLiteral("\r\n");

QString joined(const QStringList &lines, bool endLast) {
    return lines.join(CrLf) + (endLast ? CrLf : QString());
}

QString modeLegend() {
    return joined({"Mode definitions", "", "D - AM", "N - Digital", "L - LSB Lower Sideband",
                   "U - USB Upper sideband", "S - SSB reduced carier -12db",
                   "T - SSB reduced carier -6db"},
                  false);
}

QString statusLegend() {
    return joined({"Status Definitions", "", "C - Confirmed", "E - Estimated", "I - inactive",
                   "N - NOT Confirmed", "P - Planned"},
                  false);
}

QString programLegend() {
    return joined({"Program Definitions", "", "N  News Bulletin/Information", "C  Classic Programs",
                   "E  Language Lesson", "H  Home Service", "L  Local Service", "M  Music",
                   "P  Pop Music", "R  Religious Program", "S  Sports Report",
                   "U  Underground/Clandestine/Pirate Radio", "X  Mixed Programs",
                   "= Time/Frequency Standard"},
                  true);
}

QString continentLegend() {
    return joined({"Continent Abreviations", "", "AF  Africa", "AS  Asia", "AU  Australia",
                   "CA  Central America", "EU  Europe", "ME  Middle East", "NA  North America",
                   "PA  Pacific Ocean", "SA  South America", "e  east", "w  west", "s  south",
                   "n  north", "ne  north east", "nw  north west", "se  south east",
                   "sw  south west"},
                  true);
}

// The list box files its entries alphabetically, letter case aside.
void sortAsListBox(QStringList &entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

} // namespace

QString legendText(int index) {
    switch (index) {
    case ModeOption:
        return modeLegend();
    case StatusOption:
        return statusLegend();
    case ProgramOption:
        return programLegend();
    case ContOption:
        return continentLegend();
    default:
        return {};
    }
}

LegendList LoadLList(const QString &ABString) {
    QFile file(ABString);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QFileInfo info(ABString);
        const QString why = info.exists() ? QStringLiteral("%1 could not be read in %2.")
                                          : QStringLiteral("%1 was not found in %2.");
        return {{}, why.arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()))};
    }
    LegendList list;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line))
        list.entries.append(line.trimmed());
    sortAsListBox(list.entries);
    return list;
}

void XOption_Click(LegendsView &view, const app::Paths &paths, int index) {
    if (index >= ModeOption && index <= ContOption) {
        view.setLegendText(legendText(index));
        return;
    }
    if (index != AdmOption && index != CirafOption)
        return;
    view.setListEntries({});
    view.setListEnabled(false);
    const LegendList list = LoadLList(paths.fileToRead(index == AdmOption ? CodesFile : CirafFile));
    view.setListEntries(list.entries);
    view.setNote(list.note);
    view.setListEnabled(true);
}

} // namespace reference
