#include "shell/DocumentLength.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <string>

#include "document/DocumentBlocks.h"
#include "files/TextCodec.h"

namespace tallyrix {

TDocumentLength::TDocumentLength(QTextDocument* document) : QObject(document), Document(document)
{
    // A document reports its changes only once it has a layout.
    document->documentLayout();
    MeasureAll();
    connect(document, &QTextDocument::contentsChange, this, &TDocumentLength::Changed);
}

// The paragraphs from the one holding position to the one holding the end
// of the added text replace as many paragraphs as there were before, less
// the paragraphs the edit added. The counts Qt reports may run past the end
// of the text.
void TDocumentLength::Changed(int position, int /*removed*/, int added)
{
    const int lastPosition = std::max(Document->characterCount() - 1, 0);
    const int first = Document->findBlock(std::min(position, lastPosition)).blockNumber();
    const int last = Document->findBlock(std::min(position + added, lastPosition)).blockNumber();
    const long growth = static_cast<long>(Document->blockCount()) - static_cast<long>(Paragraphs.Lines());
    const long replaced = last - first + 1 - growth;
    const bool known = first >= 0 && last >= first && replaced >= 0;
    if (!known || !Paragraphs.Replace(static_cast<std::size_t>(first), static_cast<std::size_t>(replaced),
                                      Measure(first, last)))
        MeasureAll();
}

void TDocumentLength::MeasureAll()
{
    Paragraphs = TLineLengths();
    Paragraphs.Replace(0, 0, Measure(0, Document->blockCount() - 1));
}

std::vector<std::size_t> TDocumentLength::Measure(int firstBlock, int lastBlock) const
{
    std::vector<std::size_t> lengths;
    lengths.reserve(static_cast<std::size_t>(std::max(lastBlock - firstBlock + 1, 0)));
    std::string text;
    QTextBlock block = Document->findBlockByNumber(firstBlock);
    for (int number = firstBlock; number <= lastBlock && block.isValid(); ++number, block = block.next()) {
        text.clear();
        AppendPlainUtf8(text, block.text());
        lengths.push_back(tallyrix::Cp932Length(text));
    }
    return lengths;
}

}  // namespace tallyrix
