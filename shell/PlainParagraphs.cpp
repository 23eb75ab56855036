#include "shell/PlainParagraphs.h"

#include <algorithm>
#include <span>

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

// The first `length` bytes of the last input, in room (an earlier input's,
// whose pages are in use already, when it is large enough) for the whole of
// the next one, at most `bound` bytes: the rest is read into it, and a
// string that grew by doubling would copy the text over and over.
std::string KeptPart(const std::string& input, std::size_t length, std::string room, std::size_t bound)
{
    if (room.capacity() < bound) room.reserve(bound + bound / 16);
    room.assign(input, 0, length);
    return room;
}

}  // namespace

bool TPlainParagraphs::Replace(std::size_t first, std::size_t removed, JoinedParagraphs paragraphs,
                               std::vector<char> continues)
{
    if (first > Count() || removed > Count() - first) return false;
    const std::size_t added = paragraphs.ends.size();
    continues.resize(added, 0);
    for (std::size_t i = first; i < first + removed; ++i)
        Breaks -= Continues[i] != 0;
    for (char flag : continues)
        Breaks += flag != 0;
    ReplaceRange(Continues, first, removed, std::move(continues));
    CountReplaced(first, removed, paragraphs);

    // The text after the replaced paragraphs moves, and where they end with it.
    const std::size_t from = Start(first);
    const std::size_t to = Start(first + removed);
    Joined.replace(from, to - from, paragraphs.text);
    for (std::size_t& end : paragraphs.ends)
        end += from;
    ReplaceRange(Ends, first, removed, std::move(paragraphs.ends));
    if (paragraphs.text.size() != to - from) {
        const std::size_t newEnd = from + paragraphs.text.size();
        for (std::size_t i = first + added; i < Ends.size(); ++i)
            Ends[i] = Ends[i] - to + newEnd;
    }
    Cache.firstChanged = std::min(Cache.firstChanged, first);
    Cache.unchangedTail = std::min(Cache.unchangedTail, Count() - (first + added));
    return true;
}

bool TPlainParagraphs::Replace(std::size_t first, std::size_t removed, const std::vector<std::string>& paragraphs,
                               std::vector<char> continues)
{
    JoinedParagraphs joined;
    for (const std::string& paragraph : paragraphs)
        joined.Add(paragraph);
    return Replace(first, removed, std::move(joined), std::move(continues));
}

// A paragraph's length is read from its text each time, the removed ones
// before they go, rather than kept per paragraph.
void TPlainParagraphs::CountReplaced(std::size_t first, std::size_t removed, const JoinedParagraphs& paragraphs)
{
    if (removed == Count()) {
        Sum = 0;
    } else {
        for (std::size_t i = first; i < first + removed; ++i)
            Sum -= tallyrix::Cp932Length(Text(i));
    }
    for (std::size_t i = 0, start = 0; i < paragraphs.ends.size(); start = paragraphs.ends[i++])
        Sum += tallyrix::Cp932Length(std::string_view(paragraphs.text).substr(start, paragraphs.ends[i] - start));
}

std::size_t TPlainParagraphs::Cp932Length() const
{
    return Ends.empty() ? 0 : Sum + 2 * (Ends.size() - 1 - DisplayBreakCount());
}

std::vector<std::size_t> TPlainParagraphs::Holding(std::string_view part) const
{
    std::vector<std::size_t> found;
    const std::string_view text(Joined);
    for (std::size_t at = text.find(part); at != std::string_view::npos;) {
        const auto index = static_cast<std::size_t>(std::upper_bound(Ends.begin(), Ends.end(), at) - Ends.begin());
        // A match across the end of a paragraph is none.
        if (at + part.size() <= Ends[index]) {
            found.push_back(index);
            at = text.find(part, Ends[index]);
        } else {
            at = text.find(part, at + 1);
        }
    }
    return found;
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
    for (std::size_t line = 0; line < point.line && index < Count();)
        if (++index < Count() && !Continues[index]) ++line;
    while (index + 1 < Count() && Continues[index + 1] && point.column > Text(index).size()) {
        point.column -= Text(index).size();
        ++index;
    }
    return {index, point.column};
}

