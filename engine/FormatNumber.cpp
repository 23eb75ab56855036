#include "engine/Eval.h"
#include "engine/ExactProduct.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tallyrix {

namespace {

// Splits "d.ddde±XX" into its digits and the exponent E of 0.d1d2.. x 10^E.
int ParseScientific(const char* text, char* digits, int& exponent)
{
    int n = 0;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits[n++] = *p;
    }
    int written = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), p + std::strlen(p), written);
    exponent = written + 1;
    return n;
}

int DropTrailingZeros(const char* digits, int n)
{
    while (n > 1 && digits[n - 1] == '0')
        --n;
    return n;
}

// Powers of ten that doubles hold closely enough for the magnitude test
// below, and the exact ones that scale a magnitude to 15 integer digits.
constexpr double DecadeLimits[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4, 1e5,
                                   1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr double Scales[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                             1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

// The first decade d with magnitude < DecadeLimits[d], for magnitudes in
// [DecadeLimits[0], DecadeLimits[20]): guessed from the binary exponent,
// then settled by the same comparisons a search from the bottom would make.
int DecadeOf(double magnitude)
{
    const int binaryExponent = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    // floor(binaryExponent * log10(2)) + 6, a decade at most one too low
    int decade = std::clamp((binaryExponent * 78913 >> 18) + 6, 1, 20);
    while (decade > 1 && magnitude < DecadeLimits[decade - 1])
        --decade;
    while (magnitude >= DecadeLimits[decade])
        ++decade;
    return decade;
}

#ifdef __SSE2__
// The eight digits of n < 10^8 in 16-bit lanes, the first in the lowest:
// n is split into its upper and lower four digits, each copied into four
// lanes, which are divided by 1000, 100, 10 and 1 (multiplied by a
// reciprocal and shifted, exact below 10^4) to give its leading one to four
// digits; less ten times the lane before, each lane keeps its last digit.
__m128i EightDigitLanes(std::uint32_t n)
{
    const __m128i whole = _mm_cvtsi32_si128(static_cast<int>(n));
    // n / 10^4 as n x ceil(2^45 / 10^4) / 2^45
    const __m128i upper = _mm_srli_epi64(_mm_mul_epu32(whole, _mm_set1_epi32(static_cast<int>(0xd1b71759u))), 45);
    const __m128i lower = _mm_sub_epi32(whole, _mm_mul_epu32(upper, _mm_set1_epi32(10000)));
    // 4 x upper in lanes 0 to 3, 4 x lower in lanes 4 to 7
    const __m128i both = _mm_slli_epi64(_mm_unpacklo_epi16(upper, lower), 2);
    const __m128i pairs = _mm_unpacklo_epi16(both, both);
    const __m128i spread = _mm_unpacklo_epi32(pairs, pairs);
    // x / 1000 = 4x x 8389 / 2^25, x / 100 = 4x x 5243 / 2^21, x / 10 = 4x x 13108 / 2^19
    const __m128i leading =
        _mm_mulhi_epu16(_mm_mulhi_epu16(spread, _mm_setr_epi16(8389, 5243, 13108, -32768, 8389, 5243, 13108, -32768)),
                        _mm_setr_epi16(1 << 7, 1 << 11, 1 << 13, -32768, 1 << 7, 1 << 11, 1 << 13, -32768));
    return _mm_sub_epi16(leading, _mm_slli_epi64(_mm_mullo_epi16(leading, _mm_set1_epi16(10)), 16));
}

// Writes 10^14 <= value < 10^15 as its fifteen digits d1..d15 and a zero
// byte, in one store where they are read back, and returns the number of
// digits up to the last that is not "0".
int WriteFifteenDigits(std::uint64_t value, char* digits)
{
    const __m128i lanes = _mm_packus_epi16(EightDigitLanes(static_cast<std::uint32_t>(value / 100000000)),
                                           EightDigitLanes(static_cast<std::uint32_t>(value % 100000000)));
    // The upper eight digits begin with a zero, shifted out.
    const __m128i text = _mm_srli_si128(_mm_add_epi8(lanes, _mm_set1_epi8('0')), 1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(digits), text);
    const auto zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(text, _mm_set1_epi8('0'))));
    return 32 - std::countl_zero(~zeros & 0x7fffu);
}
#else
constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes n < 10^8 as eight digits, with leading zeros. n x ceil(2^48 / 10^6)
// holds n / 10^6 above bit 48 and the rest as a binary fraction, which
// gives a pair of digits per multiplication by 100 (exact for every such n).
void WriteEightDigits(std::uint32_t n, char* out)
{
    constexpr std::uint64_t Fraction = (std::uint64_t{1} << 48) - 1;
    std::uint64_t t = n * std::uint64_t{281474977};
    for (int i = 0; i < 4; ++i) {
        std::memcpy(out + 2 * i, &DigitPairs[2 * (t >> 48)], 2);
        t = (t & Fraction) * 100;
    }
}

// The same as above; the byte before digits is written too.
int WriteFifteenDigits(std::uint64_t value, char* digits)
{
    // The first eight digits begin with a zero, which goes to the byte
    // before digits.
    WriteEightDigits(static_cast<std::uint32_t>(value / 100000000), digits - 1);
    WriteEightDigits(static_cast<std::uint32_t>(value % 100000000), digits + 7);
    return DropTrailingZeros(digits, 15);
}
#endif

