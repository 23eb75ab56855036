// Registered entries: one line of Registered.txt each, with the fields name,
// value or string, and hint. A numeric entry is also a constant of the
// engine; every entry is a button of the registered toolbar. These are the
// plain rules; the window builds its buttons and handles presses with them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/NameHover.h"

namespace tallyrix {

class Evaluator;

// The value of a numeric entry's field 2, or nothing for a string entry.
// Numeric means: optional spaces, an optional sign, digits with at most one
// '.', an optional exponent ('E' or 'e', optional sign, digits; "1e" is 1),
// optional spaces, and nothing else; the value must be a finite double and
// not zero. So "1/2", "0", "." and "1e400" are string entries.
std::optional<double> NumericValue(std::string_view field);

// What a toolbar button shows, from its line. A line without fields (an
// empty line of a hand-edited file) gives an empty caption and a button
// that inserts nothing; every line keeps its button so that the tags stay
// the lines' indexes.
struct RegisteredButton {
    std::string caption;   // field 1 ("" for a line without fields)
    bool hasHint = false;  // the line has more than two fields
    std::string hint;      // field 3 when hasHint
    int tag = 0;           // the entry index: the line's position in RegisteredLines
};
RegisteredButton DescribeRegisteredButton(std::string_view line, int index);

// What a press of the entry's button inserts: its name when the engine knows
// that name (a registered constant, or a variable of the latest evaluation)
// and the values are not to be inserted (mInsertRegisteredValue unchecked);
// otherwise field 2 as the file spells it, without quotes ("" when missing).
std::string RegisteredInsertText(std::string_view line, const Evaluator& engine, bool insertRegisteredValue);

// Hands the numeric entries to the engine, after cutting its table back to
// pi, and returns the new FixedVariableCount: 1 for pi plus every entry that
// added a table entry. A name occurring twice or named "pi" only updates a
// value, and a full table or an over-long name stores nothing; neither
// counts. The table ends as one call per line in file order would leave it
// (a repeated name has its last value). The engine's VariableList then
// holds one line per entry with the value it holds, so that ResetVariables,
// which cuts it back by count, keeps one line for every constant and for
// pi, also when a line of the file set pi.
// The numeric entry the engine's constant of this name comes from: the
// last such line, whose value the engine keeps. Its comment is the hint,
// the long part of a "short|long" one.
std::optional<RegisteredNote> FindRegisteredConstant(const std::vector<std::string>& lines, std::string_view name);

int RegisterConstants(const std::vector<std::string>& lines, Evaluator& engine);

}  // namespace tallyrix
