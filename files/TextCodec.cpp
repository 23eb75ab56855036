#include "files/TextCodec.h"

#include <algorithm>
#include <bitset>
#include <optional>

#include "files/Cp932Table.h"
#include "files/Utf8.h"

namespace tallyrix {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// The blocks escapes may take: U+F700-U+F7FF, then the blocks of 256 of
// planes 15 and 16 but each plane's last, which ends in noncharacters.
constexpr std::size_t EscapeBlockCount = 1 + 2 * 255;
using EscapeBlocks = std::bitset<EscapeBlockCount>;

std::optional<std::size_t> EscapeBlockOf(char32_t cp)
{
    const char32_t block = cp >> 8;
    if (block == DefaultByteEscapes >> 8) return 0;
    if (block >= 0xF00 && block < 0xFFF) return 1 + (block - 0xF00);
    if (block >= 0x1000 && block < 0x10FF) return 256 + (block - 0x1000);
    return std::nullopt;
}

char32_t EscapeBlockStart(std::size_t index)
{
    if (index == 0) return DefaultByteEscapes;
    return static_cast<char32_t>(index < 256 ? 0xF00 + index - 1 : 0x1000 + index - 256) << 8;
}

// Escapes of the first block the text leaves free; 0 (bytes read as
// U+FFFD) in the one case none is: a text holding a character in each of
// the 511 blocks.
char32_t FreeEscapes(const EscapeBlocks& occupied)
{
    for (std::size_t index = 0; index < EscapeBlockCount; ++index)
        if (!occupied[index]) return EscapeBlockStart(index);
    return 0;
}

// Collects a decoded text: characters as UTF-8, unreadable bytes as
// escapes; notes which escape blocks the characters themselves occupy.
class TextSink {
public:
    TextSink(std::size_t size, char32_t escapes) : Escapes(escapes) { Text.reserve(size + size / 2); }

    void Put(char32_t cp)
    {
        utf8::Append(Text, cp);
        Note(cp);
    }
    void PutSequence(std::string_view sequence, char32_t cp)
    {
        Text.append(sequence);
        Note(cp);
    }
    // The run of ASCII bytes from i, appended at once (most of a document);
    // returns where it ends.
    std::size_t PutAscii(std::string_view bytes, std::size_t i)
    {
        const std::size_t start = i;
        while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
            ++i;
        Text.append(bytes, start, i - start);
        return i;
    }
    void PutByte(unsigned char byte)
    {
        utf8::Append(Text, Escapes != 0 ? Escapes + byte : Replacement);
        ++Undecodable;
    }

    std::string Text;
    std::size_t Undecodable = 0;
    EscapeBlocks Occupied;

private:
    void Note(char32_t cp)
    {
        if (cp < DefaultByteEscapes) return;
        if (const auto index = EscapeBlockOf(cp)) Occupied.set(*index);
    }

    char32_t Escapes;
};

void DecodeUtf8(std::string_view bytes, TextSink& sink)
{
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            i = sink.PutAscii(bytes, i);
            continue;
        }
        const std::size_t start = i;
        const char32_t cp = utf8::Next(bytes, i);
        if (cp == utf8::NoCodePoint)
            sink.PutByte(static_cast<unsigned char>(bytes[start]));
        else
            sink.PutSequence(bytes.substr(start, i - start), cp);
    }
}

// Keeps only the characters whose occurrences were not all in the form the
// encoder would choose anyway.
void DropDefaultSpellings(Cp932Spelling& spelling, const cp932::Table& table)
{
    std::erase_if(spelling.forms, [&](const auto& entry) {
        for (const std::uint16_t form : entry.second)
            if (form != table.encode[entry.first]) return false;
        return true;
    });
}

