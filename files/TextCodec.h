// Text encodings of calculation documents and Registered.txt: Shift-JIS
// (code page 932), UTF-8 or UTF-16, as the bytes say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "files/EncodingChoice.h"

namespace tallyrix {

// Code page 932 holds some characters twice: the NEC-selected IBM extensions
// (lead bytes 0xED, 0xEE) repeat the IBM extensions (0xFA-0xFC), and a few
// NEC row-13 and IBM symbols repeat row 1 ("∵" is 0x81E6 and 0x879A). Both
// forms read as one Unicode character, which EncodeText writes in the form
// Windows writes. A file in the other form keeps its bytes when it is read
// into a TextFormat and saved with it: per character, the k-th occurrence
// gets the form the k-th occurrence had in the file; occurrences beyond
// those recorded (added by editing) take the last recorded form, so a file
// keeps its habit.
struct Cp932Spelling {
    // code point → the byte pair (lead << 8 | trail) of each occurrence, in
    // order; only characters the file wrote at least once in the other form.
    std::map<char16_t, std::vector<std::uint16_t>> forms;
};

// Bytes that the encoding could not read are kept in the text as
// private-use characters, byte b as escapes + b, and a save writes them back
// as the same bytes, so a damaged file is not damaged further by a save. The
// block is U+F700-U+F7FF unless the text itself holds a character there;
// then it is the first free block of 256 in the supplementary private-use
// planes.
inline constexpr char32_t DefaultByteEscapes = 0xF700;
// Where the bytes 0x80-0xFF of code page 932 and UTF-8 stand by default.
inline constexpr char32_t FirstByteEscape = DefaultByteEscapes + 0x80;
inline constexpr char32_t LastByteEscape = DefaultByteEscapes + 0xFF;

// How a text was read, and so how a save writes it back as it was.
struct TextFormat {
    TextEncoding encoding = TextEncoding::ShiftJis;
    Cp932Spelling spelling;
    // The code point standing for byte 0 of the block of escapes, or 0 when
    // the file had no unreadable byte: then every character is itself.
    char32_t byteEscapes = 0;
};

struct DecodedText {
    std::string text;  // UTF-8
    TextEncoding encoding = TextEncoding::ShiftJis;
    std::size_t undecodableBytes = 0;  // bytes the encoding could not read
};

// Reads bytes in the encoding ChooseEncoding names; the format records what
// a save needs to write the same bytes again.
DecodedText DecodeText(std::string_view bytes, TextFormat& format);
DecodedText DecodeText(std::string_view bytes);

// Writes the text in format.encoding, escapes as the bytes they stand for.
// When the bytes would not read back as the same text (a character code
// page 932 cannot hold, code page 932 bytes that read as UTF-8 like "ﾃｩ",
// escapes an edit has joined into a character, unmarked UTF-8 that would be
// taken for code page 932), code page 932 and unmarked UTF-8 become UTF-8
// with a byte-order mark. Should the escapes still form a character, they
// are written as the characters they are shown as. No character is ever
// lost; used, when given, tells the encoding written.
std::string EncodeText(std::string_view utf8, const TextFormat& format, TextEncoding* used = nullptr);
// The same for a text read without a format: escapes in U+F700-U+F7FF.
std::string EncodeText(std::string_view utf8, TextEncoding preferred, TextEncoding* used = nullptr);

// Length of a text in code page 932 bytes: a double-byte character counts
// two, as does each line break (LF, CR, or CR LF, counted as CR LF). A
// character outside the code page counts two, like the double-byte
// characters it sits among; the text is then saved as UTF-8, so no code
// page length would be exact for it.
std::size_t Cp932Length(std::string_view utf8);

}  // namespace tallyrix
