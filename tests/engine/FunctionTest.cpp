// Built-in functions, angle mode, factorial and the library's error reports.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace tallyrix::test {
namespace {

struct FunctionCase {
    std::string statements;
    bool radians;
    std::string result;
    std::string message;
    std::vector<std::string> reports;
};

class FunctionTest : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionTest, GivesValueMessageAndReports)
{
    const FunctionCase& c = GetParam();
    const Outcome outcome = EvaluateDocument(c.statements, c.radians);
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(outcome.reports, c.reports);
}

constexpr bool Rad = true;
constexpr bool Deg = false;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Radians, FunctionTest, ::testing::Values(
    FunctionCase{"sin 0", Rad, "0", "", {}},
    FunctionCase{"cos 0", Rad, "1", "", {}},
    FunctionCase{"atan 1*4", Rad, "3.14159265358979", "", {}},
    FunctionCase{"sin x^2", Rad, "", "変数名が未定義", {}},
    FunctionCase{"sqrt 4", Rad, "2", "", {}},
    FunctionCase{"sqrt sqrt 16", Rad, "2", "", {}},
    FunctionCase{"sqrt(2)^2", Rad, "2", "", {}},
    FunctionCase{"sin(pi/2)^2", Rad, "1", "", {}},
    FunctionCase{"log10 1000", Rad, "3", "", {}},
    FunctionCase{"log(exp 2)", Rad, "2", "", {}},
    FunctionCase{"step 0", Rad, "1", "", {}},
    FunctionCase{"step -0.5", Rad, "0", "", {}},
    FunctionCase{"ceil 2.1", Rad, "3", "", {}},
    FunctionCase{"floor -2.1", Rad, "-3", "", {}},
    FunctionCase{"abs -3", Rad, "3", "", {}},
    FunctionCase{"tanh 0", Rad, "0", "", {}},
    FunctionCase{"pi", Rad, "3.14159265358979", "", {}},
    FunctionCase{"SIN 30", Rad, "", "変数名が未定義", {}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Degrees, FunctionTest, ::testing::Values(
    FunctionCase{"sin 30", Deg, "0.5", "", {}},
    FunctionCase{"cos 90", Deg, "6.12323399573677E-17", "", {}},
    FunctionCase{"tan 45", Deg, "1", "", {}},
    FunctionCase{"asin 1", Deg, "90", "", {}},
    FunctionCase{"atan 1", Deg, "45", "", {}},
    FunctionCase{"acos -1", Deg, "180", "", {}},
    FunctionCase{"sinh 1", Deg, "1.1752011936438", "", {}},
    FunctionCase{"sinh 1", Rad, "1.1752011936438", "", {}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(DomainChecks, FunctionTest, ::testing::Values(
    FunctionCase{"sqrt 0", Rad, "", "sqrtの引数がゼロか負", {}},
    FunctionCase{"sqrt -1", Rad, "", "sqrtの引数がゼロか負", {}},
    FunctionCase{"log 0", Rad, "", "logの引数がゼロか負", {}},
    FunctionCase{"log10 -1", Rad, "", "log10の引数がゼロか負", {}},
    FunctionCase{"asin 1.5", Rad, "", "asinの引数が範囲外", {}},
    FunctionCase{"acos -2", Deg, "", "acosの引数が範囲外", {}},
    FunctionCase{"sqrt(sin 1e16)", Rad, "", "sqrtの引数がゼロか負", {"sin: TLOSS error"}},
    FunctionCase{"step(sin 1e16)", Rad, "0", "", {"sin: TLOSS error"}},
    FunctionCase{"1;sqrt 0;2", Rad, "", "sqrtの引数がゼロか負", {}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(LibraryReports, FunctionTest, ::testing::Values(
    FunctionCase{"exp 1000", Rad, "INF", "", {"exp: OVERFLOW error [box]"}},
    FunctionCase{"exp -1000", Rad, "0", "", {"exp: UNDERFLOW error"}},
    FunctionCase{"sinh -1000", Rad, "INF", "", {"sinh: OVERFLOW error [box]"}},
    FunctionCase{"cosh 1000", Rad, "INF", "", {"cosh: OVERFLOW error [box]"}},
    FunctionCase{"sin 1e16", Rad, "NAN", "", {"sin: TLOSS error"}},
    FunctionCase{"cos 1e300", Deg, "NAN", "", {"cos: TLOSS error"}},
    FunctionCase{"0^0", Rad, "1", "", {"pow: DOMAIN error [box]"}},
    FunctionCase{"0^-1", Rad, "INF", "", {"pow: DOMAIN error [box]"}},
    FunctionCase{"0^2", Rad, "0", "", {}},
    FunctionCase{"(-8)^(1/3)", Rad, "NAN", "", {"pow: DOMAIN error [box]"}},
    FunctionCase{"(-2)^3", Rad, "-8", "", {}},
    FunctionCase{"5^0", Rad, "1", "", {}},
    FunctionCase{"(exp 1000)^0", Rad, "1", "", {"exp: OVERFLOW error [box]"}},
    FunctionCase{"(-exp 1000)^0", Rad, "1", "", {"exp: OVERFLOW error [box]"}},
    FunctionCase{"(sin 1e16)^-0", Rad, "1", "", {"sin: TLOSS error"}},
    FunctionCase{"10^400", Rad, "INF", "", {"pow: OVERFLOW error [box]"}},
    FunctionCase{"10^-400", Rad, "0", "", {"pow: UNDERFLOW error"}},
    FunctionCase{"(exp 1000)^2", Rad, "INF", "", {"exp: OVERFLOW error [box]", "pow: OVERFLOW error [box]"}},
    FunctionCase{"(exp 1000)^-1", Rad, "0", "", {"exp: OVERFLOW error [box]", "pow: UNDERFLOW error"}},
    FunctionCase{"2^(exp 1000)", Rad, "INF", "", {"exp: OVERFLOW error [box]", "pow: OVERFLOW error [box]"}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Factorial, FunctionTest, ::testing::Values(
    FunctionCase{"0!", Rad, "1", "", {}},
    FunctionCase{"3.9!", Rad, "6", "", {}},
    FunctionCase{"(-3)!", Rad, "6", "", {}},
    FunctionCase{"0.5!", Rad, "1", "", {}},
    FunctionCase{"170!", Rad, "7.257415615308E306", "", {}}));
// clang-format on

TEST(Functions, DegreeModeNeverReadsTheReassignablePi)
{
    Evaluator evaluator;
    evaluator.Radians = false;
    EXPECT_EQ(EvaluateDocument(evaluator, "pi=3;sin 30").result, "0.5");
    EXPECT_EQ(EvaluateDocument(evaluator, "pi").result, "3");
}

TEST(Functions, LargeFactorialOperandFailsWithoutRunningLong)
{
    // 2^31 - 1 fits the integer but overflows long before the loop would end.
    EXPECT_EQ(EvaluateDocument("2147483647!").failure, "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ");
    EXPECT_EQ(EvaluateDocument("(sin 1e16)!").failure, "不正な浮動小数点数演算命令");
}

}  // namespace
}  // namespace tallyrix::test
