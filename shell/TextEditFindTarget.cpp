#include "shell/TextEditFindTarget.h"

#include <QPlainTextEdit>
#include <QTextEdit>

#include "shell/DisplayBreaks.h"
#include "shell/RichEdit.h"

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

TextEditFindTarget::TextEditFindTarget(TRichEdit& editor, QTextCharFormat insertFormat)
    : TextEditFindTarget(static_cast<QPlainTextEdit&>(editor), std::move(insertFormat))
{
    HasBreaks = [&editor] { return editor.Paragraphs().DisplayBreakCount() > 0; };
}

TextEditFindTarget::TextEditFindTarget(QTextDocument* document, ReadCursor read, WriteCursor write,
                                       QTextCharFormat insertFormat)
    : Document(document),
      EditorCursor(std::move(read)),
      SetEditorCursor(std::move(write)),
      InsertFormat(std::move(insertFormat))
{
}

std::vector<int> TextEditFindTarget::Breaks() const
{
    return HasBreaks() ? DisplayBreakPositions(*Document, 0, Document->characterCount()) : std::vector<int>();
}

QString TextEditFindTarget::Text() const
{
    const QString text = Document->toPlainText();
    return HasBreaks() ? WithoutDisplayBreaks(text, *Document, 0) : text;
}

int TextEditFindTarget::SelStart() const { return TextOffset(Breaks(), Cursor().selectionStart()); }

int TextEditFindTarget::SelLength() const
{
    const QTextCursor cursor = Cursor();
    const std::vector<int> breaks = Breaks();
    return TextOffset(breaks, cursor.selectionEnd()) - TextOffset(breaks, cursor.selectionStart());
}

void TextEditFindTarget::Select(int start, int length)
{
    const std::vector<int> breaks = Breaks();
    QTextCursor cursor = Cursor();
    cursor.setPosition(DocumentPosition(breaks, start));
    cursor.setPosition(DocumentPosition(breaks, start + length), QTextCursor::KeepAnchor);
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

QTextCursor TextEditFindTarget::Cursor() const { return EditBlock.isNull() ? EditorCursor() : EditBlock; }

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
