#pragma once

#include "imports/HfccTables.h"
#include "imports/ImportMachine.h"

namespace hfcc {

// HFCC's days, 1 = Sunday ... 7 = Saturday, as this schedule's 1 = Monday ... 7 = Sunday in
// ascending order ("23456" -> "12345"); nothing when the text is not made of those digits.
std::optional<QString> daysDigits(const QString &hfccDays);

// The zone numbers of a CIRAF list ("4,9,27SE,37-39"); nothing when a part is not a zone.
std::optional<QList<int>> cirafZones(const QString &list);

// The HFCC season schedule as a source of the import machine: the published zip
// (a26allx2.zip) or its extracted A26all00.TXT with the code tables beside it.
imports::ScheduleReader scheduleReader();

} // namespace hfcc