// The common case without any text conversion: for 1e-5 <= m < 1e15 the
// value scaled to 15 integer digits is one rounded product by an exact power
// of ten. Below 2^52 every half lies on the grid of doubles, and rounding
// is monotonic: a product above (below) a half comes from an exact value
// above (below) it. A product exactly on a half is settled by the
// product's rounding error; only an exact half is left to the exact
// conversion, returning false. The byte before digits may be written too.
bool SignificantDigitsByScaling(double magnitude, char* digits, int& n, int& exponent)
{
    if (!(magnitude >= DecadeLimits[0] && magnitude < DecadeLimits[20])) return false;
    // DecadeLimits[decade - 1] <= m < DecadeLimits[decade], so m = 0.d.. x 10^E
    exponent = DecadeOf(magnitude) - 5;
    const double scale = Scales[15 - exponent];
    const double scaled = magnitude * scale;
    const auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    bool up = fraction > 0.5;
    if (fraction == 0.5) {
        const double error = ProductError(magnitude, scale, scaled);
        if (error == 0) return false;
        up = error > 0;
    }
    auto value = whole + (up ? 1 : 0);
    if (value >= 1000000000000000ULL) {  // rounded up into the next decade
        value /= 10;
        ++exponent;
    }
    if (value < 100000000000000ULL) return false;  // decade guess off at a boundary
    n = WriteFifteenDigits(value, digits);
    return true;
}

// Writes the magnitude's digits d1..dn, rounded to 15 significant digits with
// trailing zeros dropped, and returns n; exponent receives E. The byte
// before digits is room for the work.
int SignificantDigits(double magnitude, char* digits, int& exponent)
{
    int scaledDigits = 0;
    if (SignificantDigitsByScaling(magnitude, digits, scaledDigits, exponent)) return scaledDigits;
    char text[40];
    // The shortest text that reads back as the same double is cheap to get.
    // When it has more than 15 digits, rounding it again gives the correctly
    // rounded 15 digits unless it ends exactly on the halfway "5" of the 16th
    // digit: no other 15-digit boundary can lie between it and the exact value.
    // Subnormal values carry fewer digits than that and take the slow path.
    std::to_chars_result written{text, {}};
    int n = 0;
    const bool normal = magnitude >= DBL_MIN;
    if (normal) {
        written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
        *written.ptr = '\0';
        n = ParseScientific(text, digits, exponent);
        if (n <= 15) return DropTrailingZeros(digits, n);
    }
    if (normal && !(n == 16 && digits[15] == '5')) {
        const bool up = digits[15] >= '5';
        n = 15;
        if (up) {
            int i = n - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits[0] = '1';
                ++exponent;
            }
        }
        return DropTrailingZeros(digits, n);
    }
    written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
    *written.ptr = '\0';
    return DropTrailingZeros(digits, ParseScientific(text, digits, exponent));
}

// digits holds 32 bytes, out room for 2 + exponent + 16 (at most 31): the
// digits are copied sixteen at a time, and what lies past the length
// returned is left for the caller to overwrite.
std::size_t WriteFixed(const char* digits, int n, int exponent, char* out)
{
    if (exponent <= 0) {
        std::memcpy(out, "0.000", 5);  // at most three zeros after the point
        const auto zeros = static_cast<std::size_t>(-exponent);
        std::memcpy(out + 2 + zeros, digits, 16);
        return 2 + zeros + static_cast<std::size_t>(n);
    }
    std::memcpy(out, digits, 16);
    for (int i = n; i < exponent; ++i)
        out[i] = '0';
    if (n <= exponent) return static_cast<std::size_t>(exponent);
    out[exponent] = '.';
    std::memcpy(out + exponent + 1, digits + exponent, 16);
    return static_cast<std::size_t>(n + 1);
}

std::size_t WriteScientific(const char* digits, int n, int exponent, char* out)
{
    std::size_t len = 0;
    out[len++] = digits[0];
    if (n > 1) {
        out[len++] = '.';
        for (int i = 1; i < n; ++i)
            out[len++] = digits[i];
    }
    out[len++] = 'E';
    int shown = exponent - 1;
    if (shown < 0) {
        out[len++] = '-';
        shown = -shown;
    }
    return static_cast<std::size_t>(std::to_chars(out + len, out + len + 8, shown).ptr - out);
}

}  // namespace

std::size_t FormatNumberTo(double value, char* buffer)
{
    if (std::isnan(value)) {
        std::memcpy(buffer, "NAN", 4);
        return 3;
    }
    if (std::isinf(value)) {
        std::memcpy(buffer, "INF", 4);
        return 3;
    }
    if (value == 0.0) {
        std::memcpy(buffer, "0", 2);
        return 1;
    }
    std::size_t len = 0;
    if (value < 0) buffer[len++] = '-';
    char room[33] = {};
    char* const digits = room + 1;
    int exponent = 0;
    const int n = SignificantDigits(std::fabs(value), digits, exponent);
    if (exponent >= -3 && exponent <= 15) {
        len += WriteFixed(digits, n, exponent, buffer + len);
    } else {
        len += WriteScientific(digits, n, exponent, buffer + len);
    }
    buffer[len] = '\0';
    return len;
}

std::string FormatNumber(double value)
{
    char buffer[FormatBufferSize];
    const std::size_t len = FormatNumberTo(value, buffer);
    return std::string(buffer, len);
}

std::string MathErrorText(const MathErrorReport& report)
{
    return std::string(report.function) + ": " + report.kind + " error";
}

}  // namespace tallyrix
