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

bool TPlainParagraphs::Replace(std::size_t first, std::size_t removed, std::vector<std::string> paragraphs)
{
    if (first > Texts.size() || removed > Texts.size() - first) return false;
    std::vector<std::size_t> lengths;
    lengths.reserve(paragraphs.size());
    for (const std::string& paragraph : paragraphs) lengths.push_back(tallyrix::Cp932Length(paragraph));
    for (std::size_t i = first; i < first + removed; ++i) Sum -= Lengths[i];
    for (std::size_t length : lengths) Sum += length;
    ReplaceRange(Lengths, first, removed, std::move(lengths));
    ReplaceRange(Texts, first, removed, std::move(paragraphs));
    Cache.firstChanged = std::min(Cache.firstChanged, first);
    return true;
}

std::size_t TPlainParagraphs::Cp932Length() const { return Texts.empty() ? 0 : Sum + 2 * (Texts.size() - 1); }

std::string TPlainParagraphs::EngineInput(std::vector<LineOrigin>* origins) const
{
    // A paragraph's lines depend on nothing after them, so the marks up to
    // the first changed one still hold.
    constexpr std::size_t MarkInterval = 64;
    const std::size_t kept = std::min(Cache.firstChanged / MarkInterval + 1, Cache.marks.size());
    Cache.marks.resize(kept);
    ParagraphStatements statements(&Cache.origins, std::move(Cache.input), Cache.marks.back());
    for (std::size_t i = (kept - 1) * MarkInterval; i < Texts.size(); ++i) {
        if (i % MarkInterval == 0 && i / MarkInterval == Cache.marks.size()) Cache.marks.push_back(statements.Here());
        if (!statements.Add(Texts[i])) break;
    }
    Cache.input = statements.Finish();
    Cache.firstChanged = Texts.size();
    if (origins) *origins = Cache.origins;
    return Cache.input;
}

}  // namespace tallyrix