void DecodeCp932(std::string_view bytes, TextSink& sink, Cp932Spelling* spelling)
{
    const cp932::Table& table = cp932::GetTable();
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            i = sink.PutAscii(bytes, i);
            continue;
        }
        const cp932::Character character = cp932::ReadCharacter(table, bytes, i);
        if (!character.valid) {
            sink.PutByte(static_cast<unsigned char>(bytes[i]));
        } else {
            sink.Put(character.unit);
            if (spelling && character.length == 2 && table.twoForms[character.unit])
                spelling->forms[character.unit].push_back(character.form);
        }
        i += character.length;
    }
    if (spelling) DropDefaultSpellings(*spelling, table);
}

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

// A surrogate without its partner is kept as its two bytes, and an odd last
// byte as itself.
void DecodeUtf16(std::string_view bytes, bool bigEndian, TextSink& sink)
{
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 3 < bytes.size() && IsLowSurrogate(unitAt(i + 2))) {
            sink.Put(0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00));
            i += 2;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            sink.PutByte(static_cast<unsigned char>(bytes[i]));
            sink.PutByte(static_cast<unsigned char>(bytes[i + 1]));
        } else {
            sink.Put(unit);
        }
    }
    if (i < bytes.size()) sink.PutByte(static_cast<unsigned char>(bytes[i]));
}

// The text after the mark, in one encoding, with the given escapes.
TextSink DecodeBody(std::string_view body, TextEncoding encoding, char32_t escapes, Cp932Spelling* spelling)
{
    TextSink sink(body.size(), escapes);
    if (spelling) spelling->forms.clear();
    switch (encoding) {
        case TextEncoding::ShiftJis:
            DecodeCp932(body, sink, spelling);
            break;
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom:
            DecodeUtf8(body, sink);
            break;
        case TextEncoding::Utf16Le:
            DecodeUtf16(body, false, sink);
            break;
        case TextEncoding::Utf16Be:
            DecodeUtf16(body, true, sink);
            break;
    }
    return sink;
}

DecodedText Decode(std::string_view bytes, TextFormat& format)
{
    const EncodingChoice choice = ChooseEncoding(bytes);
    const std::string_view body = bytes.substr(choice.markLength);
    format.encoding = choice.encoding;
    format.byteEscapes = DefaultByteEscapes;
    TextSink sink = DecodeBody(body, choice.encoding, format.byteEscapes, &format.spelling);
    if (sink.Undecodable == 0) {
        format.byteEscapes = 0;
    } else if (sink.Occupied[0]) {
        // The text holds characters of the usual block: the escapes go elsewhere.
        format.byteEscapes = FreeEscapes(sink.Occupied);
        sink = DecodeBody(body, choice.encoding, format.byteEscapes, &format.spelling);
    }
    return DecodedText{std::move(sink.Text), choice.encoding, sink.Undecodable};
}

// Writes code points in code page 932, following a file's spelling of the
// characters that have two forms.
class Cp932Writer {
public:
    explicit Cp932Writer(const Cp932Spelling* spelling) : Table(cp932::GetTable()), Spelling(spelling) {}

    // False when the code point has no place in the code page.
    bool Put(char32_t cp, std::string& out)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            return true;
        }
        if (cp > 0xFFFF) return false;
        const auto unit = static_cast<char16_t>(cp);
        const cp932::ByteForm form = FormFor(unit);
        if (form == 0) return false;
        if (form >= 0x100) out += static_cast<char>(form >> 8);
        out += static_cast<char>(form & 0xFF);
        return true;
    }

