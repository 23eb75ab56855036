// Which encoding the bytes of a calculation document or Registered.txt are
// read in. No Qt: the command line reads its input by the same rules.
#pragma once

#include <cstddef>
#include <string_view>

namespace tallyrix {

enum class TextEncoding { ShiftJis, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::ShiftJis;
    std::size_t markLength = 0;  // the byte-order mark before the text
};

// A byte-order mark decides (UTF-8, UTF-16 in either byte order). Without
// one, the bytes are read in the encoding that leaves fewer of them
// unreadable: code page 932 or UTF-8. When both read them equally well, and
// most often both read them wholly, a short text is taken for code page 932
// and a longer one for UTF-8 (see ChooseUnmarked).
EncodingChoice ChooseEncoding(std::string_view bytes);

// The byte-order mark a file in the encoding begins with ("" for none).
std::string_view ByteOrderMark(TextEncoding encoding);

// Up to this many non-ASCII characters of UTF-8 count as a short text.
inline constexpr std::size_t ShortTextCharacters = 8;

}  // namespace tallyrix
