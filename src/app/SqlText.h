#pragma once

#include <QString>

namespace app {

// A typed or stored value made safe between apostrophes of a SQL text or criterion: every
// apostrophe doubled. The one helper for every value that enters SQL.
QString sqlValue(const QString &value);

} // namespace app
