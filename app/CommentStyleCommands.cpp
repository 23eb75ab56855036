// Comment colouring in one pass over the document, and the editor's fonts
// and background colour.
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/MainForm.h"
#include "document/CommentRange.h"
#include "shell/DisplayBreaks.h"
#include "shell/LineFollower.h"
#include "shell/PlainParagraphs.h"
#include "shell/ResultPane.h"

namespace tallyrix {
namespace {

void SetPaneBackground(QWidget* pane, const QColor& color)
{
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Base, color);
    pane->setPalette(palette);
}

// A range that runs past the last line is cut at the end of the text.
void SelectRange(QTextCursor& cursor, int start, int length)
{
    const int end = std::min(start + length, cursor.document()->characterCount() - 1);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
}

// The blocks from first to last hold one line: a long one is broken for
// display into several, and its comment runs through to the last of them.
void ColourLine(QTextCursor& cursor, const QTextBlock& first, const QTextBlock& last,
                const QTextCharFormat& commentFormat)
{
    QString line = first.text();
    for (QTextBlock block = first; block != last;) {
        block = block.next();
        line += block.text();
    }
    const std::optional<CommentRange> range = FindCommentRange(line);
    if (!range) return;
    // Where the comment starts in the document: past the display breaks
    // before it.
    QTextBlock block = first;
    int start = static_cast<int>(range->start);
    while (block != last && start >= block.length() - 1) {
        start -= block.length() - 1;
        block = block.next();
    }
    start += block.position();
    SelectRange(cursor, start, last.position() + last.length() - start);
    if (range->stopMarker) {
        QTextCharFormat red;
        red.setForeground(QColor(255, 0, 0));
        cursor.mergeCharFormat(red);
    } else {
        cursor.setCharFormat(commentFormat);
    }
}

// Qt empties the undo stack when undo is switched off.
void ForgetUndoHistory(QTextDocument* document)
{
    document->setUndoRedoEnabled(false);
    document->setUndoRedoEnabled(true);
}

// The kept paragraphs tell which lines hold a comment without reading each
// line from the editor (the format changes leave them as they are). Without
// display breaks only those lines are visited, not every block.
void ColourComments(QTextCursor& cursor, const TPlainParagraphs& paragraphs, const QTextCharFormat& commentFormat)
{
    const QTextDocument& document = *cursor.document();
    if (paragraphs.DisplayBreakCount() == 0 && paragraphs.Count() == static_cast<std::size_t>(document.blockCount())) {
        for (const std::size_t index : paragraphs.Holding("//")) {
            const QTextBlock block = document.findBlockByNumber(static_cast<int>(index));
            ColourLine(cursor, block, block, commentFormat);
        }
        return;
    }
    std::size_t index = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++index) {
        QTextBlock last = block;
        std::size_t pieces = 1;
        for (; ContinuesLine(last.next()); ++pieces)
            last = last.next();
        if (pieces > 1 || index >= paragraphs.Count() || paragraphs.Text(index).find("//") != std::string::npos)
            ColourLine(cursor, block, last, commentFormat);
        index += pieces - 1;
        block = last;
    }
}

}  // namespace

QTextCharFormat TMainForm::EditorFormat() const { return ToCharFormat(FontDialog.Font); }

QTextCharFormat TMainForm::CommentFormat() const { return ToCharFormat(CommentFontDialog.Font); }

void TMainForm::RestyleComments(bool resetFormats)
{
    const int selectionStart = Panes.reExpression->textCursor().selectionStart();
    const bool modified = Panes.reExpression->document()->isModified();
    Panes.reExpression->setUpdatesEnabled(false);

    // One undo step for the whole pass, which Undo passes over (it is no
    // edit of the user's); with nothing of the user's to undo, none at all.
    QTextDocument* document = Panes.reExpression->document();
    const bool userHistory = document->isUndoAvailable();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    if (resetFormats) {
        cursor.select(QTextCursor::Document);
        cursor.setCharFormat(EditorFormat());
    }
    ColourComments(cursor, Panes.reExpression->Paragraphs(), CommentFormat());
    cursor.endEditBlock();
    if (!userHistory) ForgetUndoHistory(document);

    QTextCursor caret(Panes.reExpression->document());
    caret.setPosition(selectionStart);
    Panes.reExpression->setTextCursor(caret);
    Panes.reExpression->setUpdatesEnabled(true);
    SetModified(modified);
    if (Panes.reExpression->isVisible()) Panes.reExpression->setFocus();
}

void TMainForm::mUpdate1Click()
{
    RestyleComments();
    Recalculate();
}

void TMainForm::ApplyEditorFont()
{
    // Set on the panes themselves, so the window's own font never reaches them.
    const QFont font = ToQFont(FontDialog.Font);
    for (QWidget* pane : {static_cast<QWidget*>(Panes.reExpression), static_cast<QWidget*>(Panes.reResult)}) {
        pane->setFont(font);
        QPalette palette = pane->palette();
        palette.setColor(QPalette::Text, FontDialog.Font.color);
        pane->setPalette(palette);
    }
}

void TMainForm::EditorFontClick()
{
    if (const std::optional<FontChoice> chosen = Dialogs->ChooseFont(this, FontDialog.Font)) {
        FontDialog.Font = *chosen;
        ApplyEditorFont();
        RestyleComments();
        // The plain editor lays its lines out again without telling its
        // scroll bar's listeners; the aligned pane is put beside them here.
        LineFollower->FollowEditor();
    }
    Panes.reExpression->setFocus();
}

void TMainForm::CommentFontClick()
{
    if (const std::optional<FontChoice> chosen = Dialogs->ChooseFont(this, CommentFontDialog.Font)) {
        CommentFontDialog.Font = *chosen;
        RestyleComments();
    }
    Panes.reExpression->setFocus();
}

void TMainForm::EditorColorClick()
{
    // Until a colour is chosen the dialog starts at the panes' own colour.
    const QColor current = ColorDialog1.Color.isValid() ? ColorDialog1.Color : EditorColor();
    const std::optional<QColor> chosen = Dialogs->ChooseColor(this, current);
    if (!chosen) return;
    ColorDialog1.Color = *chosen;
    SetEditorColor(*chosen);
}

QColor TMainForm::EditorColor() const { return Panes.reExpression->palette().color(QPalette::Base); }

void TMainForm::SetEditorColor(const QColor& color)
{
    SetPaneBackground(Panes.reExpression, color);
    SetPaneBackground(Panes.reResult, color);
}

}  // namespace tallyrix
