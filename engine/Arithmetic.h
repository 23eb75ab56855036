// The operators "/", "%" and "!", shared by both grammars: what the first
// refuses, and what the others compute.
#pragma once

#include <cmath>

namespace tallyrix {

// A divisor this close to zero (or NaN) is refused as a division by zero.
inline bool IsUsableDivisor(double divisor)
{
    constexpr double DivisorLimit = 1e-100;
    return divisor > DivisorLimit || divisor < -DivisorLimit;
}

// Operands of "!" from this magnitude on do not fit a 32-bit integer.
inline constexpr double FactorialOperandLimit = 2147483648.0;

// Remainder truncated toward zero, with the sign of v.
inline double Remainder(double v, double r)
{
    if (r == 0.0) return 0.0;
    if (!std::isfinite(r)) return v;
    if (v == 0.0 || !std::isfinite(v)) return 0.0;
    return std::fmod(v, r);
}

// "!" takes the operand truncated to a 32-bit integer, without its sign.
// False when the operand does not fit (the conversion would fail) or the
// product overflows.
inline bool FactorialOf(double operand, double& result)
{
    if (!(std::fabs(operand) < FactorialOperandLimit)) return false;
    long n = static_cast<long>(operand);
    if (n < 0) n = -n;
    double product = 1.0;
    for (; n > 1; --n) {
        product *= static_cast<double>(n);
        if (std::isinf(product)) return false;
    }
    result = product;
    return true;
}

}  // namespace tallyrix
