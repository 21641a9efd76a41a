#include "reference/AboutHelp.h"

#include "app/Version.h"

#include <QDir>
#include <QStringList>

namespace reference {

QString aboutText() {
    return QStringList{
        QStringLiteral("Skedwise"),
        QStringLiteral("Version ") + app::programVersion(),
        QString(),
        QStringLiteral("1999, 2000 and since: the Skedwise project"),
        QString(),
        QStringLiteral("Database available at:"),
        QStringLiteral("https://www.eibispace.de/"),
        QStringLiteral("https://www.eibispace.de/dx/"),
    }
        .join(u'\n');
}

QString missingHelpPage(const QString &helpFile) {
    return QStringLiteral("<h2>Help is not available</h2><p>The help file was looked for at "
                          "<b>%1</b> and is not there. Build or install the program again so "
                          "that it is there.</p>")
        .arg(QDir::toNativeSeparators(helpFile).toHtmlEscaped());
}

} // namespace reference
