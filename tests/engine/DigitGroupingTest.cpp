// Values shown with their digits in groups of three.
#include <gtest/gtest.h>

#include <limits>

#include "engine/DigitGrouping.h"
#include "engine/Eval.h"

namespace tallyrix {
namespace {

TEST(DigitGroupingTest, OnlyTheIntegerPartOfAPlainDecimalIsGrouped)
{
    // clang-format off
    const struct { double value; const char* shown; } cases[] = {
        {25000000, "25,000,000"}, {-1234.5, "-1,234.5"}, {0.000123, "0.000123"}, {0, "0"}, {-999, "-999"},
        {1000, "1,000"}, {-100000, "-100,000"}, {1234.56789012345, "1,234.56789012345"},
        {123456789012345.0, "123,456,789,012,345"}, {-999999999999999.0, "-999,999,999,999,999"},
        {1e15, "1E15"}, {1.5e20, "1.5E20"}, {-1e-5, "-1E-5"}, {std::numeric_limits<double>::infinity(), "INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(GroupDigits(FormatNumber(c.value)), c.shown) << c.shown;
}

TEST(DigitGroupingTest, EachLineKeepsItsLabelAndAnythingButAValue)
{
    // clang-format off
    const struct { const char* text; const char* shown; } cases[] = {
        {"1234: 5678\ntotal: -98765.4321\n", "1234: 5,678\ntotal: -98,765.4321\n"},
        {"\n\n1000\n", "\n\n1,000\n"},
        {"3; 入力・修正待ち\nx: 1.5E20\ny: NAN", "3; 入力・修正待ち\nx: 1.5E20\ny: NAN"},
        {"1,000\n12a34\n1.2.3\n-\n1234.\n.5", "1,000\n12a34\n1.2.3\n-\n1234.\n.5"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(GroupLineValues(c.text), c.shown) << c.text;
}

}  // namespace
}  // namespace tallyrix
