// The built-in functions by number and name, and the table in which the
// grammar looks up every name it reads before it takes it for a variable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/NameHash.h"

namespace tallyrix::builtin {

enum Function : int {
    Sqrt,
    Exp,
    Log,
    Log10,
    Abs,
    Sin,
    Cos,
    Tan,
    Asin,
    Acos,
    Atan,
    Ceil,
    Floor,
    Sinh,
    Cosh,
    Tanh,
    Step,
    FunctionCount
};

inline constexpr std::string_view FunctionNames[FunctionCount] = {
    "sqrt", "exp",  "log",  "log10", "abs",  "sin",  "cos",  "tan",  "asin",
    "acos", "atan", "ceil", "floor", "sinh", "cosh", "tanh", "step",
};

// An open-addressing table of the function numbers by NameHash (-1 = empty
// slot), sparse enough that a variable's name nearly always meets an empty
// slot at once: a branch the processor then foresees, where a fuller table
// makes it a guess for every name.
inline constexpr std::size_t FunctionSlots = 1024;
inline constexpr std::array<std::int8_t, FunctionSlots> FunctionTable = [] {
    std::array<std::int8_t, FunctionSlots> table{};
    table.fill(-1);
    for (int f = 0; f < FunctionCount; ++f) {
        std::size_t slot = NameHash(FunctionNames[f]) % FunctionSlots;
        while (table[slot] >= 0)
            slot = (slot + 1) % FunctionSlots;
        table[slot] = static_cast<std::int8_t>(f);
    }
    return table;
}();

inline constexpr std::array<std::uint32_t, FunctionCount> FunctionHashes = [] {
    std::array<std::uint32_t, FunctionCount> hashes{};
    for (int f = 0; f < FunctionCount; ++f)
        hashes[f] = NameHash(FunctionNames[f]);
    return hashes;
}();

inline constexpr std::array<std::uint64_t, FunctionCount> FunctionWords = [] {
    std::array<std::uint64_t, FunctionCount> words{};
    for (int f = 0; f < FunctionCount; ++f)
        words[f] = NameWord(FunctionNames[f], 0);
    return words;
}();

// The same for a name of at most eight bytes, given as its NameWord: one
// comparison of words per function met.
inline int FindFunctionWord(std::uint64_t word, std::uint32_t hash)
{
    for (std::size_t slot = hash % FunctionSlots; FunctionTable[slot] >= 0; slot = (slot + 1) % FunctionSlots) {
        const int f = FunctionTable[slot];
        if (FunctionWords[f] == word) return f;
    }
    return -1;
}

// hash is the name's NameHash, which the scanner has at hand.
inline int FindFunction(std::string_view name, std::uint32_t hash)
{
    for (std::size_t slot = hash % FunctionSlots; FunctionTable[slot] >= 0; slot = (slot + 1) % FunctionSlots) {
        const int f = FunctionTable[slot];
        if (FunctionHashes[f] == hash && FunctionNames[f] == name) return f;
    }
    return -1;
}

}  // namespace tallyrix::builtin
