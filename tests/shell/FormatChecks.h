// What the editor font and the comment font look like in a character format.
#pragma once

#include <QColor>
#include <QFont>
#include <QTextCharFormat>

namespace tallyrix::test {

inline bool IsCommentFormat(const QTextCharFormat& format)
{
    return format.fontWeight() == QFont::Bold && format.foreground().color() == QColor(0, 0, 255);
}

inline bool IsEditorFormat(const QTextCharFormat& format)
{
    return format.fontWeight() != QFont::Bold && format.foreground().color() == QColor(Qt::black) &&
           format.fontFamilies().toStringList().value(0) == QStringLiteral("ＭＳ ゴシック");
}

}  // namespace tallyrix::test
