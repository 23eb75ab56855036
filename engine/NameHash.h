// The hash of a variable name, shared by the scanner, which computes it
// while it reads the name, and the variable table's index.
#pragma once

#include <cstdint>
#include <string_view>

namespace tallyrix {

inline constexpr std::uint32_t NameHashSeed = 2166136261u;

// One byte of FNV-1a.
constexpr std::uint32_t NameHashStep(std::uint32_t hash, unsigned char c) { return (hash ^ c) * 16777619u; }

constexpr std::uint32_t NameHash(std::string_view name) {
    std::uint32_t hash = NameHashSeed;
    for (const char c : name) hash = NameHashStep(hash, static_cast<unsigned char>(c));
    return hash;
}

}  // namespace tallyrix
