// Text encodings of calculation documents and Registered.txt: Shift-JIS
// (code page 932) by default, UTF-8 when the bytes say so.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyrix {

enum class TextEncoding { ShiftJis, Utf8, Utf8WithBom };

struct DecodedText {
    std::string text;               // UTF-8
    TextEncoding encoding = TextEncoding::ShiftJis;
    std::size_t undecodableBytes = 0;  // bytes that no encoding could read
};

// UTF-8 with a byte-order mark, or valid UTF-8 holding non-ASCII bytes, is
// read as UTF-8; everything else as code page 932.
DecodedText DecodeText(std::string_view bytes);

// Code page 932 when every character fits, else UTF-8 with a byte-order mark;
// UTF-8 documents stay UTF-8 (with or without their mark). No character is
// ever lost.
std::string EncodeText(std::string_view utf8, TextEncoding preferred, TextEncoding* used = nullptr);

// Length of a text in code page 932 bytes: a double-byte character counts
// two, as does each line break (counted as CR LF).
std::size_t Cp932Length(std::string_view utf8);

}  // namespace tallyrix
