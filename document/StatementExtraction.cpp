#include "document/StatementExtraction.h"

#include <array>
#include <cstdint>

namespace tallyrix {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view line) {
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && IsTrimmed(line[begin])) ++begin;
    while (end > begin && IsTrimmed(line[end - 1])) --end;
    return line.substr(begin, end - begin);
}

struct LineMarks {
    std::size_t comment = std::string_view::npos;  // first "//" or "--"
    bool stop = false;                             // holds "///" or "---"
};

// One pass over the line for both kinds of marker: the window extracts the
// whole document on every key release.
LineMarks FindMarks(std::string_view line) {
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
bool AppendLine(std::string& result, std::string_view line) {
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

LineSpan LineAt(std::string_view text, std::size_t start) {
    std::size_t i = start;
    while (i < text.size() && text[i] != '\n' && text[i] != '\r') ++i;
    if (i == text.size()) return {text.substr(start), i};
    std::size_t next = i + 1;
    if (text[i] == '\r' && next < text.size() && text[next] == '\n') ++next;
    return {text.substr(start, i - start), next};
}

// Calls visit(line) for each line as the editor counts them, until it
// returns false.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    for (std::size_t start = 0; start < text.size();) {
        const LineSpan span = LineAt(text, start);
        if (!visit(span.line)) return;
        start = span.next;
    }
}

}  // namespace

std::vector<std::string_view> SplitDocumentLines(std::string_view text) {
    std::vector<std::string_view> lines;
    ForEachLine(text, [&lines](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

std::string ExtractStatements(const std::vector<std::string_view>& lines) {
    std::string result;
    std::size_t total = 0;
    for (std::string_view line : lines) total += line.size() + 1;
    result.reserve(total);
    for (std::string_view line : lines) {
        if (!AppendLine(result, line)) break;
    }
    return result;
}

std::string BuildEngineInput(std::string_view documentText) {
    // One pass without a list of lines: the window runs this on every key.
    std::string input;
    if (documentText.empty()) return input;
    input.reserve(documentText.size() + 3);
    ForEachLine(documentText, [&input](std::string_view line) { return AppendLine(input, line); });
    input += ";@";
    return input;
}

}  // namespace tallyrix

namespace tallyrix {

bool StatementReader::AppendTo(std::string& out, std::size_t minimum) {
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

enum : std::uint8_t { Verbatim = 0, LineFeed = 1, MarkerHalf = 2, NotVerbatim = 3 };

constexpr std::array<std::uint8_t, 256> MakeVerbatimClasses() {
    std::array<std::uint8_t, 256> classes{};
    for (int c = 0; c < 32; ++c) classes[c] = NotVerbatim;
    classes['\t'] = Verbatim;
    classes['\n'] = LineFeed;
    classes['/'] = classes['-'] = MarkerHalf;
    classes['@'] = NotVerbatim;
    return classes;
}
constexpr std::array<std::uint8_t, 256> VerbatimClasses = MakeVerbatimClasses();

}  // namespace

std::size_t VerbatimLinesEnd(std::string_view text, std::size_t from, std::size_t minimum) {
    const std::size_t wanted = minimum < text.size() - from ? from + minimum : text.size();
    std::size_t lineStart = from;
    for (std::size_t i = from; i < text.size(); ++i) {
        switch (VerbatimClasses[static_cast<unsigned char>(text[i])]) {
        case Verbatim:
            break;
        case LineFeed:
            lineStart = i + 1;
            if (lineStart >= wanted) return lineStart;
            break;
        case MarkerHalf:
            if (i + 1 < text.size() && text[i + 1] == text[i]) return lineStart;
            break;
        default:
            return lineStart;
        }
    }
    return text.size();
}

}  // namespace tallyrix
