// Number literals and names as the scanner reads them.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "EngineTestSupport.h"

namespace tallyrix::test {
namespace {

struct LiteralCase {
    std::string literal;
    double value;
};

class LiteralValueTest : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(LiteralValueTest, ConvertsToTheNearestDouble)
{
    const LiteralCase& c = GetParam();
    // The difference to a constant holding the expected double is exactly
    // zero only when the conversion is exact to the last bit.
    Evaluator evaluator;
    evaluator.RegisterConstant("expected", c.value);
    evaluator.ResetVariables(2);
    evaluator.Evaluate("(" + c.literal + ")-expected;@");
    EXPECT_EQ(evaluator.MessageText, "") << c.literal;
    EXPECT_EQ(evaluator.ResultText, "0") << c.literal;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Literals, LiteralValueTest, ::testing::Values(
    LiteralCase{"3.14", 3.14}, LiteralCase{".5", 0.5}, LiteralCase{"5.", 5.0},
    LiteralCase{"1,234.5", 1234.5}, LiteralCase{"1,5", 15.0}, LiteralCase{".", 0.0},
    LiteralCase{"1e3", 1000.0}, LiteralCase{"1E+3", 1000.0}, LiteralCase{"2.5e-3", 0.0025},
    LiteralCase{"1e", 1.0}, LiteralCase{"1e+", 1.0}, LiteralCase{"2e-1", 0.2},
    LiteralCase{"1e0300", 1e300}, LiteralCase{"1e-400", 0.0}, LiteralCase{"0.1", 0.1},
    LiteralCase{"123456789012345678901234567890", 123456789012345678901234567890.0},
    LiteralCase{"0.30000000000000004441", 0.30000000000000004441},
    LiteralCase{"4.9406564584124654e-324", 4.9406564584124654e-324},
    LiteralCase{"1,000,000", 1e6}));
// clang-format on

// The value a literal must have: the C library's extended conversion of its
// text without commas, rounded to double.
double ReferenceValue(const std::string& literal)
{
    std::string text;
    for (const char c : literal) {
        if (c != ',') text += c;
    }
    return static_cast<double>(std::strtold(text.c_str(), nullptr));
}

std::string RandomLiteral(std::mt19937_64& random)
{
    const auto digits = [&random](std::size_t n) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    if (random() % 5 == 0) {
        // A binary fraction, written out exactly ("0.375", "12.5")
        const int places = static_cast<int>(random() % 28);
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", places,
                      std::ldexp(static_cast<double>(random() % 100000000), -places));
        return text;
    }
    std::string literal = random() % 4 == 0 ? std::string(random() % 30, '0') : "";
    literal += digits(random() % 3 == 0 ? random() % 26 : 1 + random() % 6);
    if (random() % 2 == 0) literal += "." + digits(random() % 24);
    if (literal.empty() || literal == ".") literal += "7";
    // A comma anywhere in the mantissa counts for nothing.
    if (random() % 8 == 0) literal.insert(random() % literal.size() + 1, ",");
    if (random() % 3 == 0) {
        literal += "eE"[random() % 2];
        literal += std::string("+-", 0, 2).substr(random() % 3, 1);
        literal += digits(random() % 4);
    }
    return literal;
}

TEST(LiteralConversion, AgreesWithTheLibraryOnRandomLiterals)
{
    std::mt19937_64 random(20261209);
    Evaluator evaluator;
    evaluator.RegisterConstant("expected", 0.0);
    int mismatches = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string literal = RandomLiteral(random);
        const double expected = ReferenceValue(literal);
        if (std::isinf(expected)) continue;
        evaluator.ResetVariables(2);
        evaluator.RegisterConstant("expected", expected);
        evaluator.Evaluate("(" + literal + ")-expected;@");
        if (evaluator.ResultText != "0" && ++mismatches <= 5) {
            ADD_FAILURE() << literal << " gives " << evaluator.ResultText << evaluator.MessageText;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Literals of one or two digits are read apart from longer ones: with two
// leading zeros, which change no value, the same literal takes the general
// path. Both must end where the same byte ends them, with the same outcome.
TEST(LiteralConversion, ShortIntegersEndAsLongerLiteralsDo)
{
    const std::string followers[] = {"",    ";1", "+1", "-1", "*3", ")", " 5", "e1",
                                     "E-1", ".5", ",5", "5",  "x",  "!", "@"};
    for (int n = 0; n < 100; ++n) {
        for (const std::string& after : followers) {
            const std::string text = std::to_string(n) + after;
            const Outcome shortOne = EvaluateDocument(text);
            const Outcome padded = EvaluateDocument("00" + text);
            EXPECT_EQ(shortOne.result, padded.result) << text;
            EXPECT_EQ(shortOne.message, padded.message) << text;
            EXPECT_EQ(shortOne.count, padded.count) << text;
            EXPECT_EQ(shortOne.failure, padded.failure) << text;
        }
    }
}

struct RejectCase {
    std::string text;
    std::string message;
    int count;
};

class RejectedLiteralTest : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectedLiteralTest, StopsWithItsMessage)
{
    const RejectCase& c = GetParam();
    const Outcome outcome = EvaluateDocument(c.text);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(outcome.count, c.count);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Literals, RejectedLiteralTest, ::testing::Values(
    RejectCase{"1.2.3", "小数点が多すぎます", 0},
    RejectCase{"1.5e2.5", "小数点が多すぎます", 0},
    RejectCase{"1e2e3", "指数入力に誤りがあります", 0},
    RejectCase{"1e2.5", "指数部は2桁の整数です", 0},
    RejectCase{"1;2;1..", "小数点が多すぎます", 3},
    RejectCase{"1+1e2E", "指数入力に誤りがあります", 1}));
// clang-format on

struct TokenCase {
    std::string text;
    std::string result;
    std::string message;
};

class ScannerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ScannerTest, SplitsTokensAsWritten)
{
    const TokenCase& c = GetParam();
    Evaluator evaluator;
    evaluator.RegisterConstant("abc", 1);
    evaluator.RegisterConstant("x", 2);
    evaluator.RegisterConstant("a_1", 3);
    evaluator.RegisterConstant("A1", 4);
    evaluator.ResetVariables(evaluator.VariableCount());
    evaluator.Evaluate(c.text + ";@");
    EXPECT_EQ(evaluator.ResultText, c.result) << c.text;
    EXPECT_EQ(evaluator.MessageText, c.message) << c.text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tokens, ScannerTest, ::testing::Values(
    TokenCase{"2-1", "1", ""},
    TokenCase{"2e-1", "0.2", ""},
    TokenCase{"12abc", "", "入力・修正待ち"},
    TokenCase{"2ex", "", "入力・修正待ち"},
    TokenCase{"a_1+A1", "7", ""},
    TokenCase{"Abc", "", "変数名が未定義"},
    TokenCase{"x\t*\nx", "4", ""}));
// clang-format on

TEST(Names, LongestNameFitsAndLongerOnesAreRefused)
{
    const std::string longest(MaxNameLength, 'n');
    Evaluator evaluator;
    EXPECT_EQ(EvaluateDocument(evaluator, longest + "=5;" + longest).result, "5");

    // One character more: refused as malformed, never shortened onto the
    // 35-character name.
    const std::string tooLong = longest + "m";
    const Outcome outcome = EvaluateDocument(evaluator, longest + "=5;" + tooLong + "=6;" + longest);
    EXPECT_EQ(outcome.message, "入力・修正待ち");
    EXPECT_EQ(outcome.values, std::vector<std::string>{"1: 5"});
    EXPECT_FALSE(evaluator.RegisterConstant(tooLong, 1.0));
    EXPECT_FALSE(evaluator.IsDefined(tooLong));
}

}  // namespace
}  // namespace tallyrix::test
