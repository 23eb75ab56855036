#include "document/ShownLines.h"

#include <algorithm>

#include "engine/SharedText.h"

namespace tallyrix {

namespace {

bool AtLineStart(std::string_view text, std::size_t offset) { return offset == 0 || text[offset - 1] == '\n'; }

}  // namespace

LineChange ChangedLines(std::string_view before, std::string_view after)
{
    // Back to the start of the line the texts first differ in.
    std::size_t prefix = SharedPrefix(before, after);
    while (!AtLineStart(before, prefix))
        --prefix;
    // Whole lines of both texts at the end, not reaching into the start.
    const std::size_t room = std::min(before.size(), after.size()) - prefix;
    std::size_t suffix = std::min(SharedSuffix(before, after), room);
    while (suffix > 0 && !(AtLineStart(before, before.size() - suffix) && AtLineStart(after, after.size() - suffix)))
        --suffix;
    return {CountLineFeeds(before.substr(0, prefix)),
            CountLineFeeds(before.substr(prefix, before.size() - suffix - prefix)),
            after.substr(prefix, after.size() - suffix - prefix)};
}

std::optional<LineChange> ShownLines::Show(std::string_view lines)
{
    std::optional<LineChange> change;
    if (Known && !Lines.empty() && !lines.empty()) change = ChangedLines(Lines, lines);
    // The lines added are read from the copy kept.
    const auto offset = change ? static_cast<std::size_t>(change->added.data() - lines.data()) : 0;
    Lines.assign(lines);
    Known = true;
    if (change) change->added = std::string_view(Lines).substr(offset, change->added.size());
    return change;
}

}  // namespace tallyrix
