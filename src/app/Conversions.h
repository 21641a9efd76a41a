#pragma once

#include <QString>

#include <optional>

namespace app {

// The leading number of a text, as Basic's Val reads it: blanks are skipped, digits are
// read up to the first character that cannot continue a number; no number gives 0.
double leadingNumber(const QString &text);

// The whole text as a number (blanks around allowed); nullopt when it is not one.
std::optional<double> parseNumber(const QString &text);

// Rounding to the nearest integer with halves going to the even neighbour;
// nullopt when the result does not fit.
std::optional<qint16> roundToInt16(double v);
std::optional<qint32> roundToInt32(double v);

// "True"/"False" in any letter case, or a number (true when not zero).
std::optional<bool> parseFlag(const QString &text);

QString flagText(bool v);
// Real numbers in decimal with up to 15 significant digits.
QString realText(double v);

// A stored length in twips shown in whole pixels. Saving a length whose pixels were not
// changed gives back the stored twips, so a window left alone does not shrink by rounding.
class TwipsLength {
public:
    TwipsLength(double twips, double twipsPerPixel);
    int pixels() const { return m_pixels; }
    double twipsFor(int pixels) const;

private:
    double m_twips;
    double m_twipsPerPixel;
    int m_pixels;
};

} // namespace app
