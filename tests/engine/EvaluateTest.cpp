// The grammar as a user meets it: values, messages and statement counts.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace tallyrix::test {
namespace {

const std::string Waiting = "入力・修正待ち";
const std::string ZeroDivision = "ゼロでのわり算";
const std::string Undefined = "変数名が未定義";

struct GrammarCase {
    std::string statements;
    std::string result;
    std::string message;
    int count;
    std::vector<std::string> values;
};

class GrammarTest : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(GrammarTest, EvaluatesAsAUserExpects)
{
    const GrammarCase& c = GetParam();
    const Outcome outcome = EvaluateDocument(c.statements);
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(outcome.count, c.count);
    EXPECT_EQ(outcome.values, c.values);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Statements, GrammarTest, ::testing::Values(
    GrammarCase{"1+2*3", "7", "", 2, {"1: 7"}},
    GrammarCase{"a=3;b=4;a*b", "12", "", 4, {"1: 3", "2: 4", "3: 12"}},
    GrammarCase{"1;2+", "", Waiting, 2, {"1: 1"}},
    GrammarCase{"1;x;5", "", Undefined, 2, {"1: 1"}},
    GrammarCase{" 1 ;; 2 ", "2", "", 3, {"1: 1", "2: 2"}},
    GrammarCase{"1\t+\n2", "3", "", 2, {"1: 3"}},
    GrammarCase{"1;@2+", "1", "", 2, {"1: 1"}},
    GrammarCase{"1+@", "", Waiting, 1, {}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Precedence, GrammarTest, ::testing::Values(
    GrammarCase{"-2^2", "4", "", 2, {"1: 4"}},
    GrammarCase{"2^-1", "0.5", "", 2, {"1: 0.5"}},
    GrammarCase{"2^3^2", "64", "", 2, {"1: 64"}},
    GrammarCase{"10%4*2", "4", "", 2, {"1: 4"}},
    GrammarCase{"-7%3", "-1", "", 2, {"1: -1"}},
    GrammarCase{"7%-3", "1", "", 2, {"1: 1"}},
    GrammarCase{"5.5%2", "1.5", "", 2, {"1: 1.5"}},
    GrammarCase{"5%0", "0", "", 2, {"1: 0"}},
    GrammarCase{"3*-2", "-6", "", 2, {"1: -6"}},
    GrammarCase{"3*+2", "6", "", 2, {"1: 6"}},
    GrammarCase{"2^3!", "40320", "", 2, {"1: 40320"}},
    GrammarCase{"-3!", "6", "", 2, {"1: 6"}},
    GrammarCase{"(1+2)*3", "9", "", 2, {"1: 9"}},
    GrammarCase{"8/2/2", "2", "", 2, {"1: 2"}},
    GrammarCase{"8-2-2", "4", "", 2, {"1: 4"}},
    GrammarCase{"2*(a=3)", "6", "", 2, {"1: 6"}},
    GrammarCase{"a+b=3", "", Undefined, 1, {}},
    GrammarCase{"a=1;a+b=3", "4", "", 3, {"1: 1", "2: 4"}},
    GrammarCase{"a=2^2;a", "4", "", 3, {"1: 4", "2: 4"}},
    GrammarCase{"a=1+2", "3", "", 2, {"1: 3"}}));
// clang-format on

// A lone number or variable is applied at once, any other right operand
// waits for its value: both must give the same results and messages.
// clang-format off
INSTANTIATE_TEST_SUITE_P(RightOperands, GrammarTest, ::testing::Values(
    GrammarCase{"1-2-3", "-4", "", 2, {"1: -4"}},
    GrammarCase{"1-(2)-(3)", "-4", "", 2, {"1: -4"}},
    GrammarCase{"1-2*3^2!", "-725759", "", 2, {"1: -725759"}},
    GrammarCase{"12/(2)/3", "2", "", 2, {"1: 2"}},
    GrammarCase{"2^(1+1)^3", "64", "", 2, {"1: 64"}},
    GrammarCase{"7%(4)*2", "6", "", 2, {"1: 6"}},
    GrammarCase{"1/(0)", "", ZeroDivision, 1, {}},
    GrammarCase{"1/0^2", "", ZeroDivision, 1, {}},
    GrammarCase{"2*x", "", Undefined, 1, {}},
    GrammarCase{"2*x^2", "", Undefined, 1, {}},
    GrammarCase{"1+2 3", "", Waiting, 1, {}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(IncompleteInput, GrammarTest, ::testing::Values(
    GrammarCase{"1+2)", "", Waiting, 1, {}},
    GrammarCase{"3 4", "", Waiting, 1, {}},
    GrammarCase{"3+-2", "", Waiting, 1, {}},
    GrammarCase{"3--2", "", Waiting, 1, {}},
    GrammarCase{"3+", "", Waiting, 1, {}},
    GrammarCase{"3*", "", Waiting, 1, {}},
    GrammarCase{"2^", "", Waiting, 1, {}},
    GrammarCase{"-", "", Waiting, 1, {}},
    GrammarCase{"3!!", "", Waiting, 1, {}},
    GrammarCase{"3!^2", "", Waiting, 1, {}},
    GrammarCase{"2pi", "", Waiting, 1, {}},
    GrammarCase{"2 pi", "", Waiting, 1, {}},
    GrammarCase{"(1+2", "", Waiting, 1, {}},
    GrammarCase{"(", "", Waiting, 1, {}},
    GrammarCase{"a=", "", Waiting, 1, {}},
    GrammarCase{"sin", "", Waiting, 1, {}},
    GrammarCase{"sin=3", "", Waiting, 1, {}},
    GrammarCase{"*3", "", Waiting, 1, {}},
    GrammarCase{"1 & 2", "", Waiting, 1, {}},
    GrammarCase{"_a", "", Waiting, 1, {}},
    GrammarCase{"1\r+2", "", Waiting, 1, {}},
    GrammarCase{"\xe8\xa8\x88", "", Waiting, 1, {}},
    // An incomplete operand is reported as such even where finishing the
    // operator would have overflowed.
    GrammarCase{"1e300*(1e300", "", Waiting, 1, {}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Errors, GrammarTest, ::testing::Values(
    GrammarCase{"1/0", "", ZeroDivision, 1, {}},
    GrammarCase{"1/1e-101", "", ZeroDivision, 1, {}},
    GrammarCase{"1/1e-100", "", ZeroDivision, 1, {}},
    GrammarCase{"1/1e-99", "1E99", "", 2, {"1: 1E99"}},
    GrammarCase{"(1/0)", "", ZeroDivision, 1, {}},
    GrammarCase{"1/x", "", Undefined, 1, {}},
    GrammarCase{"sqrt(x)", "", Undefined, 1, {}},
    GrammarCase{"1;2;3/0;4", "", ZeroDivision, 3, {"1: 1", "2: 2"}},
    // A rejected literal right after an operator keeps its own message.
    GrammarCase{"3+1.2.3", "", "小数点が多すぎます", 1, {}},
    GrammarCase{"(1e2e3", "", "指数入力に誤りがあります", 1, {}}));
// clang-format on

TEST(Evaluate, TextWithoutExpressionsKeepsThePreviousResultAndMessage)
{
    Evaluator evaluator;
    EvaluateDocument(evaluator, "1;2+");
    const Outcome outcome = EvaluateDocument(evaluator, " ; ;");
    EXPECT_EQ(outcome.message, Waiting);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(outcome.count, 1);
    EXPECT_TRUE(outcome.values.empty());

    EvaluateDocument(evaluator, "5");
    EXPECT_EQ(EvaluateDocument(evaluator, ";").result, "5");
}

TEST(Evaluate, ChainedAssignmentStoresRightToLeft)
{
    Evaluator evaluator;
    EvaluateDocument(evaluator, "a=b=3");
    const std::vector<std::string> expected{"pi: 3.14159265358979", "b: 3", "a: 3"};
    EXPECT_EQ(evaluator.VariableList, expected);
}

TEST(Evaluate, FailedRightSideStoresNothing)
{
    Evaluator evaluator;
    EXPECT_EQ(EvaluateDocument(evaluator, "a=1/0").message, ZeroDivision);
    EXPECT_FALSE(evaluator.IsDefined("a"));
    EXPECT_EQ(evaluator.VariableList.size(), 1u);
}

struct FailureCase {
    std::string statements;
    std::string failure;
    std::vector<std::string> valuesBefore;
};

class PlatformFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PlatformFailureTest, LeavesEvaluateWithTheFailureText)
{
    const FailureCase& c = GetParam();
    const Outcome outcome = EvaluateDocument(c.statements);
    EXPECT_EQ(outcome.failure, c.failure);
    EXPECT_EQ(outcome.values, c.valuesBefore);
}

const std::string Overflow = "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ";
const std::string InvalidOperation = "不正な浮動小数点数演算命令";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Arithmetic, PlatformFailureTest, ::testing::Values(
    FailureCase{"1e200*1e200", Overflow, {}},
    FailureCase{"1;1e308+1e308", Overflow, {"1: 1"}},
    FailureCase{"-1e308-1e308", Overflow, {}},
    FailureCase{"1e300/1e-99", Overflow, {}},
    FailureCase{"171!", Overflow, {}},
    FailureCase{"1e400", Overflow, {}},
    FailureCase{"exp(1000)*0", InvalidOperation, {}},
    FailureCase{"exp(1000)-exp(1000)", InvalidOperation, {}},
    FailureCase{"2147483648!", InvalidOperation, {}},
    FailureCase{"(-2147483648)!", InvalidOperation, {}},
    FailureCase{"1e5000", "'1e5000' は浮動小数点数ではありません", {}},
    FailureCase{"2;1,0e5,000", "'10e5000' は浮動小数点数ではありません", {"1: 2"}}));
// clang-format on

TEST(Evaluate, InfinityAndNanPassThroughArithmeticWithoutFailure)
{
    EXPECT_EQ(EvaluateDocument("exp(1000)+1").result, "INF");
    EXPECT_EQ(EvaluateDocument("sin(1e16)*2").result, "NAN");
    EXPECT_EQ(EvaluateDocument("-exp(1000)").result, "INF");
}

}  // namespace
}  // namespace tallyrix::test
