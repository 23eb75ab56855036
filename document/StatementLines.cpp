#include "document/StatementLines.h"

#include <algorithm>

namespace tallyrix {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// "12: 16500" gives "16500".
std::string_view ValueOf(std::string_view line)
{
    const std::size_t colon = line.find(": ");
    return colon == std::string_view::npos ? line : line.substr(colon + 2);
}

}  // namespace

StatementLines::StatementLines(std::vector<LineOrigin> origins, std::string_view input)
    : Origins(std::move(origins)), Text(input.substr(0, input.size() >= 2 ? input.size() - 2 : 0))
{
}

std::size_t StatementLines::LineOf(std::size_t offset) const
{
    const auto after = std::upper_bound(Origins.begin(), Origins.end(), offset,
                                        [](std::size_t value, const LineOrigin& origin) {
                                            return value < origin.statementOffset;
                                        });
    return after == Origins.begin() ? 0 : static_cast<std::size_t>(after - Origins.begin() - 1);
}

DocumentPoint StatementLines::PointAt(std::size_t offset) const
{
    const std::size_t line = LineOf(offset);
    if (Origins.empty()) return {};
    const LineOrigin& origin = Origins[line];
    // The line's one space stands for the blanks trimmed from its start.
    const std::size_t within = offset - origin.statementOffset;
    return {line, within == 0 ? 0 : origin.indent + within - 1};
}

std::vector<std::string_view> StatementLines::ValuesByLine(const std::vector<std::size_t>& ends,
                                                           const LineList& values, std::size_t lineCount) const
{
    std::vector<std::string_view> byLine(lineCount);
    // A statement closed by the end of the document ends on its last word,
    // not on blank lines or comments after it.
    std::size_t last = Text.size();
    while (last > 0 && IsBlank(Text[last - 1])) --last;
    // The ends come in order, so one walk along the lines finds them all.
    std::size_t line = 0;
    const std::size_t count = std::min(ends.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = ends[i] < Text.size() || last == 0 ? ends[i] : last - 1;
        while (line + 1 < Origins.size() && Origins[line + 1].statementOffset <= end) ++line;
        if (line < lineCount) byLine[line] = ValueOf(values[i]);
    }
    return byLine;
}

DocumentSpan StatementLines::ErrorSpan(std::size_t start, std::size_t stop) const
{
    stop = std::min(stop, Text.size());
    start = std::min(start, stop);
    if (stop > start && Text[stop - 1] == ';') --stop;
    while (start < stop && IsBlank(Text[start])) ++start;
    while (stop > start && IsBlank(Text[stop - 1])) --stop;
    if (start == stop) {
        const DocumentPoint point = PointAt(start);
        return {point, point};
    }
    DocumentPoint to = PointAt(stop - 1);
    ++to.column;
    // A stop inside a character of several bytes takes in the whole character.
    const std::size_t last = stop - 1;
    for (std::size_t i = stop; i < Text.size() && (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80 &&
                               (static_cast<unsigned char>(Text[last]) & 0x80);
         ++i)
        ++to.column;
    return {PointAt(start), to};
}

}  // namespace tallyrix
