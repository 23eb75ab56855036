// An editor document's paragraphs kept in UTF-8 from its change
// notifications (contentsChange), so that neither the length in the status
// bar nor a recalculation copies the whole text.
#pragma once

#include <QObject>
#include <cstddef>
#include <string>
#include <vector>

#include "shell/PlainParagraphs.h"

class QTextDocument;

namespace tallyrix {

class TDocumentText : public QObject {
    Q_OBJECT
public:
    // A child of the document it follows.
    explicit TDocumentText(QTextDocument* document);
    const TPlainParagraphs& Paragraphs() const { return Kept; }

private:
    void Changed(int position, int removed, int added);
    void ReadAll();
    struct Blocks {
        JoinedParagraphs texts;
        std::vector<char> continues;
    };
    Blocks Read(int firstBlock, int lastBlock) const;

    QTextDocument* Document;
    TPlainParagraphs Kept;
};

}  // namespace tallyrix
