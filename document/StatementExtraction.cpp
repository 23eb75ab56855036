#include "document/StatementExtraction.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tallyrix {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view line)
{
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && IsTrimmed(line[begin]))
        ++begin;
    while (end > begin && IsTrimmed(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

struct LineMarks {
    std::size_t comment = std::string_view::npos;  // first "//" or "--"
    bool stop = false;                             // holds "///" or "---"
};

// One pass over the line for both kinds of marker: the window extracts the
// whole document on every key release.
LineMarks FindMarks(std::string_view line)
{
    LineMarks marks;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const char c = line[i];
        if ((c != '/' && c != '-') || line[i + 1] != c) continue;
        if (marks.comment == std::string_view::npos) marks.comment = i;
        if (i + 2 < line.size() && line[i + 2] == c) {
            marks.stop = true;
            break;
        }
    }
    return marks;
}

// Appends one line's contribution; false once the line held a stop marker.
bool AppendLine(std::string& result, std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    const LineMarks marks = FindMarks(trimmed);
    result += ' ';
    result += trimmed.substr(0, marks.comment);
    return !marks.stop;
}

// The line that begins at start, without its line break, and the offset
// where the next one begins (text.size() after the last line).
struct LineSpan {
    std::string_view line;
    std::size_t next;
};

LineSpan LineAt(std::string_view text, std::size_t start)
{
    std::size_t i = start;
    while (i < text.size() && text[i] != '\n' && text[i] != '\r')
        ++i;
    if (i == text.size()) return {text.substr(start), i};
    std::size_t next = i + 1;
    if (text[i] == '\r' && next < text.size() && text[next] == '\n') ++next;
    return {text.substr(start, i - start), next};
}

// Calls visit(line) for each line as the editor counts them, until it
// returns false.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit)
{
    for (std::size_t start = 0; start < text.size();) {
        const LineSpan span = LineAt(text, start);
        if (!visit(span.line)) return;
        start = span.next;
    }
}

}  // namespace