std::vector<std::string_view> TPlainParagraphs::ByParagraph(std::vector<std::string_view> byLine) const
{
    if (Breaks == 0) return byLine;
    std::vector<std::string_view> spread(Count());
    std::size_t line = 0;
    for (std::size_t i = 0; i < Count() && line < byLine.size(); ++i)
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
    while (next < Count() && Continues[next])
        ++next;
    if (next == first + 1) {
        line = Text(first);
        return next;
    }
    joined.clear();
    for (std::size_t i = first; i < next; ++i)
        joined += Text(i);
    line = joined;
    return next;
}

void TPlainParagraphs::TakeUnchangedTail() const
{
    UnchangedTail& tail = Tail;
    tail.marks.clear();
    tail.origins.clear();
    const std::size_t firstOld = Cache.paragraphs - std::min(Cache.unchangedTail, Cache.paragraphs);
    for (const PlacedMark& placed : Cache.marks) {
        // The mark at the very first paragraph stands before everything.
        if (placed.paragraph > 0 && placed.paragraph >= firstOld) {
            tail.marks.push_back({placed.paragraph - Cache.paragraphs + Count(), placed.mark});
        }
    }
    if (!tail.marks.empty()) {
        const auto from = Cache.origins.begin() + static_cast<std::ptrdiff_t>(tail.marks.front().mark.origins);
        tail.origins.assign(from, Cache.origins.end());
    }
}

std::string TPlainParagraphs::SpareRoom() const
{
    std::string room;
    // Still held elsewhere (by the evaluator, during a calculation of that
    // text): it stays as it is.
    if (Cache.previous.use_count() == 1) room = std::move(*Cache.previous);
    Cache.previous.reset();
    return room;
}

std::shared_ptr<const std::string> TPlainParagraphs::EngineInput() const
{
    // A line depends on nothing after it, so the marks before the first
    // changed paragraph still hold; and it depends on nothing before it but
    // the state of the reading, so where that is as it was at an unchanged
    // line, the last input goes on from there as it will again.
    constexpr std::size_t MarkInterval = 64;
    const std::shared_ptr<const std::string> last = Cache.input;
    TakeUnchangedTail();
    const UnchangedTail& tail = Tail;
    std::vector<PlacedMark>& marks = Cache.marks;
    while (marks.size() > 1 && marks.back().paragraph >= Cache.firstChanged)
        marks.pop_back();
    // Each line read gives its text or less and one space, and ";@" ends it all.
    const std::size_t bound = Joined.size() + Count() + 2;
    ParagraphStatements statements(&Cache.origins, KeptPart(*last, marks.back().mark.input, SpareRoom(), bound),
                                   marks.back().mark);
    auto unchanged = tail.marks.begin();
    std::string joined;
    for (std::size_t i = marks.back().paragraph; i < Count();) {
        while (unchanged != tail.marks.end() && unchanged->paragraph < i)
            ++unchanged;
        if (unchanged != tail.marks.end() && unchanged->paragraph == i &&
            statements.Here().SameState(unchanged->mark)) {
            const ParagraphStatements::Mark here = statements.Here();
            const ParagraphStatements::Mark from = unchanged->mark;
            const std::size_t skipped = from.origins - tail.marks.front().mark.origins;
            statements.ContinueAs(*last, std::span(tail.origins).subspan(skipped), from, Cache.end);
            for (; unchanged != tail.marks.end(); ++unchanged) {
                ParagraphStatements::Mark moved = unchanged->mark;
                moved.input = moved.input - from.input + here.input;
                moved.origins = moved.origins - from.origins + here.origins;
                marks.push_back({unchanged->paragraph, moved});
            }
            break;
        }
        if (i >= marks.back().paragraph + MarkInterval) marks.push_back({i, statements.Here()});
        std::string_view line;
        const std::size_t next = ReadLine(i, joined, line);
        if (!statements.Add(line)) break;
        i = next;
    }
    Cache.end = statements.Here();
    Cache.previous = std::move(Cache.input);
    Cache.input = std::make_shared<std::string>(statements.Finish());
    Cache.paragraphs = Count();
    Cache.firstChanged = Count();
    Cache.unchangedTail = Count();
    return Cache.input;
}

}  // namespace tallyrix
