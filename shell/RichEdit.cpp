#include "shell/RichEdit.h"

#include "shell/DisplayBreaks.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextLayout>

namespace tallyrix {

TRichEdit::TRichEdit(const QString& name, QWidget* parent) : QPlainTextEdit(parent), Text(new TDocumentText(document()))
{
    setObjectName(name);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

namespace {

// The text as the editor's insertText breaks it into lines: at CR LF, LF,
// CR, paragraph separators and frame marks.
QString WithLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const char16_t mark : {u'\r', char16_t(0x2029), char16_t(0xFDD0), char16_t(0xFDD1)})
        text.replace(QChar(mark), u'\n');
    return text;
}

bool AtStartOfContinuation(const QTextCursor& cursor)
{
    return cursor.atBlockStart() && ContinuesLine(cursor.block()) && !cursor.atStart();
}

bool BeforeContinuation(const QTextCursor& cursor)
{
    return cursor.atBlockEnd() && ContinuesLine(cursor.block().next());
}

}  // namespace

void TRichEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly() || !EditAtDisplayBreak(event)) QPlainTextEdit::keyPressEvent(event);
}

// The plain text edit lays every line out again at a new width and keeps a
// layout for each line from then on: a second and hundreds of megabytes for
// a large document. Lines that are never wrapped look the same at any width,
// so a long document lets only the scroll bars follow it.
void TRichEdit::resizeEvent(QResizeEvent* event)
{
    constexpr int LaidOutAgainUpTo = 2000;  // lines: a millisecond
    if (document()->blockCount() <= LaidOutAgainUpTo) {
        QPlainTextEdit::resizeEvent(event);
        return;
    }
    QResizeEvent heightOnly(event->size(), QSize(event->size().width(), event->oldSize().height()));
    QPlainTextEdit::resizeEvent(&heightOnly);
}

// A new line never continues the one it was typed in; Backspace and Delete
// remove the character beyond a display break, not the break.
bool TRichEdit::EditAtDisplayBreak(QKeyEvent* event)
{
    QTextCursor cursor = textCursor();
    if (event == QKeySequence::InsertParagraphSeparator) {
        if (!ContinuesLine(cursor.block())) return false;
        cursor.insertBlock(QTextBlockFormat());
    } else if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
        if (cursor.hasSelection() || !AtStartOfContinuation(cursor)) return false;
        while (AtStartOfContinuation(cursor))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.deletePreviousChar();
    } else if (event == QKeySequence::Delete) {
        if (cursor.hasSelection() || !BeforeContinuation(cursor)) return false;
        while (BeforeContinuation(cursor))
            cursor.movePosition(QTextCursor::NextCharacter);
        cursor.deleteChar();
    } else {
        return false;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

bool TRichEdit::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

// Lines pasted never continue the line they were pasted into, and a very
// long one is broken for display.
void TRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText()) return;
    QTextCursor cursor = textCursor();
    const QString text = WithLineFeeds(source->text());
    if (!ContinuesLine(cursor.block()) && text.size() <= LongLine) {
        insertPlainText(source->text());
        return;
    }
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    InsertBrokenText(cursor, text, false, false);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

// A display break inside the selection is left out.
QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(WithoutDisplayBreaks(cursor.selection().toPlainText(), *document(), cursor.selectionStart()));
    return data;
}

std::vector<LinePlace> TRichEdit::LinesInView() const
{
    std::vector<LinePlace> places;
    const int bottom = viewport()->height();
    QTextBlock block = firstVisibleBlock();
    QRectF geometry = blockBoundingGeometry(block).translated(contentOffset());
    while (block.isValid() && geometry.top() < bottom) {
        // A wrapped line's value stands on its first row.
        const QTextLine row = block.layout()->lineCount() > 0 ? block.layout()->lineAt(0) : QTextLine();
        const qreal rowTop = geometry.top() + (row.isValid() ? row.y() : 0);
        const qreal rowHeight = row.isValid() ? row.height() : geometry.height();
        const qreal ascent = row.isValid() ? row.ascent() : QFontMetricsF(font()).ascent();
        places.push_back({block.blockNumber(), qRound(rowTop), qRound(rowHeight), qRound(rowTop + ascent)});
        block = block.next();
        geometry.translate(0, geometry.height());
        geometry.setHeight(blockBoundingRect(block).height());
    }
    return places;
}

}  // namespace tallyrix