std::vector<std::string_view> SplitDocumentLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    ForEachLine(text, [&lines](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

std::string ExtractStatements(const std::vector<std::string_view>& lines)
{
    std::string result;
    std::size_t total = 0;
    for (std::string_view line : lines)
        total += line.size() + 1;
    result.reserve(total);
    for (std::string_view line : lines) {
        if (!AppendLine(result, line)) break;
    }
    return result;
}

std::string BuildEngineInput(std::string_view documentText)
{
    // One pass without a list of lines: the window runs this on every key.
    std::string input;
    if (documentText.empty()) return input;
    input.reserve(documentText.size() + 3);
    ForEachLine(documentText, [&input](std::string_view line) { return AppendLine(input, line); });
    input += ";@";
    return input;
}

std::string BuildEngineInput(std::string_view documentText, std::vector<LineOrigin>& origins)
{
    origins.clear();
    std::string input;
    if (documentText.empty()) return input;
    input.reserve(documentText.size() + 3);
    ForEachLine(documentText, [&input, &origins](std::string_view line) {
        origins.push_back({input.size(), static_cast<std::size_t>(Trim(line).data() - line.data())});
        return AppendLine(input, line);
    });
    input += ";@";
    return input;
}

}  // namespace tallyrix

namespace tallyrix {

ParagraphStatements::ParagraphStatements(std::vector<LineOrigin>* origins) : Origins(origins)
{
    if (Origins) Origins->clear();
}

ParagraphStatements::ParagraphStatements(std::vector<LineOrigin>* origins, std::string input, const Mark& mark)
    : Origins(origins),
      Input(std::move(input)),
      AnyLine(mark.anyLine),
      EmptyLineHeld(mark.emptyLineHeld),
      Stopped(mark.stopped)
{
    Input.resize(mark.input);
    if (Origins) Origins->resize(mark.origins);
}

ParagraphStatements::Mark ParagraphStatements::Here() const
{
    return {Input.size(), Origins ? Origins->size() : 0, AnyLine, EmptyLineHeld, Stopped};
}

bool ParagraphStatements::Append(std::string_view line)
{
    if (Origins) Origins->push_back({Input.size(), static_cast<std::size_t>(Trim(line).data() - line.data())});
    return AppendLine(Input, line);
}

bool ParagraphStatements::Add(std::string_view paragraph)
{
    for (std::size_t start = 0; !Stopped;) {
        const std::size_t end = std::min(paragraph.find('\n', start), paragraph.size());
        AddLine(paragraph.substr(start, end - start));
        if (end == paragraph.size()) break;
        start = end + 1;
    }
    return !Stopped;
}

void ParagraphStatements::AddLine(std::string_view line)
{
    if (EmptyLineHeld) {
        Append({});
        EmptyLineHeld = false;
        AnyLine = true;
    }
    if (line.empty() && !Stopped) {
        EmptyLineHeld = true;
        return;
    }
    Stopped = !Append(line);
    AnyLine = true;
}

void ParagraphStatements::ContinueAs(std::string_view earlierInput, std::span<const LineOrigin> earlierOrigins,
                                     const Mark& from, const Mark& end)
{
    const std::size_t base = Input.size();
    Input.append(earlierInput.substr(from.input, end.input - from.input));
    if (Origins) {
        for (const LineOrigin& origin : earlierOrigins.first(end.origins - from.origins))
            Origins->push_back({origin.statementOffset - from.input + base, origin.indent});
    }
    AnyLine = end.anyLine;
    EmptyLineHeld = end.emptyLineHeld;
    Stopped = end.stopped;
}

std::string ParagraphStatements::Finish()
{
    // A held empty line is either the whole (empty) text or the one after
    // the last line break.
    if (AnyLine) Input += ";@";
    return std::move(Input);
}

bool StatementReader::AppendTo(std::string& out, std::size_t minimum)
{
    while (!Finished() && out.size() < minimum) {
        const LineSpan span = LineAt(Text, Next);
        Next = span.next;
        Stopped = !AppendLine(out, span.line);
    }
    return !Finished();
}

}  // namespace tallyrix

namespace tallyrix {

namespace {

// A byte that keeps its line from being handed over as it stands: "@",
// a control byte but the tab and the line feed, or the first half of "//"
// or "--".
bool Refused(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '/' || c == '-') return i + 1 < text.size() && text[i + 1] == text[i];
    return c == '@' || (c < 32 && c != '\t' && c != '\n');
}

// The first refused byte in [from, end), or end. Sixteen bytes at a time
// where the processor allows: this scan is all the work a line handed over
// as it stands costs.
std::size_t FirstRefused(std::string_view text, std::size_t from, std::size_t end)
{
    std::size_t i = from;
#ifdef __SSE2__
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i dash = _mm_set1_epi8('-');
    const __m128i at = _mm_set1_epi8('@');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i lastControl = _mm_set1_epi8(31);
    // The block and the block one byte on, for the second halves of pairs.
    for (; i + 16 < end; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + 1));
        const __m128i pairs = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(block, slash), _mm_cmpeq_epi8(next, slash)),
                                           _mm_and_si128(_mm_cmpeq_epi8(block, dash), _mm_cmpeq_epi8(next, dash)));
        const __m128i control =
            _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi8(block, tab), _mm_cmpeq_epi8(block, lineFeed)),
                             _mm_cmpeq_epi8(_mm_max_epu8(block, lastControl), lastControl));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(pairs, control), _mm_cmpeq_epi8(block, at)));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    for (; i < end; ++i) {
        if (Refused(text, i)) return i;
    }
    return end;
}

}  // namespace

std::size_t VerbatimLinesEnd(std::string_view text, std::size_t from, std::size_t minimum)
{
    // The run may end at the first line start at or after from + minimum.
    std::size_t end = text.size();
    if (minimum < text.size() - from) {
        const std::size_t lineFeed = text.find('\n', from + std::max<std::size_t>(minimum, 1) - 1);
        if (lineFeed != std::string_view::npos) end = lineFeed + 1;
    }
    const std::size_t refused = FirstRefused(text, from, end);
    if (refused == end) return end;
    // The line holding the refused byte is left out, from its start on.
    const std::size_t lineFeed = text.substr(0, refused).rfind('\n');
    return lineFeed == std::string_view::npos || lineFeed < from ? from : lineFeed + 1;
}

}  // namespace tallyrix
