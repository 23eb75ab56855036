// Where the benchmarks type: just before the last character (the ";") of a
// line of the editor, so that a digit typed there changes that statement's
// value and keeps the document valid; and how they wait for what a key
// causes.
#pragma once

#include <QApplication>
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

// Makes a line "a=expression;" a plain value, "expression;", that no later
// statement reads, or with a target given, an assignment to it.
inline void ReplaceTarget(QPlainTextEdit& editor, int line, const QString& target)
{
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + static_cast<int>(block.text().indexOf(u'=')) + 1, QTextCursor::KeepAnchor);
    cursor.insertText(target);
}

// Lets the event loop run until the window's calculation is done and its
// results are painted.
template <typename Window>
void UntilCalculated(Window& window)
{
    while (window.Calculating())
        QApplication::processEvents();
    QApplication::processEvents();
}

}  // namespace tallyrix::bench
