#pragma once

#include <QString>

namespace reference {

// FrmAbout's caption and its label, line by line.
inline const QString AboutCaption = QStringLiteral("Skedwise Database program");
QString aboutText();

// The help file shipped with the program, named at start.
inline const QString HelpFileName = QStringLiteral("SkedwiseHelp.html");

// What the help window shows when the help file is not there: where it looked.
QString missingHelpPage(const QString &helpFile);

} // namespace reference
