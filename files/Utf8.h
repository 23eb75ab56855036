// Reading and writing UTF-8 one code point at a time, for the text codec;
// inline, as the codec calls them once a character on texts of megabytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyrix::utf8 {

inline constexpr char32_t NoCodePoint = 0xFFFFFFFF;

inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
// Returns NoCodePoint and advances one byte at a byte that starts no valid
// sequence.
inline char32_t Next(std::string_view s, std::size_t& i)
{
    const auto at = [&](std::size_t k) { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u; };
    const unsigned b = at(0);
    if (b < 0x80) {
        ++i;
        return b;
    }
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // allowed range of the second byte
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        cp = b & 0x0F;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        cp = b & 0x07;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || at(1) < low || at(1) > high) {
        ++i;
        return NoCodePoint;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(at(k)))) {
            ++i;
            return NoCodePoint;
        }
        cp = cp << 6 | (at(k) & 0x3F);
    }
    i += length;
    return cp;
}

inline void Append(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace tallyrix::utf8
