#include "engine/SharedText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tallyrix {

namespace {

constexpr std::size_t Block = 4096;

}  // namespace

std::size_t SharedPrefix(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i + Block <= n && std::memcmp(a.data() + i, b.data() + i, Block) == 0)
        i += Block;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

std::size_t SharedSuffix(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    const char* const aEnd = a.data() + a.size();
    const char* const bEnd = b.data() + b.size();
    std::size_t i = 0;
    while (i + Block <= n && std::memcmp(aEnd - i - Block, bEnd - i - Block, Block) == 0)
        i += Block;
    while (i < n && *(aEnd - i - 1) == *(bEnd - i - 1))
        ++i;
    return i;
}

// Eight bytes at a time: a byte of x is zero exactly where the text has a
// line feed, and only those keep the high bit of t clear; the multiplication
// adds up the eight bits so found (no popcount instruction is assumed).
std::size_t CountLineFeeds(std::string_view text)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t High = Ones * 0x80;
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        const std::uint64_t x = word ^ (Ones * '\n');
        const std::uint64_t t = ((x & ~High) + ~High) | x;
        count += static_cast<std::size_t>((((~t & High) >> 7) * Ones) >> 56);
    }
    for (; i < text.size(); ++i)
        count += text[i] == '\n' ? 1 : 0;
    return count;
}

}  // namespace tallyrix
