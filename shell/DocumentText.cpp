#include "shell/DocumentText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "document/DocumentBlocks.h"
#include "shell/DisplayBreaks.h"

namespace tallyrix {

TDocumentText::TDocumentText(QTextDocument* document) : QObject(document), Document(document)
{
    // A document reports its changes only once it has a layout.
    document->documentLayout();
    ReadAll();
    connect(document, &QTextDocument::contentsChange, this, &TDocumentText::Changed);
}

// The paragraphs from the one holding position to the one holding the end
// of the added text replace as many paragraphs as there were before, less
// the paragraphs the edit added. The counts Qt reports may run past the end
// of the text.
void TDocumentText::Changed(int position, int /*removed*/, int added)
{
    const int lastPosition = std::max(Document->characterCount() - 1, 0);
    const int first = Document->findBlock(std::min(position, lastPosition)).blockNumber();
    const int last = Document->findBlock(std::min(position + added, lastPosition)).blockNumber();
    const long growth = static_cast<long>(Document->blockCount()) - static_cast<long>(Kept.Count());
    const long replaced = last - first + 1 - growth;
    const bool known = first >= 0 && last >= first && replaced >= 0;
    if (!known) {
        ReadAll();
        return;
    }
    Blocks read = Inserted(position, added) ? ReadInserted(first, last) : Read(first, last);
    if (!Kept.Replace(static_cast<std::size_t>(first), static_cast<std::size_t>(replaced), std::move(read.texts),
                      std::move(read.continues)))
        ReadAll();
}

void TDocumentText::ReadAll()
{
    Kept = TPlainParagraphs();
    Blocks read = Read(0, Document->blockCount() - 1);
    Kept.Replace(0, 0, std::move(read.texts), std::move(read.continues));
}

void TDocumentText::InsertText(QTextCursor& cursor, const QString& text)
{
    const bool plain = !text.contains(u'\r') && !text.contains(QChar::ParagraphSeparator) &&
                       !text.contains(QChar(0xFDD0)) && !text.contains(QChar(0xFDD1));
    if (plain) Expected = Insertion{cursor.position(), &text};
    cursor.insertText(text);
    Expected.reset();
}

bool TDocumentText::Inserted(int position, int added) const
{
    return Expected && Expected->position == position && Expected->text->size() == added;
}

namespace {

// Appends the paragraphs of text, separated by separator.
void AddParagraphs(JoinedParagraphs& paragraphs, QStringView text, QChar separator)
{
    for (QStringView rest(text);;) {
        const qsizetype end = rest.indexOf(separator);
        AppendPlainUtf8(paragraphs.text, rest.left(end < 0 ? rest.size() : end));
        paragraphs.ends.push_back(paragraphs.text.size());
        if (end < 0) break;
        rest = rest.mid(end + 1);
    }
}

}  // namespace

std::vector<char> TDocumentText::ContinuesFlags(int firstBlock, int lastBlock) const
{
    std::vector<char> continues;
    // The first block begins the document's first line whatever its format.
    QTextBlock block = Document->findBlockByNumber(firstBlock);
    for (int number = firstBlock; number <= lastBlock && block.isValid(); ++number, block = block.next())
        continues.push_back(number > 0 && ContinuesLine(block));
    return continues;
}

// One selection over the paragraphs, read in one pass, rather than a look-up
// of each paragraph's text.
TDocumentText::Blocks TDocumentText::Read(int firstBlock, int lastBlock) const
{
    Blocks blocks{{}, ContinuesFlags(firstBlock, lastBlock)};
    const QTextBlock last = Document->findBlockByNumber(lastBlock);
    QTextCursor cursor(Document);
    cursor.setPosition(Document->findBlockByNumber(firstBlock).position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    const QString text = cursor.selectedText();
    blocks.texts.text.reserve(static_cast<std::size_t>(text.size()));
    blocks.texts.ends.reserve(blocks.continues.size());
    AddParagraphs(blocks.texts, text, QChar::ParagraphSeparator);
    return blocks;
}

// The inserted text, with what its first and last paragraphs held before
// and after it, in place of the same text read back.
TDocumentText::Blocks TDocumentText::ReadInserted(int firstBlock, int lastBlock) const
{
    Blocks blocks{{}, ContinuesFlags(firstBlock, lastBlock)};
    const QTextBlock first = Document->findBlockByNumber(firstBlock);
    const QTextBlock last = Document->findBlockByNumber(lastBlock);
    const QString& inserted = *Expected->text;
    const QString text = first.text().left(Expected->position - first.position()) + inserted +
                         last.text().mid(Expected->position + inserted.size() - last.position());
    blocks.texts.text.reserve(static_cast<std::size_t>(text.size()));
    blocks.texts.ends.reserve(blocks.continues.size());
    AddParagraphs(blocks.texts, text, u'\n');
    return blocks;
}

}  // namespace tallyrix
