#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "app/SqlText.h"
#include "jet/DataSource.h"

#include <QStringList>

#include <array>
#include <functional>

namespace schedule {

using app::sqlValue;

// A typed frequency in the filters' form: pattern "#0000.00" (a text that is not a number
// stays as typed), one blank in front when shorter than 8 characters.
QString filterFrequency(const QString &typed);

// The values of field for the rows of sql, in order, leaving out Nulls and the
// "...    " placeholders; empty when the query fails.
QStringList listValues(jet::DataSource &source, const QString &sql, const QString &field);

// Combo boxes of the query dialog, by index.
enum QueryField { LanguageField, StationField, CountryField, AdmField, TargetField, ProgramField };
constexpr int QueryFieldCount = 6;

// The kinds of frequency condition, by option-button index.
enum class FreqOption { Single = 0, Range = 1, None = 2 };

// Frequency text boxes, by index.
enum FreqText { SingleFreqText, FromFreqText, ToFreqText };

// What the query dialog holds when Done is pressed.
struct QueryForm {
    std::array<QString, QueryFieldCount> combo;
    std::array<bool, QueryFieldCount> negated{};
    FreqOption freqOption = FreqOption::None;
    std::array<QString, 3> freqText;
    int languageListIndex = -1; // position of the language in its list; -1 when typed
};

// How Done ends: the dialog is hidden, or stays open with the focus on a frequency box.
enum class DoneOutcome { Hide, FocusFromFreq, FocusSingleFreq };

// Composes SQLStr and FilterStr from the form. moveLanguageSelector receives the selector's
// list position for a chosen language (0 is "ALL") while LangSync is set.
DoneOutcome CmdDone_Click(app::ProgramState &state, const QueryForm &form, app::Prompts &prompts,
                          const std::function<void(int)> &moveLanguageSelector);

// The listed entries of the Program box: code, one blank, type name (Time Signal left out).
QStringList programEntries(const schedule::CodeTables &codes);

} // namespace schedule
