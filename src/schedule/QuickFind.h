#pragma once

#include "app/GridPort.h"

namespace schedule {

// One entry of the Find menu: what it asks and how it searches.
struct QuickFindEntry {
    QString prompt;
    QString title;
    QString notFoundText; // empty: a miss is not reported
    QString notFoundTitle;
};

// The entry of FindA index 0..5; index must be in range.
QuickFindEntry quickFindEntry(int index);

// The typed frequency as the finds compare it: ".0" added when there is no decimal point,
// upper-cased, right-aligned in 7 characters (longer texts cut).
QString quickFindFrequency(const QString &typed);

// The field a find of this index sorts by.
QString quickFindSortField(int index, bool utcShown);

// The find criterion for a prepared search text (apostrophes doubled); for index 0 the
// exact-frequency form, see nextFrequencyCriterion for the fallback.
QString quickFindCriterion(int index, const QString &searchStr, bool utcShown);
QString nextFrequencyCriterion(const QString &searchStr);

// Asks for a value, re-sorts by the searched field and scrolls the first match mid-window.
// Index 0 frequency, 1 station, 2 location, 3 start time, 4 ADM, 5 STN; others do nothing.
void FindA_Click(int index, app::GridPort &port);

} // namespace schedule
