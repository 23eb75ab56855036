// The lines a pane showed last, so that a recalculation that changes a few
// values replaces only those lines instead of the whole text. The pane's
// own text is what is compared: no second copy of the lines is kept.
#pragma once

#include <cstddef>
#include <functional>
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

// The lines the two do not share at their start and end: `before` as shown
// (a line feed between lines), `after` as the lines come (a line feed after
// each), both UTF-8. lineStarting, when given, tells the line of `before`
// that starts at an offset (a line start, or one past its end), which spares
// counting the lines before the change.
using LineStarting = std::function<std::size_t(std::size_t offset)>;
LineChange ChangedLines(std::string_view before, std::string_view after, const LineStarting& lineStarting = {});

class ShownLines {
public:
    // The change from the lines shown last, whose text the pane now shows
    // as `shown`, to these, which are shown from now on; none when
    // everything is to be replaced: after Forget (the pane showed something
    // else) and when either holds no line (an empty pane still shows one
    // empty line).
    std::optional<LineChange> Show(std::string_view shown, std::string_view lines,
                                   const LineStarting& lineStarting = {});
    void Forget() { Known = false; }

private:
    bool Known = false;
    bool HadLines = false;
};

}  // namespace tallyrix
