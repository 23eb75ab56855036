// A very long line is held in the editor as several blocks: the editor lays
// out and measures a block as a whole, on every keystroke and every blink of
// the caret, so one block of megabytes freezes the window. The blocks after
// the first carry a mark in their block format (which undo and redo keep);
// the break before such a block is for display only and is no part of the
// text: saving, copying, the calculation and the caret's line and column all
// read the line whole.
#pragma once

#include <QString>
#include <QStringView>
#include <QTextBlockFormat>
#include <vector>

class QTextBlock;
class QTextCursor;
class QTextDocument;

namespace tallyrix {

// Lines longer than this are broken when a document is put into the editor.
constexpr qsizetype LongLine = 4096;
// A display piece holds at most this many characters.
constexpr qsizetype DisplayPiece = 1024;

// Whether the break before block is a display break.
bool ContinuesLine(const QTextBlock& block);
// The format of a block that continues the line before it.
QTextBlockFormat ContinuationFormat();

// Where a display piece starting at from ends: just after the last ";" or
// blank in its second half, or at its full length (never between the two
// halves of a surrogate pair). The text must run on past the piece.
qsizetype DisplayPieceEnd(QStringView text, qsizetype from);

// Inserts text (lines separated by LF) at the cursor, a line longer than
// LongLine as display pieces. With continuing, the text continues the long
// line the cursor stands at the end of, and its first piece gets a block of
// its own; with continued, its last line goes on in a later text.
void InsertBrokenText(QTextCursor& cursor, QStringView text, bool continuing, bool continued);

// The offset in its line of the character at offset within block.
int OffsetInLine(QTextBlock block, int offset);

// The document positions of the display breaks from position from up to to.
std::vector<int> DisplayBreakPositions(const QTextDocument& document, int from, int to);
// Text taken of the document from position from, one character per
// position (as toRawText, toPlainText and selectedText give it), with the
// display breaks left out.
QString WithoutDisplayBreaks(const QString& text, const QTextDocument& document, int from);
// Between a document position and the offset in the text without the
// display breaks at breaks (the document's, in order).
int TextOffset(const std::vector<int>& breaks, int position);
int DocumentPosition(const std::vector<int>& breaks, int offset);

}  // namespace tallyrix
