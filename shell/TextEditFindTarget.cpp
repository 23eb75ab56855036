#include "shell/TextEditFindTarget.h"

#include <QPlainTextEdit>
#include <QTextEdit>

namespace tallyrix {

TextEditFindTarget::TextEditFindTarget(QTextEdit& editor, QTextCharFormat insertFormat)
    : TextEditFindTarget(
          editor.document(), [&editor] { return editor.textCursor(); },
          [&editor](const QTextCursor& cursor) { editor.setTextCursor(cursor); }, std::move(insertFormat))
{
}

TextEditFindTarget::TextEditFindTarget(QPlainTextEdit& editor, QTextCharFormat insertFormat)
    : TextEditFindTarget(
          editor.document(), [&editor] { return editor.textCursor(); },
          [&editor](const QTextCursor& cursor) { editor.setTextCursor(cursor); }, std::move(insertFormat))
{
}

TextEditFindTarget::TextEditFindTarget(QTextDocument* document, ReadCursor read, WriteCursor write,
                                       QTextCharFormat insertFormat)
    : Document(document),
      EditorCursor(std::move(read)),
      SetEditorCursor(std::move(write)),
      InsertFormat(std::move(insertFormat))
{
}

QString TextEditFindTarget::Text() const
{
    return Document->toPlainText();
}

int TextEditFindTarget::SelStart() const
{
    return Cursor().selectionStart();
}

int TextEditFindTarget::SelLength() const
{
    const QTextCursor cursor = Cursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextEditFindTarget::Select(int start, int length)
{
    QTextCursor cursor = Cursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    Keep(cursor);
}

void TextEditFindTarget::ReplaceSelection(const QString& text)
{
    QTextCursor cursor = Cursor();
    if (InsertFormat.isEmpty())
        cursor.insertText(text);
    else
        cursor.insertText(text, InsertFormat);
    Keep(cursor);
}

QTextCursor TextEditFindTarget::Cursor() const
{
    return EditBlock.isNull() ? EditorCursor() : EditBlock;
}

// Within an edit block the editor's own cursor is set once at its end, so
// the view does not scroll and lay out after every replacement.
void TextEditFindTarget::Keep(const QTextCursor& cursor)
{
    if (EditBlock.isNull())
        SetEditorCursor(cursor);
    else
        EditBlock = cursor;
}

void TextEditFindTarget::BeginEdit()
{
    EditBlock = EditorCursor();
    EditBlock.beginEditBlock();
}

void TextEditFindTarget::EndEdit()
{
    EditBlock.endEditBlock();
    SetEditorCursor(EditBlock);
    EditBlock = QTextCursor();
}

}  // namespace tallyrix
