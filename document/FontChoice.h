// A font as the appearance commands hold it: face, pixel height, colour and
// style, applied to editor text all at once.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCharFormat>

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
// Every character attribute of the choice, so applying it replaces all of them.
QTextCharFormat ToCharFormat(const FontChoice& choice);

}  // namespace tallyrix
