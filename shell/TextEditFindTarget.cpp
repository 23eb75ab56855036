#include "shell/TextEditFindTarget.h"

#include <QTextEdit>

namespace tallyrix {

TextEditFindTarget::TextEditFindTarget(QTextEdit& editor, QTextCharFormat insertFormat)
    : Editor(editor), InsertFormat(std::move(insertFormat))
{
}

QString TextEditFindTarget::Text() const
{
    return Editor.toPlainText();
}

int TextEditFindTarget::SelStart() const
{
    return Editor.textCursor().selectionStart();
}

int TextEditFindTarget::SelLength() const
{
    const QTextCursor cursor = Editor.textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextEditFindTarget::Select(int start, int length)
{
    QTextCursor cursor = Editor.textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    Editor.setTextCursor(cursor);
}

void TextEditFindTarget::ReplaceSelection(const QString& text)
{
    QTextCursor cursor = Editor.textCursor();
    if (InsertFormat.isEmpty())
        cursor.insertText(text);
    else
        cursor.insertText(text, InsertFormat);
    Editor.setTextCursor(cursor);
}

// The edit block is held on a cursor of its own, so the cursors that select
// and replace in between all join it.
void TextEditFindTarget::BeginEdit()
{
    EditBlock = Editor.textCursor();
    EditBlock.beginEditBlock();
}

void TextEditFindTarget::EndEdit()
{
    EditBlock.endEditBlock();
    EditBlock = QTextCursor();
}

}  // namespace tallyrix
