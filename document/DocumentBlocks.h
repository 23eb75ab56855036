// Reading the editor's document a paragraph at a time, without a copy of
// its whole text.
#pragma once

#include <QStringView>
#include <string>

class QTextDocument;

namespace tallyrix {

// Appends a paragraph's text in UTF-8 as the document's plain text spells
// it: a no-break space as a space, a line or paragraph separator as a line
// feed.
void AppendPlainUtf8(std::string& out, QStringView text);

// What BuildEngineInput gives for the document's plain text; paragraphs
// after a stop marker are not read.
std::string EngineInputOf(const QTextDocument& document);

}  // namespace tallyrix
