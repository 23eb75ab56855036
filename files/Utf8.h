// Reading and writing UTF-8 one code point at a time, for the text codec.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyrix::utf8 {

inline constexpr char32_t NoCodePoint = 0xFFFFFFFF;

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
// Returns NoCodePoint and advances one byte at a byte that starts no valid
// sequence.
char32_t Next(std::string_view s, std::size_t& i);

void Append(std::string& out, char32_t cp);

}  // namespace tallyrix::utf8
