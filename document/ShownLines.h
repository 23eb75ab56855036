// The lines a pane showed last, so that a recalculation that changes a few
// values replaces only those lines instead of the whole text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tallyrix {

// Lines [first, first + removed) of the text shown give way to `added`:
// whole lines, each followed by a line feed.
struct LineChange {
    std::size_t first = 0;
    std::size_t removed = 0;
    std::string_view added;
    bool operator==(const LineChange&) const = default;
};

// Texts of whole lines, each followed by a line feed: the lines the two do
// not share at their start and end.
LineChange ChangedLines(std::string_view before, std::string_view after);

class ShownLines {
public:
    // The change from the lines shown last to these, which are shown from
    // now on; none when everything is to be replaced: after Forget (the
    // pane showed something else) and when either holds no line (an empty
    // pane still shows one empty line).
    std::optional<LineChange> Show(std::string_view lines);
    void Forget() { Known = false; }

private:
    std::string Lines;
    bool Known = false;
};

}  // namespace tallyrix
