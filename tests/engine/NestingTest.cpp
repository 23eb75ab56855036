// Nesting far deeper than anyone types: every kind of nesting evaluates to
// its value (or its message) without exhausting the program's stack.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace tallyrix::test {
namespace {

constexpr int Deep = 100000;

std::string Repeat(const std::string& text, int times)
{
    std::string repeated;
    repeated.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

std::string Nest(const std::string& opening, const std::string& inner, const std::string& closing, int depth)
{
    return Repeat(opening, depth) + inner + Repeat(closing, depth);
}

// The library function applied `times` times, as the engine must have done.
template <typename Function>
std::string Iterated(Function function, double start, int times)
{
    double value = start;
    for (int i = 0; i < times; ++i)
        value = function(value);
    return FormatNumber(value);
}

// a0=a1=...=a{n-1}=1
std::string AssignmentChain(int names, int length)
{
    std::string chain;
    for (int i = 0; i < length; ++i)
        chain += "a" + std::to_string(i % names) + "=";
    return chain + "1";
}

struct DeepCase {
    const char* kind;
    std::string statements;
    std::string result;
    std::string message;
    std::size_t reports;
};

TEST(Nesting, EveryKindEvaluatesAtAnyDepth)
{
    const std::string Overflow = "pow: OVERFLOW error [box]";
    const DeepCase cases[] = {
        {"parentheses", Nest("(", "1", ")", Deep), "1", "", 0},
        {"a million parentheses", Nest("(", "7", ")", 10 * Deep), "7", "", 0},
        {"even signs", Nest("-(", "1", ")", Deep), "1", "", 0},
        {"odd signs", Nest("-(", "1", ")", Deep + 1), "-1", "", 0},
        {"plus signs", Nest("+(", "-2", ")", Deep), "-2", "", 0},
        {"sums", Nest("(1+", "1", ")", Deep), "100001", "", 0},
        {"products", Nest("2*(", "1", ")/2", Deep), "1", "", 0},
        {"function words", Repeat("abs ", 2 * Deep) + "-1", "1", "", 0},
        {"function words that converge", Repeat("cos ", Deep) + "1",
         Iterated([](double x) { return std::cos(x); }, 1.0, Deep), "", 0},
        {"function calls", Nest("sin(", "1", ")", Deep), Iterated([](double x) { return std::sin(x); }, 1.0, Deep), "",
         0},
        {"factorials", Nest("(", "2", ")!", Deep), "2", "", 0},
        {"assignments to two names", AssignmentChain(2, Deep), "1", "", 0},
        // Left-associative: ((2^2)^2)^... leaves the double range at the
        // tenth "^"; each later one reports again and goes on with INF.
        {"power chain", Repeat("2^", Deep) + "2", "INF", "", Deep - 9},
        // 2^(2^(2^...)): 2^65536 is the first to overflow.
        {"nested powers", Nest("2^(", "2", ")", Deep), "INF", "", Deep - 3},
    };
    for (const DeepCase& c : cases) {
        SCOPED_TRACE(c.kind);
        const Outcome outcome = EvaluateDocument(c.statements);
        EXPECT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.count, c.message.empty() ? 2 : 1);
        ASSERT_EQ(outcome.reports.size(), c.reports);
        if (c.reports > 0) {
            EXPECT_EQ(outcome.reports.back(), Overflow);
        }
    }
}

TEST(Nesting, ErrorsDeepInsideKeepTheirMessage)
{
    const DeepCase cases[] = {
        {"division by zero", Nest("(", "1/0", ")", Deep), "", "ゼロでのわり算", 0},
        {"unknown name", Nest("-(", "x", ")", Deep), "", "変数名が未定義", 0},
        {"domain check", Repeat("sqrt ", Deep) + "-1", "", "sqrtの引数がゼロか負", 0},
        {"malformed literal", Nest("(", "1.2.3", ")", Deep), "", "小数点が多すぎます", 0},
        {"missing operand", Nest("(", "1+", ")", Deep), "", "入力・修正待ち", 0},
    };
    for (const DeepCase& c : cases) {
        SCOPED_TRACE(c.kind);
        const Outcome outcome = EvaluateDocument("5;" + c.statements + ";6");
        EXPECT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.count, 2);
        EXPECT_EQ(outcome.values, std::vector<std::string>{"1: 5"});
    }
}

TEST(Nesting, UnfinishedDeepNestingIsIncompleteLikeShallowNesting)
{
    const char* openings[] = {"(", "-(", "abs ", "sin(", "a=", "(1+", "2*(", "2^("};
    for (const std::string opening : openings) {
        SCOPED_TRACE(opening);
        const Outcome shallow = EvaluateDocument("1;" + opening);
        const Outcome deep = EvaluateDocument("1;" + Repeat(opening, Deep));
        EXPECT_EQ(shallow.message, "入力・修正待ち");
        EXPECT_EQ(deep.message, shallow.message);
        EXPECT_EQ(deep.result, shallow.result);
        EXPECT_EQ(deep.count, shallow.count);
        EXPECT_EQ(deep.values, shallow.values);
    }
}

TEST(Nesting, OverflowDeepInsideLeavesEvaluate)
{
    const Outcome outcome = EvaluateDocument("3;" + Nest("(", "1e200*1e200", ")", Deep));
    EXPECT_EQ(outcome.failure, OverflowText);
    EXPECT_EQ(outcome.values, std::vector<std::string>{"1: 3"});
}

TEST(Nesting, StatementsAfterADeepOneAreNumberedOnAndTheEvaluatorIsReusable)
{
    Evaluator evaluator;
    const std::string deep = Nest("(", "2", ")", Deep);
    const Outcome first = EvaluateDocument(evaluator, "1;;" + deep + ";3");
    EXPECT_EQ(first.values, (std::vector<std::string>{"1: 1", "2: 2", "3: 3"}));
    EXPECT_EQ(first.count, 4);
    // A stop deep inside one evaluation leaves nothing behind for the next.
    EvaluateDocument(evaluator, Repeat("-(", Deep));
    EXPECT_EQ(EvaluateDocument(evaluator, "1+2").values, std::vector<std::string>{"1: 3"});
}

TEST(Nesting, AssignmentChainStoresFromTheRightUntilTheTableIsFull)
{
    Evaluator evaluator;
    const Outcome outcome = EvaluateDocument(evaluator, AssignmentChain(Deep, Deep));
    EXPECT_EQ(outcome.message, "変数の数が多すぎます");
    EXPECT_EQ(outcome.count, 1);
    // pi and the 255 names nearest the "1".
    ASSERT_EQ(evaluator.VariableList.size(), static_cast<std::size_t>(VariableCapacity));
    const std::vector<std::string> lines = evaluator.VariableList.ToVector();
    EXPECT_EQ(lines[1], "a" + std::to_string(Deep - 1) + ": 1");
    EXPECT_EQ(lines.back(), "a" + std::to_string(Deep - 255) + ": 1");
}

}  // namespace
}  // namespace tallyrix::test
