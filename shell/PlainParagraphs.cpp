#include "shell/PlainParagraphs.h"

#include <algorithm>

#include "document/StatementExtraction.h"
#include "files/TextCodec.h"

namespace tallyrix {

namespace {

// Replaces [first, first + removed) of items by replacement; items replaced
// one for one, the usual keystroke, move nothing else.
template <typename Item>
void ReplaceRange(std::vector<Item>& items, std::size_t first, std::size_t removed, std::vector<Item>&& replacement)
{
    const auto begin = items.begin() + static_cast<std::ptrdiff_t>(first);
    const std::size_t common = std::min(removed, replacement.size());
    std::move(replacement.begin(), replacement.begin() + static_cast<std::ptrdiff_t>(common), begin);
    const auto rest = begin + static_cast<std::ptrdiff_t>(common);
    if (removed > common) {
        items.erase(rest, begin + static_cast<std::ptrdiff_t>(removed));
    } else {
        items.insert(rest, std::make_move_iterator(replacement.begin() + static_cast<std::ptrdiff_t>(common)),
                     std::make_move_iterator(replacement.end()));
    }
}

}  // namespace

bool TPlainParagraphs::Replace(std::size_t first, std::size_t removed, std::vector<std::string> paragraphs,
                               std::vector<char> continues)
{
    if (first > Texts.size() || removed > Texts.size() - first) return false;
    continues.resize(paragraphs.size(), 0);
    for (std::size_t i = first; i < first + removed; ++i)
        Breaks -= Continues[i] != 0;
    for (char flag : continues)
        Breaks += flag != 0;
    ReplaceRange(Continues, first, removed, std::move(continues));
    std::vector<std::size_t> lengths;
    lengths.reserve(paragraphs.size());
    for (const std::string& paragraph : paragraphs)
        lengths.push_back(tallyrix::Cp932Length(paragraph));
    for (std::size_t i = first; i < first + removed; ++i)
        Sum -= Lengths[i];
    for (std::size_t length : lengths)
        Sum += length;
    ReplaceRange(Lengths, first, removed, std::move(lengths));
    ReplaceRange(Texts, first, removed, std::move(paragraphs));
    Cache.firstChanged = std::min(Cache.firstChanged, first);
    return true;
}

std::size_t TPlainParagraphs::Cp932Length() const
{
    return Texts.empty() ? 0 : Sum + 2 * (Texts.size() - 1 - DisplayBreakCount());
}

std::size_t TPlainParagraphs::LineOf(std::size_t index) const
{
    if (Breaks == 0) return index;
    index = std::min(index, Continues.size() - 1);
    return index - static_cast<std::size_t>(std::count(Continues.begin() + 1,
                                                       Continues.begin() + static_cast<std::ptrdiff_t>(index) + 1, 1));
}

DocumentPoint TPlainParagraphs::InParagraphs(DocumentPoint point) const
{
    if (Breaks == 0) return point;
    std::size_t index = 0;
    for (std::size_t line = 0; line < point.line && index < Texts.size();)
        if (++index < Texts.size() && !Continues[index]) ++line;
    while (index + 1 < Texts.size() && Continues[index + 1] && point.column > Texts[index].size()) {
        point.column -= Texts[index].size();
        ++index;
    }
    return {index, point.column};
}

std::vector<std::string_view> TPlainParagraphs::ByParagraph(std::vector<std::string_view> byLine) const
{
    if (Breaks == 0) return byLine;
    std::vector<std::string_view> spread(Texts.size());
    std::size_t line = 0;
    for (std::size_t i = 0; i < Texts.size() && line < byLine.size(); ++i)
        if (i == 0 || !Continues[i]) spread[i] = byLine[line++];
    return spread;
}

std::string TPlainParagraphs::ByParagraphText(std::string_view byLine) const
{
    if (Breaks == 0) return std::string(byLine);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = byLine.find('\n', start);
        lines.push_back(byLine.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    std::string text;
    for (const std::string_view line : ByParagraph(std::move(lines)))
        text.append(line).append(1, '\n');
    if (!text.empty()) text.pop_back();
    return text;
}

std::size_t TPlainParagraphs::ReadLine(std::size_t first, std::string& joined, std::string_view& line) const
{
    std::size_t next = first + 1;
    while (next < Texts.size() && Continues[next])
        ++next;
    if (next == first + 1) {
        line = Texts[first];
        return next;
    }
    joined.clear();
    for (std::size_t i = first; i < next; ++i)
        joined += Texts[i];
    line = joined;
    return next;
}

std::string TPlainParagraphs::EngineInput(std::vector<LineOrigin>* origins) const
{
    // A line depends on nothing after it, so the marks before the first
    // changed paragraph still hold.
    constexpr std::size_t MarkInterval = 64;
    std::vector<PlacedMark>& marks = Cache.marks;
    while (marks.size() > 1 && marks.back().paragraph >= Cache.firstChanged)
        marks.pop_back();
    ParagraphStatements statements(&Cache.origins, std::move(Cache.input), marks.back().mark);
    std::string joined;
    for (std::size_t i = marks.back().paragraph; i < Texts.size();) {
        if (i >= marks.back().paragraph + MarkInterval) marks.push_back({i, statements.Here()});
        std::string_view line;
        const std::size_t next = ReadLine(i, joined, line);
        if (!statements.Add(line)) break;
        i = next;
    }
    Cache.input = statements.Finish();
    Cache.firstChanged = Texts.size();
    if (origins) *origins = Cache.origins;
    return Cache.input;
}

}  // namespace tallyrix
