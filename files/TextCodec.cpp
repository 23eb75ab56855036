#include "files/TextCodec.h"

#include <algorithm>
#include <optional>

#include "files/Cp932Table.h"

namespace tallyrix {
namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr char32_t NoCodePoint = 0xFFFFFFFF;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
// Returns NoCodePoint and advances one byte at a byte that starts no valid
// sequence.
char32_t NextUtf8(std::string_view s, std::size_t& i)
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

void AppendUtf8(std::string& out, char32_t cp)
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

void AppendEscape(DecodedText& decoded, unsigned char byte)
{
    AppendUtf8(decoded.text, 0xF700 + byte);
    ++decoded.undecodableBytes;
}

// True for valid UTF-8 that holds at least one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view bytes)
{
    bool nonAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t cp = NextUtf8(bytes, i);
        if (cp == NoCodePoint)
            return false;
        nonAscii = nonAscii || cp >= 0x80;
    }
    return nonAscii;
}

DecodedText DecodeUtf8(std::string_view bytes, TextEncoding encoding)
{
    DecodedText decoded;
    decoded.encoding = encoding;
    decoded.text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t start = i;
        const char32_t cp = NextUtf8(bytes, i);
        if (cp == NoCodePoint)
            AppendEscape(decoded, static_cast<unsigned char>(bytes[start]));
        else
            decoded.text.append(bytes.substr(start, i - start));
    }
    return decoded;
}

// Keeps only the characters whose occurrences were not all in the form the
// encoder would choose anyway.
void DropDefaultSpellings(Cp932Spelling& spelling, const cp932::Table& table)
{
    std::erase_if(spelling.forms, [&](const auto& entry) {
        for (const std::uint16_t form : entry.second)
            if (form != table.encode[entry.first])
                return false;
        return true;
    });
}

DecodedText DecodeCp932(std::string_view bytes, Cp932Spelling* spelling)
{
    const cp932::Table& table = cp932::GetTable();
    DecodedText decoded;
    decoded.encoding = TextEncoding::ShiftJis;
    decoded.text.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            decoded.text += static_cast<char>(b);
            ++i;
            continue;
        }
        const auto pair = i + 1 < bytes.size()
            ? static_cast<cp932::ByteForm>(b << 8 | static_cast<unsigned char>(bytes[i + 1])) : cp932::ByteForm{0};
        if (pair != 0 && table.decode[pair] != 0) {
            const char16_t unit = table.decode[pair];
            AppendUtf8(decoded.text, unit);
            if (spelling && table.twoForms[unit])
                spelling->forms[unit].push_back(pair);
            i += 2;
        } else if (table.decode[b] != 0) {
            AppendUtf8(decoded.text, table.decode[b]);
            ++i;
        } else {
            AppendEscape(decoded, b);
            ++i;
        }
    }
    if (spelling)
        DropDefaultSpellings(*spelling, table);
    return decoded;
}

DecodedText Decode(std::string_view bytes, Cp932Spelling* spelling)
{
    if (bytes.starts_with(Bom))
        return DecodeUtf8(bytes.substr(Bom.size()), TextEncoding::Utf8WithBom);
    if (IsNonAsciiUtf8(bytes)) {
        DecodedText decoded;
        decoded.text.assign(bytes);
        decoded.encoding = TextEncoding::Utf8;
        return decoded;
    }
    return DecodeCp932(bytes, spelling);
}

// Writes code points in code page 932, following a file's spelling of the
// characters that have two forms.
class Cp932Writer {
public:
    explicit Cp932Writer(const Cp932Spelling* spelling) : Table(cp932::GetTable()), Spelling(spelling) {}