private:
    cp932::ByteForm FormFor(char16_t unit)
    {
        const cp932::ByteForm standard = Table.encode[unit];
        if (!Spelling || standard == 0 || !Table.twoForms[unit]) return standard;
        const auto found = Spelling->forms.find(unit);
        if (found == Spelling->forms.end() || found->second.empty()) return standard;
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

void PutUtf16(char32_t cp, bool bigEndian, std::string& out)
{
    const auto putUnit = [&](char32_t unit) {
        const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    if (cp < 0x10000) {
        putUnit(cp);
        return;
    }
    putUnit(0xD800 + ((cp - 0x10000) >> 10));
    putUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
}

// The bytes of the text in one encoding, mark first; a code point of the
// escapes (none when 0) is written as the byte it stands for. Nothing when
// a character does not fit.
std::optional<std::string> EncodeIn(TextEncoding encoding, std::string_view utf8, char32_t escapes,
                                    const Cp932Spelling* spelling)
{
    std::string out(ByteOrderMark(encoding));
    const bool isUtf8 = encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8WithBom;
    if (isUtf8 && escapes == 0) return out.append(utf8);
    Cp932Writer cp932(spelling);
    out.reserve(out.size() + utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = utf8::Next(utf8, i);
        if (cp == utf8::NoCodePoint) return std::nullopt;
        if (escapes != 0 && cp >= escapes && cp - escapes < 0x100) {
            out += static_cast<char>(cp - escapes);
            continue;
        }
        switch (encoding) {
            case TextEncoding::ShiftJis:
                if (!cp932.Put(cp, out)) return std::nullopt;
                break;
            case TextEncoding::Utf8:
            case TextEncoding::Utf8WithBom:
                utf8::Append(out, cp);
                break;
            case TextEncoding::Utf16Le:
                PutUtf16(cp, false, out);
                break;
            case TextEncoding::Utf16Be:
                PutUtf16(cp, true, out);
                break;
        }
    }
    return out;
}

bool HasNonAscii(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The bytes are written only when they read back as the very same text:
// escapes may join into a character or stand for ASCII, code page 932 bytes
// may be taken for UTF-8, and unmarked UTF-8 for code page 932 or, when it
// opens with U+FEFF, for marked UTF-8. Without escapes, bytes read in the
// encoding they were written in give back the text, and ASCII is ASCII.
bool ReadsBackAs(std::string_view bytes, std::string_view utf8, TextEncoding written, char32_t escapes)
{
    const EncodingChoice choice = ChooseEncoding(bytes);
    if (escapes == 0) return choice.encoding == written || (choice.markLength == 0 && !HasNonAscii(bytes));
    const TextSink again = DecodeBody(bytes.substr(choice.markLength), choice.encoding, escapes, nullptr);
    return again.Text == utf8 && (escapes != 0 || again.Undecodable == 0);
}

std::string Encode(std::string_view utf8, const TextFormat& format, TextEncoding* used)
{
    const TextEncoding preferred = format.encoding;
    const bool unicode = preferred != TextEncoding::ShiftJis && preferred != TextEncoding::Utf8;
    const TextEncoding fallback = unicode ? preferred : TextEncoding::Utf8WithBom;
    for (const TextEncoding encoding : {preferred, fallback}) {
        const auto bytes = EncodeIn(encoding, utf8, format.byteEscapes, &format.spelling);
        if (bytes && ReadsBackAs(*bytes, utf8, encoding, format.byteEscapes)) {
            if (used) *used = encoding;
            return std::move(*bytes);
        }
        if (encoding == fallback) break;
    }
    // The escapes make a character in every encoding: they are kept as the
    // characters the editor showed.
    if (used) *used = fallback;
    return EncodeIn(fallback, utf8, 0, nullptr).value_or(std::string(ByteOrderMark(fallback)) + std::string(utf8));
}

}  // namespace

DecodedText DecodeText(std::string_view bytes, TextFormat& format) { return Decode(bytes, format); }

DecodedText DecodeText(std::string_view bytes)
{
    TextFormat format;
    return Decode(bytes, format);
}

std::string EncodeText(std::string_view utf8, const TextFormat& format, TextEncoding* used)
{
    return Encode(utf8, format, used);
}

std::string EncodeText(std::string_view utf8, TextEncoding preferred, TextEncoding* used)
{
    return Encode(utf8, TextFormat{preferred, {}, DefaultByteEscapes}, used);
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
        const char32_t cp = utf8::Next(utf8, i);
        const bool singleByte = cp == utf8::NoCodePoint || (cp >= FirstByteEscape && cp <= LastByteEscape) ||
                                (cp <= 0xFFFF && table.encode[cp] != 0 && table.encode[cp] < 0x100);
        length += singleByte ? 1 : 2;
    }
    return length;
}

}  // namespace tallyrix
