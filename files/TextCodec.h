// Text encodings of calculation documents and Registered.txt: Shift-JIS
// (code page 932) by default, UTF-8 when the bytes say so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

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
// ever lost: code page 932 bytes that DecodeText would read as another text
// (such as "ﾃｩ", whose bytes are valid UTF-8) are not written either.
std::string EncodeText(std::string_view utf8, TextEncoding preferred, TextEncoding* used = nullptr);

// Code page 932 holds some characters twice: the NEC-selected IBM extensions
// (lead bytes 0xED, 0xEE) repeat the IBM extensions (0xFA-0xFC), and a few
// NEC row-13 and IBM symbols repeat row 1 ("∵" is 0x81E6 and 0x879A). Both
// forms read as one Unicode character, which EncodeText writes in the form
// Windows writes. A file in the other form keeps its bytes when it is read
// with DecodeText(bytes, spelling) and saved with that spelling: per
// character, the k-th occurrence gets the form the k-th occurrence had in
// the file; occurrences beyond those recorded (added by editing) take the
// last recorded form, so a file keeps its habit.
struct Cp932Spelling {
    // code point → the byte pair (lead << 8 | trail) of each occurrence, in
    // order; only characters the file wrote at least once in the other form.
    std::map<char16_t, std::vector<std::uint16_t>> forms;
};

DecodedText DecodeText(std::string_view bytes, Cp932Spelling& spelling);
std::string EncodeText(std::string_view utf8, TextEncoding preferred, const Cp932Spelling& spelling,
                       TextEncoding* used = nullptr);

// Bytes that no encoding could read are kept as the private-use characters
// U+F780-U+F7FF (U+F700 + the byte); a code page 932 save writes them back
// as the same bytes, so a damaged file is not damaged further by a save.
inline constexpr char32_t FirstByteEscape = 0xF780;
inline constexpr char32_t LastByteEscape = 0xF7FF;

// Length of a text in code page 932 bytes: a double-byte character counts
// two, as does each line break (LF, CR, or CR LF, counted as CR LF). A
// character outside the code page counts two, like the double-byte
// characters it sits among; the text is then saved as UTF-8, so no code
// page length would be exact for it.
std::size_t Cp932Length(std::string_view utf8);

}  // namespace tallyrix
