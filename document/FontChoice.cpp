#include "document/FontChoice.h"

#include <cmath>

namespace tallyrix {

FontChoice DefaultEditorFont()
{
    return FontChoice{QStringLiteral("ＭＳ ゴシック"), 13, Qt::black, false, false, false, false};
}

FontChoice DefaultCommentFont()
{
    return FontChoice{QStringLiteral("ＭＳ ゴシック"), 13, QColor(0, 0, 255), true, false, false, false};
}

QFont ToQFont(const FontChoice& choice)
{
    QFont font(choice.name);
    font.setPixelSize(choice.height);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikeOut);
    return font;
}

FontChoice FromQFont(const QFont& font, const QColor& color)
{
    const int height = font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * 96.0 / 72.0);
    return FontChoice{font.family(), height, color, font.bold(), font.italic(), font.underline(), font.strikeOut()};
}

QTextCharFormat ToCharFormat(const FontChoice& choice)
{
    QTextCharFormat format;
    format.setFont(ToQFont(choice), QTextCharFormat::FontPropertiesAll);
    format.setForeground(choice.color);
    return format;
}

int PointsToPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

const std::vector<double>& StandardPointSizes()
{
    static const std::vector<double> sizes{8, 9, 10, 10.5, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

// Several half points may give one pixel height (14 and 14.5 both give 19):
// a size of the list wins, as the one the user most likely chose, then a
// whole size, then the nearest.
double PixelsToPoints(int pixels)
{
    const double exact = pixels * 72.0 / 96.0;
    for (const double points : StandardPointSizes())
        if (PointsToPixels(points) == pixels) return points;
    const double whole = std::round(exact);
    if (PointsToPixels(whole) == pixels) return whole;
    return std::round(exact * 2.0) / 2.0;
}

}  // namespace tallyrix
