#include "app/SqlText.h"

namespace app {

QString sqlValue(const QString &value) {
    QString v = value;
    return v.replace(u'\'', QStringLiteral("''"));
}

} // namespace app
