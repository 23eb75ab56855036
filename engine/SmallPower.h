// Squares and cubes without the library's pow, which costs some fifteen
// times a product and is called for most "^2" and "^3" of a document.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/ExactProduct.h"

namespace tallyrix {

// Sets result to base^exponent and returns true when the product gives the
// very double the library's pow would: the library's result lies within
// 0.54 units in the last place of the exact power, so a rounded product
// less than 0.45 units from it is the only double the library can return.
// Near the middle between two doubles (where the library and the product
// may round apart), for other exponents and for results near overflow or
// underflow it returns false and the caller asks the library. Fused: the
// products' errors by a fused multiply-add (see ProductError).
template <bool Fused = FusedByDefault>
[[gnu::always_inline]] inline bool SmallPower(double base, double exponent, double& result)
{
    if (exponent != 2.0 && exponent != 3.0) return false;
    double power = base * base;
    double error = ProductError<Fused>(base, base, power);
    if (exponent == 3.0) {
        const double square = power;
        power = square * base;
        // (square + error) * base - power, to far better than a unit; the
        // two roundings may have left the product a unit off the nearest
        // double, which adding the error moves it to.
        error = ProductError<Fused>(square, base, power) + error * base;
        const double nearest = power + error;
        error -= nearest - power;  // both exact: the two differ by a few units
        power = nearest;
    }
    const double magnitude = std::fabs(power);
    if (!(magnitude >= 0x1p-900 && magnitude <= 0x1p+900)) return false;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    constexpr std::uint64_t ExponentBits = 0x7FF0000000000000ull;
    // A power of two has a smaller unit below it than above: left to the library.
    if ((bits & ~ExponentBits) == 0) return false;
    const double unit = std::bit_cast<double>((bits & ExponentBits) - (std::uint64_t{52} << 52));
    if (!(std::fabs(error) < 0.45 * unit)) return false;
    result = power;
    return true;
}

}  // namespace tallyrix