    // False when the code point has no place in the code page.
    bool Put(char32_t cp, std::string& out)
    {
        if (cp < 0x80 || (cp >= FirstByteEscape && cp <= LastByteEscape)) {
            out += static_cast<char>(cp & 0xFF);
            return true;
        }
        if (cp > 0xFFFF)
            return false;
        const auto unit = static_cast<char16_t>(cp);
        const cp932::ByteForm form = FormFor(unit);
        if (form == 0)
            return false;
        if (form >= 0x100)
            out += static_cast<char>(form >> 8);
        out += static_cast<char>(form & 0xFF);
        return true;
    }

private:
    cp932::ByteForm FormFor(char16_t unit)
    {
        const cp932::ByteForm standard = Table.encode[unit];
        if (!Spelling || standard == 0 || !Table.twoForms[unit])
            return standard;
        const auto found = Spelling->forms.find(unit);
        if (found == Spelling->forms.end() || found->second.empty())
            return standard;
        const std::size_t occurrence = Seen[unit]++;
        const auto& forms = found->second;
        const cp932::ByteForm recorded = forms[std::min(occurrence, forms.size() - 1)];
        // A spelling handed in from elsewhere must still name this character.
        return Table.decode[recorded] == unit ? recorded : standard;
    }

    const cp932::Table& Table;
    const Cp932Spelling* Spelling;
    std::map<char16_t, std::size_t> Seen;
};

std::optional<std::string> EncodeCp932(std::string_view utf8, const Cp932Spelling* spelling)
{
    Cp932Writer writer(spelling);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextUtf8(utf8, i);
        if (cp == NoCodePoint || !writer.Put(cp, out))
            return std::nullopt;
    }
    return out;
}

bool HasNonAscii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The bytes are written only when they read back as the very same text: the
// byte escapes may join into a character, and code page 932 bytes may happen
// to be valid UTF-8.
bool ReadsBackAs(std::string_view bytes, std::string_view utf8)
{
    if (!HasNonAscii(bytes))
        return true;
    const DecodedText again = DecodeText(bytes);
    return again.encoding == TextEncoding::ShiftJis && again.text == utf8;
}

std::string Encode(std::string_view utf8, TextEncoding preferred, const Cp932Spelling* spelling, TextEncoding* used)
{
    if (preferred == TextEncoding::ShiftJis) {
        if (auto bytes = EncodeCp932(utf8, spelling); bytes && ReadsBackAs(*bytes, utf8)) {
            if (used)
                *used = TextEncoding::ShiftJis;
            return std::move(*bytes);
        }
        preferred = TextEncoding::Utf8WithBom;
    }
    // Unmarked, a leading U+FEFF would be taken for the mark on reading.
    if (preferred == TextEncoding::Utf8 && utf8.starts_with(Bom))
        preferred = TextEncoding::Utf8WithBom;
    if (used)
        *used = preferred;
    if (preferred == TextEncoding::Utf8)
        return std::string(utf8);
    std::string out(Bom);
    out.append(utf8);
    return out;
}

}  // namespace

DecodedText DecodeText(std::string_view bytes) { return Decode(bytes, nullptr); }

DecodedText DecodeText(std::string_view bytes, Cp932Spelling& spelling)
{
    spelling.forms.clear();
    return Decode(bytes, &spelling);
}

std::string EncodeText(std::string_view utf8, TextEncoding preferred, TextEncoding* used)
{
    return Encode(utf8, preferred, nullptr, used);
}

std::string EncodeText(std::string_view utf8, TextEncoding preferred, const Cp932Spelling& spelling,
                       TextEncoding* used)
{
    return Encode(utf8, preferred, &spelling, used);
}

std::size_t Cp932Length(std::string_view utf8)
{
    const cp932::Table& table = cp932::GetTable();
    std::size_t length = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b == '\r' || b == '\n') {
            length += 2;
            i += (b == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (b < 0x80) {
            ++length;
            ++i;
            continue;
        }
        const char32_t cp = NextUtf8(utf8, i);
        const bool singleByte = cp == NoCodePoint || (cp >= FirstByteEscape && cp <= LastByteEscape)
            || (cp <= 0xFFFF && table.encode[cp] != 0 && table.encode[cp] < 0x100);
        length += singleByte ? 1 : 2;
    }
    return length;
}

}  // namespace tallyrix
