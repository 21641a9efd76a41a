#pragma once

#include "app/Paths.h"

#include <QString>
#include <QStringList>

namespace reference {

// The six option buttons of FrmLegends (XOption index).
enum LegendOption {
    ModeOption = 0,
    StatusOption,
    ProgramOption,
    ContOption,
    AdmOption,
    CirafOption
};

inline const QString CodesFile = QStringLiteral("Codes.txt");
inline const QString CirafFile = QStringLiteral("CIRAF.txt");

// The built-in legend of options 0 to 3, lines joined by CR LF; empty for other indices.
QString legendText(int index);

// One list of LoadLList: each line of the file without its leading and trailing blanks,
// sorted as the list files them. A file that cannot be read gives no entries and a
// one-line note naming it.
struct LegendList {
    QStringList entries;
    QString note;
};
LegendList LoadLList(const QString &ABString);

// What the legends window shows; the window implements it.
class LegendsView {
public:
    virtual ~LegendsView() = default;
    virtual void setListEntries(const QStringList &entries) = 0;
    virtual void setListEnabled(bool enabled) = 0;
    virtual void setLegendText(const QString &text) = 0;
    virtual void setNote(const QString &note) = 0; // "" hides it
};

// XOption_Click: a text legend for 0 to 3, a list for 4 and 5 (the listener's copy of the
// file when there is one, else the shipped one).
void XOption_Click(LegendsView &view, const app::Paths &paths, int index);

} // namespace reference
