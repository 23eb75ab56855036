#include "files/ProfileFile.h"

#include <algorithm>
#include <cstdint>

#include "files/TextCodec.h"
#include "files/TextLines.h"

namespace tallyrix {
namespace {

constexpr std::string_view Blanks = " \t";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// "[name]" gives the name; a header without its closing bracket runs to the
// end of the line.
std::optional<std::string_view> SectionNameOf(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return Trim(line.substr(0, line.find(']')));
}

// The name of a "key=value" line; comments and other lines have none.
std::optional<std::string_view> KeyOf(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(trimmed.substr(0, equals));
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view ValueOf(std::string_view line) { return Unquote(Trim(line.substr(line.find('=') + 1))); }

// Cuts after count UTF-8 characters, never inside one.
std::string_view CutToCharacters(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count) return text.substr(0, i);
    }
    return text;
}

// What reading gives back exactly: the text up to its first line break,
// quoted when its blanks or quotes would otherwise be taken away.
std::string StorableValue(std::string_view value)
{
    value = value.substr(0, value.find_first_of("\r\n"));
    if (value.empty()) return {};
    const bool trimmed =
        Blanks.find(value.front()) != std::string_view::npos || Blanks.find(value.back()) != std::string_view::npos;
    if (trimmed || Unquote(value).size() != value.size()) return '"' + std::string(value) + '"';
    return std::string(value);
}

std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base)
{
    if (digits.empty()) return std::nullopt;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > (base == 16 ? 8u : 10u)) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const char lower = LowerAscii(c);
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && lower >= 'a' && lower <= 'f')
            digit = lower - 'a' + 10;
        else
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    return value;
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text)
{
    text = Trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const bool hex = text.size() >= 2 && text[0] == '0' && LowerAscii(text[1]) == 'x';
    const std::optional<std::uint64_t> magnitude = ParseDigits(hex ? text.substr(2) : text, hex ? 16 : 10);
    if (!magnitude) return std::nullopt;
    // A hexadecimal value is a 32-bit pattern; a decimal one must fit.
    const std::int64_t limit = hex ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    if (static_cast<std::int64_t>(*magnitude) > limit || (hex && negative && *magnitude > 0x80000000u))
        return std::nullopt;
    const auto pattern = static_cast<std::uint32_t>(negative ? 0u - *magnitude : *magnitude);
    return static_cast<std::int32_t>(pattern);
}

// A file of ASCII alone reads the same in every encoding; it is written as
// UTF-8.
ProfileFile ProfileFile::FromBytes(std::string_view bytes)
{
    ProfileFile file;
    const DecodedText decoded = DecodeText(bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    file.encoding = decoded.encoding == TextEncoding::ShiftJis && ascii ? TextEncoding::Utf8 : decoded.encoding;
    file.undecodableBytes = decoded.undecodableBytes;
    file.lines = SplitLines(decoded.text);
    return file;
}

std::string ProfileFile::ToBytes() const
{
    const std::string text = JoinLinesCrLf(lines);
    if (encoding == TextEncoding::ShiftJis) return EncodeText(text, TextEncoding::ShiftJis);
    return encoding == TextEncoding::Utf8WithBom ? std::string(Utf8Bom) + text : text;
}

std::optional<ProfileFile::SectionRange> ProfileFile::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = SectionNameOf(lines[i]);
        if (!name || !SameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionNameOf(lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::FindKey(const SectionRange& range, std::string_view key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const std::optional<std::string_view> name = KeyOf(lines[i]);
        if (name && SameName(*name, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::ReadText(std::string_view section, std::string_view key) const
{
    const std::optional<SectionRange> range = FindSection(section);
    const std::optional<std::size_t> line = range ? FindKey(*range, key) : std::nullopt;
    if (!line) return std::nullopt;
    return std::string(CutToCharacters(ValueOf(lines[*line]), MaxProfileTextLength));
}

std::string ProfileFile::ReadText(std::string_view section, std::string_view key, const std::string& fallback) const
{
    return ReadText(section, key).value_or(fallback);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    const std::optional<std::string> text = ReadText(section, key);
    return text ? ParseProfileInteger(*text).value_or(fallback) : fallback;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::WriteText(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + '=' + StorableValue(value);
    const std::optional<SectionRange> range = FindSection(section);
    if (!range) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back('[' + std::string(section) + ']');
        lines.push_back(std::move(line));
        return;
    }
    if (const std::optional<std::size_t> existing = FindKey(*range, key)) {
        lines[*existing] = std::move(line);
        return;
    }
    std::size_t after = range->header;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (KeyOf(lines[i])) after = i;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1), std::move(line));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteText(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteText(section, key, value ? "1" : "0");
}

}  // namespace tallyrix
