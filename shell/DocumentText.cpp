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
    Blocks read = Read(first, last);
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

// One selection over the paragraphs, read in one pass, rather than a look-up
// of each paragraph's text: opening a document reads them all.
TDocumentText::Blocks TDocumentText::Read(int firstBlock, int lastBlock) const
{
    Blocks blocks;
    // The first block begins the document's first line whatever its format.
    QTextBlock block = Document->findBlockByNumber(firstBlock);
    for (int number = firstBlock; number <= lastBlock && block.isValid(); ++number, block = block.next())
        blocks.continues.push_back(number > 0 && ContinuesLine(block));
    const QTextBlock last = Document->findBlockByNumber(lastBlock);
    QTextCursor cursor(Document);
    cursor.setPosition(Document->findBlockByNumber(firstBlock).position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    const QString text = cursor.selectedText();
    JoinedParagraphs& paragraphs = blocks.texts;
    paragraphs.text.reserve(static_cast<std::size_t>(text.size()));
    paragraphs.ends.reserve(blocks.continues.size());
    for (QStringView rest(text);;) {
        const qsizetype end = rest.indexOf(QChar::ParagraphSeparator);
        AppendPlainUtf8(paragraphs.text, rest.left(end < 0 ? rest.size() : end));
        paragraphs.ends.push_back(paragraphs.text.size());
        if (end < 0) break;
        rest = rest.mid(end + 1);
    }
    return blocks;
}

}  // namespace tallyrix
