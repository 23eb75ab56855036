// The code-page-932 length of an editor's document, the size a save as
// Shift-JIS with CR LF gives, kept up to date from the document's change
// notifications: a caret move costs nothing and an edit the paragraphs it
// touched.
#pragma once

#include <QObject>
#include <cstddef>

#include "shell/LineLengths.h"

class QTextDocument;

namespace tallyrix {

class TDocumentLength : public QObject {
    Q_OBJECT
public:
    explicit TDocumentLength(QTextDocument* document);
    std::size_t Cp932Length() const { return Paragraphs.Total(2); }

private:
    void Changed(int position, int removed, int added);
    void MeasureAll();
    std::vector<std::size_t> Measure(int firstBlock, int lastBlock) const;

    QTextDocument* Document;
    TLineLengths Paragraphs;
};

}  // namespace tallyrix
