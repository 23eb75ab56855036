#include "shell/DisplayBreaks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

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

std::vector<int> DisplayBreakPositions(const QTextDocument& document, int from, int to)
{
    std::vector<int> breaks;
    for (QTextBlock block = document.findBlock(from).next(); block.isValid() && block.position() <= to;
         block = block.next())
        if (ContinuesLine(block) && block.position() - 1 < to) breaks.push_back(block.position() - 1);
    return breaks;
}

QString WithoutDisplayBreaks(const QString& text, const QTextDocument& document, int from)
{
    const std::vector<int> breaks = DisplayBreakPositions(document, from, from + static_cast<int>(text.size()));
    if (breaks.empty()) return text;
    QString whole;
    whole.reserve(text.size());
    qsizetype start = 0;
    for (const int at : breaks) {
        whole += QStringView(text).mid(start, at - from - start);
        start = at - from + 1;
    }
    whole += QStringView(text).mid(start);
    return whole;
}

int TextOffset(const std::vector<int>& breaks, int position)
{
    return position - static_cast<int>(std::lower_bound(breaks.begin(), breaks.end(), position) - breaks.begin());
}

// The break at index i stands after text offset breaks[i] - i.
int DocumentPosition(const std::vector<int>& breaks, int offset)
{
    int before = 0;
    while (before < static_cast<int>(breaks.size()) && breaks[static_cast<std::size_t>(before)] - before < offset)
        ++before;
    return offset + before;
}

}  // namespace tallyrix
