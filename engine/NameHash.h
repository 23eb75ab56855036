// The hash of a variable name, shared by the scanner, which computes it
// right after reading the name, and the variable table's index.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tallyrix {

inline constexpr std::uint64_t NameHashMultiplier = 0x9E3779B97F4A7C15ull;

// The bytes name[at, at + 8) as a little-endian word, zero past the end.
// Names hold no zero byte, so the words tell names apart.
constexpr std::uint64_t NameWord(std::string_view name, std::size_t at)
{
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < 8 && at + i < name.size(); ++i) {
        word |= std::uint64_t{static_cast<unsigned char>(name[at + i])} << (8 * i);
    }
    return word;
}

// Hashes a name eight bytes at a time; a name of up to eight bytes takes
// one multiplication (NameHashOfWord).
constexpr std::uint32_t NameHashOfWord(std::uint64_t word, std::uint64_t hash = 0)
{
    return static_cast<std::uint32_t>(((std::rotl(hash, 23) ^ word) * NameHashMultiplier) >> 32);
}

constexpr std::uint32_t NameHash(std::string_view name)
{
    std::uint64_t hash = 0;
    for (std::size_t at = 0; at < name.size(); at += 8)
        hash = (std::rotl(hash, 23) ^ NameWord(name, at)) * NameHashMultiplier;
    return static_cast<std::uint32_t>(hash >> 32);
}

}  // namespace tallyrix
