#pragma once

#include "schedule/FilterPort.h"

namespace schedule {

// The texts a one-value filter of the Filter By menu is built from.
struct OneValueFilter {
    QString prompt;
    QString title;
    QString tailHead;    // SELECT tail up to the value
    QString tailEnd;     // SELECT tail after the value
    QString description; // FilterStr line up to the value
    QString descriptionEnd;
};

// The filter of FindNow index 3, 5, 6, 7, 9, 10 or 11; nullptr for other indices.
const OneValueFilter *oneValueFilter(int index);

// "Filter By" menu: 0 query dialog, 1 nothing (submenu), 2 language selector, 3..11 filters.
void FindNow_Click(int index, FilterPort &port);

// "Program" submenu: filters on the program type code of entry 1..13.
void Progs_Click(int index, FilterPort &port);

// What FindNow_Click(0) does once the query dialog is hidden.
void applyQueryDialogResult(FilterPort &port);

// Language selector: a picked entry matches languages containing it, an entered one only
// equal languages. Both show the result and describe it in FilterStr.
void languagePicked(FilterPort &port, const QString &language);
void languageEntered(FilterPort &port, const QString &language);

// The SELECT texts of the two language paths.
QString languageContainsSql(const QString &fieldList, const QString &language);
QString languageEqualsSql(const QString &fieldList, const QString &language);

} // namespace schedule
