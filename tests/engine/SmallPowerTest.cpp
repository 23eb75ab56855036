// Squares and cubes by products must be the library's pow, bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "engine/SmallPower.h"

namespace tallyrix {
namespace {

struct PowerFamily {
    const char* name;
    double exponent;
    // The i-th base of the family.
    double (*base)(std::mt19937_64& random, int i);
};

// Odd 27-bit mantissas: their squares are often exactly half-way between
// two doubles, where a product rounds to even and the library may not.
double HalfwaySquareBase(std::mt19937_64& random, int)
{
    const auto mantissa = (std::uint64_t{1} << 26) | (random() & ((std::uint64_t{1} << 26) - 1)) | 1;
    return std::ldexp(static_cast<double>(mantissa), -26 + static_cast<int>(random() % 40) - 20);
}

// Any sign and bits, magnitudes from 2^-400 to 2^400: some powers overflow
// or underflow the fast path's range.
double WideBase(std::mt19937_64& random, int)
{
    const double fraction = std::ldexp(static_cast<double>(random() >> 11), -53);
    const double magnitude = std::ldexp(1.0 + fraction, static_cast<int>(random() % 800) - 400);
    return random() % 2 == 0 ? magnitude : -magnitude;
}

// Short decimals as documents hold them: -4.000 to 4.000 by thousandths.
double DecimalBase(std::mt19937_64&, int i) { return (i % 8001 - 4000) / 1000.0; }

// clang-format off
const PowerFamily Families[] = {
    {"halfway squares", 2.0, HalfwaySquareBase},
    {"halfway cubes",   3.0, HalfwaySquareBase},
    {"wide squares",    2.0, WideBase},
    {"wide cubes",      3.0, WideBase},
    {"decimal squares", 2.0, DecimalBase},
    {"decimal cubes",   3.0, DecimalBase},
};
// clang-format on

// Both ways of taking a product's error, Dekker's halves and the fused
// multiply-add (here the library's), for every base.
TEST(SmallPower, EqualsThePowOfTheLibraryWheneverItAnswers)
{
    std::mt19937_64 random(20261210);
    for (const PowerFamily& family : Families) {
        int answered = 0, mismatches = 0;
        constexpr int Count = 200000;
        for (int i = 0; i < Count; ++i) {
            const double base = family.base(random, i);
            double plain = 0.0, fused = 0.0;
            const bool answers = SmallPower<false>(base, family.exponent, plain);
            if (answers != SmallPower<true>(base, family.exponent, fused) && ++mismatches <= 3) {
                ADD_FAILURE() << family.name << ": " << std::hexfloat << base << " answered by one way only";
            }
            if (!answers) continue;
            ++answered;
            const double expected = std::pow(base, family.exponent);
            for (const double result : {plain, fused}) {
                if (std::bit_cast<std::uint64_t>(result) != std::bit_cast<std::uint64_t>(expected) &&
                    ++mismatches <= 3) {
                    ADD_FAILURE() << family.name << ": " << std::hexfloat << base << " gives " << result << ", pow "
                                  << expected;
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << family.name;
        // The fast path must be the common one, or it gains nothing.
        EXPECT_GT(answered, Count / 3) << family.name;
    }
}

TEST(SmallPower, LeavesOtherExponentsToTheLibrary)
{
    double result = 0.0;
    for (const double exponent : {0.5, 1.0, 4.0, -2.0, 2.0000000000000004}) {
        EXPECT_FALSE(SmallPower(1.5, exponent, result)) << exponent;
    }
}

}  // namespace
}  // namespace tallyrix
