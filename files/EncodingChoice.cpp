#include "files/EncodingChoice.h"

#include "files/Cp932Table.h"
#include "files/Utf8.h"

namespace tallyrix {
namespace {

struct Mark {
    std::string_view bytes;
    TextEncoding encoding;
};

constexpr Mark Marks[] = {
    {"\xEF\xBB\xBF", TextEncoding::Utf8WithBom},
    {"\xFF\xFE", TextEncoding::Utf16Le},
    {"\xFE\xFF", TextEncoding::Utf16Be},
};

// What UTF-8 makes of bytes without a mark.
struct Utf8Reading {
    std::size_t unreadable = 0;   // bytes that start no valid sequence
    std::size_t nonAscii = 0;     // characters above U+007F
    bool beyondTwoBytes = false;  // some character above U+07FF
};

Utf8Reading ReadAsUtf8(std::string_view bytes)
{
    Utf8Reading reading;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const char32_t cp = utf8::Next(bytes, i);
        if (cp == utf8::NoCodePoint) {
            ++reading.unreadable;
        } else if (cp >= 0x80) {
            ++reading.nonAscii;
            reading.beyondTwoBytes = reading.beyondTwoBytes || cp >= 0x800;
        }
    }
    return reading;
}

// Bytes code page 932 cannot read; counting stops past limit, where the
// count no longer changes the choice.
std::size_t Cp932Unreadable(std::string_view bytes, std::size_t limit)
{
    const cp932::Table& table = cp932::GetTable();
    std::size_t unreadable = 0;
    for (std::size_t i = 0; i < bytes.size() && unreadable <= limit;) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const cp932::Character character = cp932::ReadCharacter(table, bytes, i);
        unreadable += character.valid ? 0 : 1;
        i += character.length;
    }
    return unreadable;
}

// The encoding that leaves fewer bytes unread wins. The two agree on how
// well they read most often over a few bytes that both read wholly:
// half-width katakana in pairs such as "ﾃｩ" (C3 A9) are also a two-byte
// UTF-8 character ("é"). Code page 932 text stays valid UTF-8 only while
// each run of non-ASCII bytes alternates between C2-DF and 80-BF, which a
// longer text almost never does, and Japanese in UTF-8 (three bytes a
// character) is not what code page 932 text looks like. So on a tie the
// text is code page 932 when UTF-8 would find at most ShortTextCharacters
// non-ASCII characters, all of them of two bytes; otherwise it is UTF-8.
TextEncoding ChooseUnmarked(std::string_view bytes)
{
    const Utf8Reading utf8 = ReadAsUtf8(bytes);
    if (utf8.unreadable == 0 && utf8.nonAscii == 0) return TextEncoding::ShiftJis;  // ASCII: nothing to choose
    const bool shortText = utf8.nonAscii <= ShortTextCharacters && !utf8.beyondTwoBytes;
    if (utf8.unreadable == 0 && !shortText) return TextEncoding::Utf8;  // code page 932 could at best tie
    const std::size_t cp932 = Cp932Unreadable(bytes, utf8.unreadable);
    if (cp932 != utf8.unreadable) return cp932 < utf8.unreadable ? TextEncoding::ShiftJis : TextEncoding::Utf8;
    return shortText ? TextEncoding::ShiftJis : TextEncoding::Utf8;
}

}  // namespace

std::string_view ByteOrderMark(TextEncoding encoding)
{
    for (const Mark& mark : Marks)
        if (mark.encoding == encoding) return mark.bytes;
    return {};
}

EncodingChoice ChooseEncoding(std::string_view bytes)
{
    for (const Mark& mark : Marks)
        if (bytes.starts_with(mark.bytes)) return {mark.encoding, mark.bytes.size()};
    return {ChooseUnmarked(bytes), 0};
}

}  // namespace tallyrix
