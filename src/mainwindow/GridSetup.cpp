#include "mainwindow/GridSetup.h"

#include "app/Conversions.h"

namespace mainwindow {

void setStyleNames(app::ProgramState &s) {
    s.RedNormalStyle = QStringLiteral("RedNormal");
    s.BlueBoldStyle = QStringLiteral("BlueBold");
    s.RedBoldStyle = QStringLiteral("RedBold");
    s.PaleGreenStyle = QStringLiteral("PaleGreen");
}

std::array<StyleSetLook, 4> styleSetLooks(const app::ProgramState &s) {
    const bool markedBold = app::parseFlag(s.FontIsBold).value_or(false);
    return {
        StyleSetLook{QStringLiteral("RedNormal"), s.GridBackColor, s.OnAirNormColor, false},
        StyleSetLook{QStringLiteral("BlueBold"), s.MarkedRowBackColor, s.OnAirSelectColor,
                     markedBold},
        StyleSetLook{QStringLiteral("RedBold"), s.MarkedRowBackColor, s.OnAirNormColor, markedBold},
        StyleSetLook{QStringLiteral("PaleGreen"), s.MarkedRowBackColor, std::nullopt,
                     std::nullopt}};
}

FontMenuMarks fontMenuMarks(const QString &fontName, const QString &fontSize) {
    FontMenuMarks marks;
    marks.checkedName = int(FontNameChoices.indexOf(fontName));
    const std::optional<double> size = app::parseNumber(fontSize);
    if (!size)
        return marks;
    if (*size == 7) {
        marks.sevenEnabled = fontName == u"MS Serif";
        marks.checkedSize = marks.sevenEnabled ? 0 : -1;
        return marks;
    }
    for (int item = 1; item < int(FontSizeChoices.size()); ++item)
        if (*size == FontSizeChoices[item])
            marks.checkedSize = item;
    return marks;
}

MainLayout mainLayout(double outerHeight) {
    // Between 1100 and 1200 the rule would give a negative height: the grid shrinks to none.
    const double grid = outerHeight > 1100 ? std::max(outerHeight - 1200, 0.0) : 1100;
    return {grid, outerHeight - 1120};
}

} // namespace mainwindow
