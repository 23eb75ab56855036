// The grammar of common statements stands in for the general one, read as
// the statements come or compiled ahead: whatever it reads, declines or
// leaves halfway, the outcome must be the general grammar's, to the byte,
// the offsets and the reports included.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/CompiledStatements.h"
#include "engine/Eval.h"

namespace tallyrix {
namespace {

using test::RunOutcome;

// Which grammar reads the statements: the general one alone, the common one
// as they come, or the common one compiled ahead from the same text.
enum class Grammar { General, Common, Compiled };

// pi, a registered constant and a few names every document may read.
// The common grammar reads nothing within 24 bytes of the text's end:
// padding keeps the statements away from it.
RunOutcome Outcome(const std::string& statements, Grammar grammar, bool radians, bool padded)
{
    std::vector<std::string> reports;
    Evaluator engine([&reports](const MathErrorReport& report) { reports.push_back(MathErrorText(report)); });
    engine.CommonStatementGrammar = grammar != Grammar::General;
    engine.CommonGrammarBacksOff = false;
    engine.Radians = radians;
    engine.RecordStatementEnds = true;
    engine.RegisterConstant("kei", 1.5);
    const std::string text = "a=2;b=-3;c=0.5;z=0;big=1e300;tiny=1e-101;name8ch=4;name9char=5;" + statements + ";" +
                             std::string(padded ? 32 : 0, ' ') + "@";
    CompiledStatements compiled;
    if (grammar == Grammar::Compiled) {
        compiled.CompileAll(text);
        engine.UseCompiled(compiled, compiled.Count());
    }
    std::string failure;
    try {
        engine.Evaluate(text);
    } catch (const EngineFailure& thrown) {
        failure = thrown.what();
    }
    return test::OutcomeOf(engine, failure, reports);
}

std::string Repeat(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

void ExpectSameOutcome(const std::string& statements)
{
    for (const bool radians : {true, false}) {
        for (const bool padded : {true, false}) {
            SCOPED_TRACE("'" + statements + "'" + (radians ? "" : " in degrees") + (padded ? "" : " at the end"));
            const RunOutcome general = Outcome(statements, Grammar::General, radians, padded);
            EXPECT_EQ(Outcome(statements, Grammar::Common, radians, padded), general);
            EXPECT_EQ(Outcome(statements, Grammar::Compiled, radians, padded), general);
        }
    }
}

TEST(CommonStatementTest, EveryStatementComesOutAsTheGeneralGrammarLeavesIt)
{
    // clang-format off
    const std::vector<std::string> documents = {
        // read by the common grammar
        "a+b*c-a/b", "a-b+c", "a/b/c", "2^3^2", "-2^2", "2^-3", "-a^2", "+a", "3*-2", "2^-c^2",
        "sin a^2", "sin -a", "-sin a", "sqrt(16)+abs(b)", "sin(sin(cos a))", "atan(b)*log(a)",
        "a=(b+c)*(b-c)/32", "kei=kei*2;kei", "pi=3;pi*2", "a = \t\n b ;a", "name8ch*2", "0.125+.5+5.+12",
        "exp(c)/2+cos(a)/4", "asin(c)+acos(c)", "ceil(c)+floor(b)+step(b)+tanh(a)+log10(a)", "sin(1e5)",
        "((((((a))))))", "a;;b;", "(a+b)^3/(40+a^2)-c/8", "newname=7;newname+1",
        // left to the general grammar, wholly or after a start
        "3+-2", "--a", "-+a", "a=b=3", "a*(b=4)+b", "undefinedname+1", "fresh=fresh+1", "a/0", "a/tiny", "a/-tiny", "a/(tiny*10)",
        "big*big", "big*10-big", "-big*big", "exp(800)", "exp(-800)", "sinh(800)", "cosh(-800)", "z^-1", "z^0",
        "b^0.5", "2^2000", "2^-2000", "sqrt(b)", "log(z)", "log10(b)", "asin(2)", "sin(1e17)", "tan(2^53)",
        "7%3", "-7%2.5", "a%b%c", "a%0", "3!", "-3!", "2^3!", "3!^2", "2*3!+1", "sin 3!", "170!", "171!",
        "2147483648!", "-2147483647.5!", "(1/0)!", "2e3+1", "1,000+1", "1.2.3", "1e999", "123456789*2", "0.123456789",
        "name9char*2", "averylongnamethatgoesonandonandonforever=1", "sin=3", "sin", "sin;", "a(2)", "2 3",
        "a+", "(a+b", "a+b)", ")", "()", "a\r+b", "a+\x01", "a+@b", "@", "a+b@", "x\xe3\x81\x82=1",
        std::string(300, '(') + "1" + std::string(300, ')'), std::string(300, '-') + "1",
        // far deeper than the common grammar goes on the call stack
        std::string(100000, '(') + "1" + std::string(100000, ')'), Repeat("sin ", 100000) + "1",
        Repeat("2^(", 100000) + "1" + std::string(100000, ')'),
        "a*" + std::string(250, '(') + "b" + std::string(250, ')') + "+1",
        // more values held at once than compiled statements hold
        Repeat("2*c^(", 150) + "1" + std::string(150, ')'),
        // more names assigned than the variable table holds
        [] {
            std::string names;
            for (int i = 0; i < 300; ++i)
                names += "x" + std::to_string(i) + "=" + std::to_string(i) + ";";
            return names;
        }(),
        // more names than a text's compiled statements hold
        [] {
            std::string names = "a";
            for (int i = 0; i < 2100; ++i)
                names += ";x" + std::to_string(i);
            return names;
        }(),
    };
    // clang-format on
    for (const std::string& document : documents)
        ExpectSameOutcome(document);
}

// Documents of random statements, most of them common ones with now and then
// a token or a value that the common grammar leaves to the general one.
TEST(CommonStatementTest, RandomDocumentsComeOutAsTheGeneralGrammarLeavesThem)
{
    const std::vector<std::string> operands = {"a", "b", "c", "z", "kei", "pi", "2", "0.25", "3.5", "1e3", "x1", "y"};
    const std::vector<std::string> operators = {"+", "-", "*", "/", "^", "%", "+-", "*-"};
    const std::vector<std::string> prefixes = {"", "", "", "-", "sin ", "sqrt(", "exp(", "(", "log "};
    std::mt19937 random(2026);
    const auto pick = [&random](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    for (int document = 0; document < 300; ++document) {
        std::string text;
        for (int statement = 0; statement < 12; ++statement) {
            if (random() % 2 == 0) text += pick({"a", "b", "c", "x1", "y", "pi"}) + "=";
            int open = 0;
            for (int operand = 0, count = 1 + static_cast<int>(random() % 5); operand < count; ++operand) {
                if (operand > 0) text += pick(operators);
                const std::string prefix = pick(prefixes);
                open += prefix.ends_with('(');
                text += prefix + pick(operands);
                if (open > 0 && random() % 2 == 0) {
                    text += ")";
                    --open;
                }
            }
            text += std::string(static_cast<std::size_t>(open), ')') + (random() % 4 == 0 ? ";\n" : ";");
        }
        ExpectSameOutcome(text);
    }
}

// Statements begin after each ";"; the text's last byte, which becomes an
// end marker while it is compiled, is never looked at.
TEST(CommonStatementTest, CompiledStatementsBeginAfterEachSeparatorBeforeTheLastByte)
{
    const struct {
        std::string_view text;
        std::size_t from, start;
    } cases[] = {
        {"a;b;c@", 0, 2},
        {"a;b;c@", 2, 4},
        {"a;b;c@", 4, std::string_view::npos},
        {";@", 0, 1},
        {"ab;", 0, std::string_view::npos},
        {"", 0, std::string_view::npos},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompiledStatements::NextStart(c.text, c.from), c.start) << c.text << " from " << c.from;
}

// Statements beyond the room set aside are read from the text.
TEST(CommonStatementTest, StatementsBeyondTheRoomAreReadFromTheText)
{
    const std::string text = "a=1;a*(2+3);b=a+4;b*b-a;a/b;" + std::string(32, ' ') + "@";
    CompiledStatements compiled;
    compiled.Prepare(8);  // eight operations: the fourth statement does not fit, the fifth does
    for (std::size_t start = CompiledStatements::NextStart(text, 0); start != std::string::npos;
         start = CompiledStatements::NextStart(text, start))
        compiled.Compile(text, start);
    EXPECT_EQ(compiled.Count(), 3u);
    Evaluator engine;
    engine.UseCompiled(compiled, compiled.Count());
    engine.Evaluate(text);
    EXPECT_EQ(engine.ExpressionValues.Text(), "1: 1\n2: 5\n3: 5\n4: 24\n5: 0.2\n");
}

// What is compiled is run, not read again: operations compiled from one
// text give their value in another of the same layout.
TEST(CommonStatementTest, CompiledStatementsAreRunInsteadOfRead)
{
    const std::string padding(32, ' ');
    const std::string compiledText = "a=1;a*(2+3);b=a+4;" + padding + "@";
    const std::string evaluatedText = "a=1;a*(2+4);b=a+5;" + padding + "@";
    CompiledStatements compiled;
    compiled.CompileAll(compiledText);
    ASSERT_EQ(compiled.Count(), 2u);
    Evaluator engine;
    engine.UseCompiled(compiled, 1);  // only the first of them
    engine.Evaluate(evaluatedText);
    EXPECT_EQ(engine.ExpressionValues.Text(), "1: 1\n2: 5\n3: 6\n");
    engine.ResetVariables(1);
    engine.Evaluate(evaluatedText);  // given for one run alone
    EXPECT_EQ(engine.ExpressionValues.Text(), "1: 1\n2: 6\n3: 6\n");
}

}  // namespace
}  // namespace tallyrix
