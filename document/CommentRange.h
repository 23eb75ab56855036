// Where comment colouring applies within one editor line: only "//"
// comments and the "///" stop marker are coloured, never "--".
#pragma once

#include <QStringView>
#include <optional>

namespace tallyrix {

struct CommentRange {
    qsizetype start = 0;      // offset in the line
    qsizetype length = 0;     // to the end of the line, plus one for its line break
    bool stopMarker = false;  // "///": coloured red in the editor face
};

// The range runs from the line's first "//", or from its first "///" when the
// line holds one, to the end of the line and one character beyond it.
std::optional<CommentRange> FindCommentRange(QStringView line);

}  // namespace tallyrix
