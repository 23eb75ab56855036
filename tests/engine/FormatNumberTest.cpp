#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "engine/Eval.h"

namespace tallyrix {
namespace {

struct FormatCase {
    double value;
    std::string text;
};

class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesFifteenSignificantDigits) { EXPECT_EQ(FormatNumber(GetParam().value), GetParam().text); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, FormatNumberTest, ::testing::Values(
    FormatCase{1.0 / 3, "0.333333333333333"}, FormatCase{2.0 / 3, "0.666666666666667"},
    FormatCase{0.1 + 0.2, "0.3"}, FormatCase{3.141592653589793, "3.14159265358979"},
    FormatCase{123456789012345.0, "123456789012345"}, FormatCase{1e15, "1E15"},
    FormatCase{999999999999999.0, "999999999999999"}, FormatCase{9999999999999999.0, "1E16"},
    FormatCase{0.0001, "0.0001"}, FormatCase{0.00001, "1E-5"}, FormatCase{0.00012345, "0.00012345"},
    FormatCase{6.02e23, "6.02E23"}, FormatCase{-2.5, "-2.5"}, FormatCase{-0.0, "0"},
    FormatCase{100.0, "100"}, FormatCase{1.5e-300, "1.5E-300"}, FormatCase{-1.25e20, "-1.25E20"},
    FormatCase{1.7976931348623157e308, "1.79769313486232E308"}, FormatCase{4.9406564584124654e-324, "4.94065645841247E-324"},
    // The shortest texts of these end on a halfway 5 in the 16th digit; the
    // exact values lie below and above it.
    FormatCase{8.000000000126705e-16, "8.0000000001267E-16"},
    FormatCase{6.000000000039595e-05, "6.0000000000396E-5"},
    FormatCase{0.99999999999999999, "1"}, FormatCase{999999999999999.9, "1E15"}, FormatCase{0.000099999999999999999, "0.0001"},
    FormatCase{std::numeric_limits<double>::infinity(), "INF"},
    FormatCase{-std::numeric_limits<double>::infinity(), "INF"},
    FormatCase{std::numeric_limits<double>::quiet_NaN(), "NAN"}));
// clang-format on

}  // namespace
}  // namespace tallyrix

namespace tallyrix {
namespace {

// The C library's "%.14e" rounds exactly; FormatNumber's fast paths must
// agree with it digit for digit on every kind of value.
std::string ReferenceDigits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    return text;
}

std::string DigitsOf(const std::string& formatted)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(std::strtod(formatted.c_str(), nullptr)));
    return text;
}

TEST(FormatNumberRounding, AgreesWithExactRoundingOnManyValues)
{
    std::mt19937_64 random(20261208);
    int mismatches = 0;
    for (int i = 0; i < 300000; ++i) {
        double value = 0;
        switch (i % 4) {
            case 0: {
                const std::uint64_t bits = random();
                std::memcpy(&value, &bits, sizeof value);
                if (!std::isfinite(value) || value == 0) continue;
                break;
            }
            case 1:
                value = static_cast<double>(random() % 100000000000000000ULL) *
                        std::pow(10.0, static_cast<int>(random() % 44) - 38);
                break;
            case 2:
                value = std::pow(10.0, static_cast<int>(random() % 26) - 7) *
                        (1 - static_cast<double>(random() % 1000) * 1e-17);
                break;
            default:
                value = static_cast<double>(random() % 1000000) / static_cast<double>(1 + random() % 977);
                break;
        }
        if (value == 0) continue;
        const std::string formatted = FormatNumber(value);
        if (DigitsOf(formatted) != ReferenceDigits(value) && ++mismatches <= 5) {
            ADD_FAILURE() << std::hexfloat << value << " formatted as " << formatted;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tallyrix

namespace tallyrix {
namespace {

// The general format written with the C library's exact "%.14e": digits
// without trailing zeros, fixed for exponents from -4 to 14, else "dEx".
std::string ReferenceFormat(double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return "INF";
    if (value == 0) return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    std::string digits = text[0] + std::string(text + 2, 14);
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = std::atoi(text + 17) + 1;  // of 0.d1d2...
    const auto places = static_cast<std::size_t>(std::max(exponent, 0));
    std::string out = value < 0 ? "-" : "";
    if (exponent < -3 || exponent > 15) {
        out += digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "");
        return out + "E" + std::to_string(exponent - 1);
    }
    if (exponent <= 0) return out + "0." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    if (digits.size() <= places) return out + digits + std::string(places - digits.size(), '0');
    return out + digits.substr(0, places) + "." + digits.substr(places);
}

// A double next to a value halfway between two 15-digit numbers: sixteen
// digits ending in 5, read back, then a step either way or none.
double NearHalfway(std::mt19937_64& random)
{
    std::string text = std::to_string(1 + random() % 9) + ".";
    for (int i = 0; i < 14; ++i)
        text += static_cast<char>('0' + random() % 10);
    text += "5e" + std::to_string(static_cast<int>(random() % 60) - 30);
    const double value = std::strtod(text.c_str(), nullptr);
    const int step = static_cast<int>(random() % 3) - 1;
    return step == 0 ? value : std::nextafter(value, step * std::numeric_limits<double>::infinity());
}

double RandomValue(std::mt19937_64& random, int kind)
{
    switch (kind) {
        case 0:
            return std::bit_cast<double>(random());
        case 1:
            return std::bit_cast<double>(random() % 0x0010000000000000ULL);  // subnormal
        case 2:
            return static_cast<double>(random() % (1ULL << (random() % 64)));  // integer
        case 3: {
            const double power = std::pow(10.0, static_cast<int>(random() % 60) - 30);
            const int step = static_cast<int>(random() % 3) - 1;
            return step == 0 ? power : std::nextafter(power, step * std::numeric_limits<double>::infinity());
        }
        case 4:
            return NearHalfway(random);
        default:
            return static_cast<double>(random() % 2000000) / static_cast<double>(1 + random() % 4093) - 500;
    }
}

TEST(FormatNumberText, MatchesTheLibraryFormattingOnManyValues)
{
    std::mt19937_64 random(20261209);
    int mismatches = 0;
    for (int i = 0; i < 600000; ++i) {
        const double value = RandomValue(random, i % 6);
        const std::string expected = ReferenceFormat(value);
        if (FormatNumber(value) != expected && ++mismatches <= 5) {
            ADD_FAILURE() << std::hexfloat << value << " formatted as " << FormatNumber(value) << ", not " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tallyrix
