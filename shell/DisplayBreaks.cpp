#include "shell/DisplayBreaks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tallyrix {

namespace {

constexpr int ContinuationProperty = QTextFormat::UserProperty + 23;

bool IsBreakPlace(QChar c) { return c == u';' || c == u' ' || c == u'\t'; }

// Inserts one line (no LF inside), broken into display pieces when it is
// long or part of a long one.
void InsertLine(QTextCursor& cursor, QStringView line, bool partOfLongLine)
{
    if (line.size() <= LongLine && !partOfLongLine) {
        cursor.insertText(line.toString());
        return;
    }
    qsizetype from = 0;
    while (line.size() - from > DisplayPiece) {
        const qsizetype end = DisplayPieceEnd(line, from);
        cursor.insertText(line.mid(from, end - from).toString());
        cursor.insertBlock(ContinuationFormat());
        from = end;
    }
    cursor.insertText(line.mid(from).toString());
}

}  // namespace

bool ContinuesLine(const QTextBlock& block) { return block.blockFormat().boolProperty(ContinuationProperty); }

QTextBlockFormat ContinuationFormat()
{
    QTextBlockFormat format;
    format.setProperty(ContinuationProperty, true);
    return format;
}

qsizetype DisplayPieceEnd(QStringView text, qsizetype from)
{
    const qsizetype full = from + DisplayPiece;
    for (qsizetype i = full - 1; i >= from + DisplayPiece / 2; --i) {
        if (IsBreakPlace(text[i])) return i + 1;
    }
    return text[full - 1].isHighSurrogate() ? full - 1 : full;
}

void InsertBrokenText(QTextCursor& cursor, QStringView text, bool continuing, bool continued)
{
    if (continuing) cursor.insertBlock(ContinuationFormat());
    for (qsizetype from = 0;;) {
        const qsizetype lineBreak = text.indexOf(u'\n', from);
        const bool partOfLongLine = (from == 0 && continuing) || (lineBreak < 0 && continued);
        InsertLine(cursor, text.mid(from, (lineBreak < 0 ? text.size() : lineBreak) - from), partOfLongLine);
        if (lineBreak < 0) return;
        cursor.insertBlock(QTextBlockFormat());
        from = lineBreak + 1;
    }
}

int OffsetInLine(QTextBlock block, int offset)
{
    while (ContinuesLine(block) && block.previous().isValid()) {
        block = block.previous();
        offset += block.length() - 1;
    }
    return offset;
}

QString RawTextWithoutDisplayBreaks(const QTextDocument& document, int from, int to)
{
    QString text;
    text.reserve(to - from);
    // Each block's part of the range, and the break after it unless the
    // next block continues its line.
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int start = std::max(from, block.position());
        const int end = std::min(to, block.position() + block.length() - 1);
        if (block.position() > from && !ContinuesLine(block)) text += QChar::ParagraphSeparator;
        text += QStringView(block.text()).mid(start - block.position(), end - start);
    }
    return text;
}

}  // namespace tallyrix
