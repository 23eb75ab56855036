#include "document/CommentRange.h"

namespace tallyrix {

std::optional<CommentRange> FindCommentRange(QStringView line)
{
    const qsizetype comment = line.indexOf(u"//");
    if (comment < 0) return std::nullopt;
    const qsizetype stop = line.indexOf(u"///", comment);
    const qsizetype start = stop >= 0 ? stop : comment;
    return CommentRange{start, line.size() - start + 1, stop >= 0};
}

}  // namespace tallyrix
