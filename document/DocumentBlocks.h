// An editor paragraph's text as the engine and a save see it.
#pragma once

#include <QStringView>
#include <string>

namespace tallyrix {

// Appends a paragraph's text in UTF-8 as the document's plain text spells
// it: a no-break space as a space, a line or paragraph separator as a line
// feed.
void AppendPlainUtf8(std::string& out, QStringView text);

}  // namespace tallyrix
