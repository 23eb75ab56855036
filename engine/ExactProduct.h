// The rounding error of a product, exactly: what the formatter and the
// power's fast path use to tell how far a rounded product lies from the
// exact one.
#pragma once

#include <cmath>

namespace tallyrix {

#ifdef __FMA__
inline constexpr bool FusedByDefault = true;
#else
inline constexpr bool FusedByDefault = false;
#endif

// a * b - product, where product is fl(a * b); exact in round-to-nearest
// unless the product underflows. Fused: by a fused multiply-add, one
// instruction in a function built for a processor that has it (a library
// call elsewhere); otherwise by Dekker's product of the 26-bit halves. Both
// give the same, exact error.
template <bool Fused = FusedByDefault>
[[gnu::always_inline]] inline double ProductError(double a, double b, double product)
{
    if constexpr (Fused) {
        return std::fma(a, b, -product);
    } else {
        const auto split = [](double x, double& upper, double& lower) {
            const double spread = 134217729.0 * x;  // 2^27 + 1
            upper = spread - (spread - x);
            lower = x - upper;
        };
        double aHigh = 0, aLow = 0, bHigh = 0, bLow = 0;
        split(a, aHigh, aLow);
        split(b, bHigh, bLow);
        return ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
    }
}

}  // namespace tallyrix
