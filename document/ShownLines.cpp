#include "document/ShownLines.h"

#include <algorithm>

#include "engine/SharedText.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tallyrix {

namespace {

// Whether eight UTF-16 units and eight bytes are the same ASCII characters.
bool SameAsciiBlock(const char16_t* units, const char* bytes)
{
#if defined(__SSE2__)
    const __m128i narrow = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes));
    const __m128i wide = _mm_unpacklo_epi8(narrow, _mm_setzero_si128());
    const __m128i shown = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    return _mm_movemask_epi8(narrow) == 0 && _mm_movemask_epi8(_mm_cmpeq_epi16(wide, shown)) == 0xFFFF;
#else
    for (int k = 0; k < 8; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[k]);
        if (byte >= 0x80 || units[k] != byte) return false;
    }
    return true;
#endif
}
constexpr std::size_t Block = 8;

struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;  // in bytes; 0: no UTF-8 there
};

// The code point whose UTF-8 begins at `at`; overlong forms and surrogates
// are none.
CodePoint DecodeAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    const std::size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || at + length > text.size()) return {};
    char32_t value = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return {};
        value = value << 6 | (next & 0x3F);
    }
    constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < Least[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
    return {value, length};
}

// `before` with a line feed after its last line, as `after` has.
struct ShownText {
    std::u16string_view text;
    std::size_t size() const { return text.size() + 1; }
    char16_t operator[](std::size_t i) const { return i < text.size() ? text[i] : u'\n'; }
    bool AtLineStart(std::size_t i) const { return i == 0 || (*this)[i - 1] == u'\n'; }
    // The units of `value` at `at`: how many, 0 when they are not there.
    std::size_t Matching(std::size_t at, char32_t value) const
    {
        if (value < 0x10000) return at < size() && (*this)[at] == value ? 1 : 0;
        const auto high = static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
        const auto low = static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
        return at + 1 < size() && (*this)[at] == high && (*this)[at + 1] == low ? 2 : 0;
    }
};

struct Places {
    std::size_t shown, lines;  // the same place in both texts
};

Places SharedStart(const ShownText& before, std::string_view after)
{
    Places at{0, 0};
    while (true) {
        while (at.shown + Block <= before.text.size() && at.lines + Block <= after.size() &&
               SameAsciiBlock(before.text.data() + at.shown, after.data() + at.lines)) {
            at.shown += Block;
            at.lines += Block;
        }
        if (at.shown >= before.size() || at.lines >= after.size()) return at;
        const CodePoint point = DecodeAt(after, at.lines);
        const std::size_t units = point.length == 0 ? 0 : before.Matching(at.shown, point.value);
        if (units == 0) return at;
        at.shown += units;
        at.lines += point.length;
    }
}

// Where the texts share their end from, not before `limit`.
Places SharedEnd(const ShownText& before, std::string_view after, Places limit)
{
    Places at{before.size(), after.size()};
    while (true) {
        while (at.shown <= before.text.size() && at.shown >= limit.shown + Block && at.lines >= limit.lines + Block &&
               SameAsciiBlock(before.text.data() + at.shown - Block, after.data() + at.lines - Block)) {
            at.shown -= Block;
            at.lines -= Block;
        }
        if (at.shown == limit.shown || at.lines == limit.lines) return at;
        std::size_t start = at.lines - 1;
        while (start > limit.lines && at.lines - start < 4 && (static_cast<unsigned char>(after[start]) & 0xC0) == 0x80)
            --start;
        const CodePoint point = DecodeAt(after, start);
        if (point.length != at.lines - start) return at;
        const std::size_t units = point.value < 0x10000 ? 1 : 2;
        if (at.shown < limit.shown + units || before.Matching(at.shown - units, point.value) != units) return at;
        at.shown -= units;
        at.lines = start;
    }
}

}  // namespace

LineChange ChangedLines(std::u16string_view shownText, std::string_view after, const LineStarting& lineStarting)
{
    const ShownText before{shownText};
    // Back to the start of the line the texts first differ in: the same
    // line feed in both.
    Places start = SharedStart(before, after);
    if (start.shown < before.size()) {
        const std::size_t feed = start.lines == 0 ? std::string_view::npos : after.rfind('\n', start.lines - 1);
        const std::size_t shownFeed =
            start.shown == 0 ? std::u16string_view::npos : shownText.rfind(u'\n', start.shown - 1);
        start = {shownFeed + 1, feed + 1};  // npos + 1 is 0
    }
    // Whole lines of both texts at the end, not reaching into the start.
    Places end = SharedEnd(before, after, start);
    if (!(before.AtLineStart(end.shown) && (end.lines == 0 || after[end.lines - 1] == '\n'))) {
        const std::size_t shownFeed = shownText.find(u'\n', end.shown);
        end = {shownFeed == std::u16string_view::npos ? shownText.size() + 1 : shownFeed + 1,
               after.find('\n', end.lines) + 1};
    }
    // The line feed after the last line shown counts when that line goes.
    const auto from = shownText.begin() + static_cast<std::ptrdiff_t>(std::min(start.shown, shownText.size()));
    const auto to = shownText.begin() + static_cast<std::ptrdiff_t>(std::min(end.shown, shownText.size()));
    const bool lastRemoved = end.shown == before.size() && start.shown < before.size();
    return {lineStarting ? lineStarting(start.shown) : CountLineFeeds(after.substr(0, start.lines)),
            static_cast<std::size_t>(std::count(from, to, u'\n')) + (lastRemoved ? 1 : 0),
            after.substr(start.lines, end.lines - start.lines)};
}

std::optional<LineChange> ShownLines::Show(std::u16string_view shown, std::string_view lines,
                                           const LineStarting& lineStarting)
{
    std::optional<LineChange> change;
    if (Known && HadLines && !lines.empty()) change = ChangedLines(shown, lines, lineStarting);
    Known = true;
    HadLines = !lines.empty();
    return change;
}

}  // namespace tallyrix
