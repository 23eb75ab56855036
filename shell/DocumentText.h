// An editor document's paragraphs kept in UTF-8 from its change
// notifications (contentsChange), so that neither the length in the status
// bar nor a recalculation copies the whole text.
#pragma once

#include <QObject>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shell/PlainParagraphs.h"

class QTextCursor;
class QTextDocument;

namespace tallyrix {

class TDocumentText : public QObject {
    Q_OBJECT
public:
    // A child of the document it follows.
    explicit TDocumentText(QTextDocument* document);
    const TPlainParagraphs& Paragraphs() const { return Kept; }
    // Inserts text at the cursor (as QTextCursor::insertText does); the
    // paragraphs it makes are taken from text rather than read back from the
    // document, which is most of the cost of opening a large document.
    void InsertText(QTextCursor& cursor, const QString& text);

private:
    void Changed(int position, int removed, int added);
    void ReadAll();
    struct Blocks {
        JoinedParagraphs texts;
        std::vector<char> continues;
    };
    Blocks Read(int firstBlock, int lastBlock) const;
    std::vector<char> ContinuesFlags(int firstBlock, int lastBlock) const;
    // The text an insertion in progress adds at position, when no character
    // of it but line feeds breaks a paragraph.
    struct Insertion {
        int position;
        const QString* text;
    };
    bool Inserted(int position, int added) const;
    Blocks ReadInserted(int firstBlock, int lastBlock) const;

    QTextDocument* Document;
    std::optional<Insertion> Expected;
    TPlainParagraphs Kept;
};

}  // namespace tallyrix
