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

StatementLines::StatementLines(std::span<const LineOrigin> origins, std::string_view input)
    : Origins(origins), Text(input.substr(0, input.size() >= 2 ? input.size() - 2 : 0))
{
}

std::size_t StatementLines::LineOf(std::size_t offset) const
{
    const auto after =
        std::upper_bound(Origins.begin(), Origins.end(), offset,
                         [](std::size_t value, const LineOrigin& origin) { return value < origin.statementOffset; });
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

std::vector<std::size_t> StatementLines::EndLines(const std::vector<std::size_t>& ends, std::size_t count) const
{
    std::vector<std::size_t> lines;
    lines.reserve(count);
    // A statement closed by the end of the document ends on its last word,
    // not on blank lines or comments after it.
    std::size_t last = Text.size();
    while (last > 0 && IsBlank(Text[last - 1]))
        --last;
    // The ends come in order, so one walk along the lines finds them all.
    std::size_t line = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = ends[i] < Text.size() || last == 0 ? ends[i] : last - 1;
        while (line + 1 < Origins.size() && Origins[line + 1].statementOffset <= end)
            ++line;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string_view> StatementLines::ValuesByLine(const std::vector<std::size_t>& ends, const LineList& values,
                                                           std::size_t lineCount) const
{
    std::vector<std::string_view> byLine(lineCount);
    const std::vector<std::size_t> lines = EndLines(ends, std::min(ends.size(), values.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] < lineCount) byLine[lines[i]] = ValueOf(values[i]);
    }
    return byLine;
}

LineValues StatementLines::ValuesBesideLines(const std::vector<std::size_t>& ends, const LineList& values,
                                             std::size_t lineCount, std::size_t messageLine,
                                             std::string_view message) const
{
    std::vector<std::string_view> byLine(lineCount);
    LineValues result;
    const std::vector<std::size_t> lines = EndLines(ends, std::min(ends.size(), values.size()));
    std::size_t first = 0;  // the first statement ending on lines[i]
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] < lineCount) byLine[lines[i]] = ValueOf(values[i]);
        // A note where a second value (or the message after a value) stands.
        if (i > 0 && lines[i] != lines[i - 1]) first = i;
        const bool withMessage = !message.empty() && lines[i] == messageLine;
        const bool lastOnLine = i + 1 == lines.size() || lines[i + 1] != lines[i];
        if (!lastOnLine || (i == first && !withMessage)) continue;
        std::string note;
        for (std::size_t j = first; j <= i; ++j)
            note.append(values[j]).append(1, '\n');
        if (withMessage) note.append(message).append(1, '\n');
        note.pop_back();
        result.notes.emplace_back(lines[i], std::move(note));
    }
    if (!message.empty() && messageLine < lineCount) byLine[messageLine] = message;

    result.text.reserve(values.Text().size() + message.size() + lineCount);
    for (const std::string_view value : byLine)
        result.text.append(value).append(1, '\n');
    if (!result.text.empty()) result.text.pop_back();
    return result;
}

DocumentSpan StatementLines::ErrorSpan(std::size_t start, std::size_t stop) const
{
    stop = std::min(stop, Text.size());
    start = std::min(start, stop);
    if (stop > start && Text[stop - 1] == ';') --stop;
    while (start < stop && IsBlank(Text[start]))
        ++start;
    while (stop > start && IsBlank(Text[stop - 1]))
        --stop;
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
