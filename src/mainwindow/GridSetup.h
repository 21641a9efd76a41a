#pragma once

#include "app/ProgramState.h"

#include <QStringList>

#include <array>
#include <optional>

namespace mainwindow {

// A named cell look of the grid; unset parts keep the grid's own.
struct StyleSetLook {
    QString name;
    int back = 0;
    std::optional<int> fore;
    std::optional<bool> bold;
};

// Sets the four style-set names the row styling hands out.
void setStyleNames(app::ProgramState &state);

// "RedNormal", "BlueBold", "RedBold" and "PaleGreen" from the colour and font settings.
std::array<StyleSetLook, 4> styleSetLooks(const app::ProgramState &state);

// Font names and point sizes the "Font Styles" and "Grid Font Size" menus stand for.
inline const QStringList FontNameChoices = {
    QStringLiteral("Courier"), QStringLiteral("Courier New"), QStringLiteral("Lucida Console"),
    QStringLiteral("MS Serif")};
inline constexpr std::array<int, 11> FontSizeChoices = {7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24};

// Check marks of the two font menus; -1 checks nothing. "7 pt." exists only in "MS Serif".
struct FontMenuMarks {
    int checkedName = -1;
    int checkedSize = -1;
    bool sevenEnabled = true;
};
FontMenuMarks fontMenuMarks(const QString &fontName, const QString &fontSize);

// Vertical layout of the main window for its outer height, all in twips.
struct MainLayout {
    double gridHeight = 0;
    double buttonTop = 0;
};
MainLayout mainLayout(double outerHeight);

} // namespace mainwindow
