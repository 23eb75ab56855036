// Digit grouping of the values the engine writes, for display: the integer
// part in groups of three with ",". The engine reads such a value back
// ("1,234.5"), commas in a literal counting for nothing.
#pragma once

#include <string>
#include <string_view>

namespace tallyrix {

// "25000000" -> "25,000,000", "-1234.5" -> "-1,234.5". Only a plain decimal
// value changes: an optional "-", digits, and optionally "." and more
// digits. Exponent forms ("1.5E20"), "INF", "NAN" and every other text come
// back as they are.
std::string GroupDigits(std::string_view value);

// Every line of text ('\n' between lines) with its value grouped: the part
// after the line's first ": " ("12: 25000000", "total: 25000000"), or the
// whole line when it has none. Labels and messages stay as they are.
std::string GroupLineValues(std::string_view text);

}  // namespace tallyrix
