#include "document/ShownLines.h"

#include <algorithm>

#include "engine/SharedText.h"

namespace tallyrix {

LineChange ChangedLines(std::string_view before, std::string_view after, const LineStarting& lineStarting)
{
    // `before` is read as if a line feed followed its last line, as one
    // follows each line of `after`.
    const std::size_t beforeSize = before.size() + 1;
    const auto beforeAt = [before](std::size_t i) { return i < before.size() ? before[i] : '\n'; };
    // Back to the start of the line the texts first differ in: the same
    // place in both, as all before it is.
    std::size_t start = SharedPrefix(before, after);
    if (start == before.size() && start < after.size() && after[start] == '\n') ++start;
    if (start < beforeSize) start = start == 0 ? 0 : after.rfind('\n', start - 1) + 1;  // npos + 1 is 0
    // Whole lines of both texts at the end, not reaching into the start.
    std::size_t shared = after.ends_with('\n') ? 1 + SharedSuffix(before, after.substr(0, after.size() - 1)) : 0;
    shared = std::min({shared, beforeSize - start, after.size() - start});
    std::size_t beforeEnd = beforeSize - shared;
    std::size_t afterEnd = after.size() - shared;
    if (!((beforeEnd == 0 || beforeAt(beforeEnd - 1) == '\n') && (afterEnd == 0 || after[afterEnd - 1] == '\n'))) {
        const std::size_t feed = before.find('\n', beforeEnd);
        beforeEnd = feed == std::string_view::npos ? beforeSize : feed + 1;
        afterEnd = after.find('\n', afterEnd) + 1;
    }
    // The line feed after the last line shown counts when that line goes.
    const std::size_t from = std::min(start, before.size());
    const std::size_t to = std::min(beforeEnd, before.size());
    const bool lastRemoved = beforeEnd == beforeSize && start < beforeSize;
    return {lineStarting ? lineStarting(start) : CountLineFeeds(after.substr(0, start)),
            CountLineFeeds(before.substr(from, to - from)) + (lastRemoved ? 1 : 0),
            after.substr(start, afterEnd - start)};
}

std::optional<LineChange> ShownLines::Show(std::string_view shown, std::string_view lines,
                                           const LineStarting& lineStarting)
{
    std::optional<LineChange> change;
    if (Known && HadLines && !lines.empty()) change = ChangedLines(shown, lines, lineStarting);
    Known = true;
    HadLines = !lines.empty();
    return change;
}

}  // namespace tallyrix
