// The field lists of Registered.txt: fields separated by commas or blanks,
// double-quoted when they hold a comma, a quote or a control character.
// Lines are UTF-8: every byte of a multi-byte character is 0x80 or above, so
// no part of one is ever taken for a separator or a quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallyrix {

// Reading: bytes 0x01-0x20 around fields are skipped; an unquoted field ends
// at a comma or a byte of 0x20 or less, so "a b,1" gives a, b and 1; a quoted
// field ends at the next single quote, "" standing for one quote; a comma
// after the last field adds none ("k,5," gives k and 5), two commas give an
// empty field. A NUL ends the line.
std::vector<std::string> SplitFields(std::string_view line);

// A field with a comma, a double quote or a byte of 0x20 or less goes in
// quotes with its quotes doubled; any other field, the empty one included,
// stays as it is.
std::string QuoteField(std::string_view field);

// A field as one line of the file can hold it: every line break (CR LF,
// CR, LF, VT, FF, NEL, U+2028, U+2029) and every tab becomes one space.
std::string SingleLineField(std::string_view field);

// Quoted fields joined with single commas: {"g", "9.80665", ""} gives
// "g,9.80665,".
std::string JoinFields(const std::vector<std::string>& fields);

}  // namespace tallyrix
