#include "registry/FieldList.h"

#include <algorithm>
#include <iterator>

namespace tallyrix {
namespace {

bool IsBlank(char c) { return c >= '\x01' && c <= ' '; }

// Bytes up to 0x20 count as blanks and separators; NUL is the end.
bool EndsUnquoted(char c) { return static_cast<unsigned char>(c) <= ' ' || c == ','; }

void SkipBlanks(std::string_view line, std::size_t& i)
{
    while (i < line.size() && IsBlank(line[i]))
        ++i;
}

std::string ReadQuoted(std::string_view line, std::size_t& i)
{
    std::string field;
    ++i;  // the opening quote
    while (i < line.size()) {
        const char c = line[i++];
        if (c != '"') {
            field += c;
            continue;
        }
        if (i >= line.size() || line[i] != '"') break;  // the closing quote
        field += '"';
        ++i;
    }
    return field;
}

std::string ReadUnquoted(std::string_view line, std::size_t& i)
{
    const std::size_t start = i;
    while (i < line.size() && !EndsUnquoted(line[i]))
        ++i;
    return std::string(line.substr(start, i - start));
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view line)
{
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> fields;
    std::size_t i = 0;
    SkipBlanks(line, i);
    while (i < line.size()) {
        fields.push_back(line[i] == '"' ? ReadQuoted(line, i) : ReadUnquoted(line, i));
        SkipBlanks(line, i);
        if (i < line.size() && line[i] == ',') {
            ++i;
            SkipBlanks(line, i);
        }
    }
    return fields;
}

std::string QuoteField(std::string_view field)
{
    bool needsQuotes = false;
    for (const char c : field)
        needsQuotes = needsQuotes || EndsUnquoted(c) || c == '"';
    if (!needsQuotes) return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string JoinFields(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += QuoteField(fields[i]);
    }
    return line;
}

std::string SingleLineField(std::string_view field)
{
    // The multi-byte breaks in UTF-8: NEL, LINE SEPARATOR, PARAGRAPH SEPARATOR.
    static constexpr std::string_view WideBreaks[] = {"\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"};
    std::string line;
    line.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\r' && i + 1 < field.size() && field[i + 1] == '\n') continue;  // CR LF is one break
        if (c == '\r' || c == '\n' || c == '\t' || c == '\v' || c == '\f') {
            line += ' ';
            continue;
        }
        const auto wide = std::find_if(std::begin(WideBreaks), std::end(WideBreaks),
                                       [&](std::string_view text) { return field.substr(i).starts_with(text); });
        if (wide != std::end(WideBreaks)) {
            line += ' ';
            i += wide->size() - 1;
            continue;
        }
        line += c;
    }
    return line;
}

}  // namespace tallyrix
