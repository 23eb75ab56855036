// A font as the appearance commands hold it: face, pixel height, colour and
// style, applied to editor text all at once.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <vector>

namespace tallyrix {

struct FontChoice {
    QString name;
    int height = 13;  // pixels
    QColor color = Qt::black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The editor font at design time.
FontChoice DefaultEditorFont();
// The comment font at design time: bold blue.
FontChoice DefaultCommentFont();

QFont ToQFont(const FontChoice& choice);
FontChoice FromQFont(const QFont& font, const QColor& color);
// Sizes are offered in points, as a Japanese desktop shows them, and held
// in pixels at 96 pixels per inch: 10 points are 13 pixels, 10.5 are 14.
int PointsToPixels(double points);
// The size in half points that gives the pixel height, as the user chose
// it: sizes of the usual list first.
double PixelsToPoints(int pixels);
// The sizes a font dialog lists, in points.
const std::vector<double>& StandardPointSizes();

// Every character attribute of the choice, so applying it replaces all of them.
QTextCharFormat ToCharFormat(const FontChoice& choice);

}  // namespace tallyrix
