#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/Eval.h"

namespace tallyrix {
namespace {

struct FormatCase {
    double value;
    std::string text;
};

class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesFifteenSignificantDigits) {
    EXPECT_EQ(FormatNumber(GetParam().value), GetParam().text);
}

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

}  // namespace
}  // namespace tallyrix
