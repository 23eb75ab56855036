// Where the benchmarks type: just before the last character (the ";") of a
// line of the editor, so that a digit typed there changes that statement's
// value and keeps the document valid.
#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace tallyrix::bench {

inline void PlaceBeforeLastCharacter(QPlainTextEdit& editor, int line)
{
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    QTextCursor place = editor.textCursor();
    place.setPosition(block.position() + block.length() - 2);
    editor.setTextCursor(place);
}

}  // namespace tallyrix::bench
