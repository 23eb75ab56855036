// The names offered while a name is typed: the variable table of the last
// finished calculation (pi, the registered constants, the document's
// variables) and the built-in functions, each with what it stands for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Eval.h"

namespace tallyrix {

// What the function names show beside them instead of a value.
inline constexpr std::string_view FunctionDetail = "関数";

struct CompletionCandidate {
    std::string name;
    std::string detail;  // the value as the side pane writes it, or FunctionDetail
};

// The name the text ends with (letters, digits and "_", beginning with a
// letter), or empty: also after a digit run with no letter, and in a comment
// (the line so far holds "//" or "--"). textBeforeCaret is the caret's line
// up to the caret, as the editor holds it, so that no copy is made per key.
std::string NameBeforeCaret(std::u16string_view textBeforeCaret);

class NameCompletion {
public:
    // The table of a finished calculation. A run that stopped (often at the
    // very name being typed) updates and adds entries but drops none, so
    // that names assigned further down stay offered until a run gets
    // through again.
    void TakeTable(std::vector<NamedValue> table, bool stopped);

    // The names that start with prefix, case ignored, best first: those that
    // start with it exactly as typed, then the others; within each, the
    // shorter first, then in character order. Empty when there is nothing to
    // add: no match, or the prefix is the only one and matches exactly.
    std::vector<CompletionCandidate> Complete(std::string_view prefix) const;

private:
    std::vector<NamedValue> Table;
};

}  // namespace tallyrix
