// The editor takes a paragraph separator (U+2029) and Qt's frame marks
// (U+FDD0, U+FDD1) for breaks between its blocks, so a document holding one
// would come back with a line break in its place. They are shown in the
// editor as private-use stand-ins that the document does not hold, and put
// back when the text is taken for a save.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallyrix {

class EditorCharMap {
public:
    // The document's text (lines separated by LF) as the editor gets it;
    // remembers the stand-ins for FromEditor.
    QString ToEditor(const QString& documentText);
    // The same from UTF-8. A leading U+FEFF is a character of the text here
    // (the file's mark was taken off when it was read) and is kept.
    QString ToEditor(std::string_view documentText);
    // The editor's raw text (blocks separated by U+2029) as the document's
    // text in UTF-8: blocks separated by LF, stand-ins back to what they
    // stood for. Converted a piece at a time: a large text is never held
    // once more at the three bytes a character that a whole conversion
    // sets aside.
    std::string FromEditor(QString editorText) const;

private:
    std::vector<std::pair<QString, QString>> standIns;  // original, stand-in
};

}  // namespace tallyrix
