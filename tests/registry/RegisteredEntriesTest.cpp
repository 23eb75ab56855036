#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <string>
#include <vector>

#include "engine/Eval.h"
#include "registry/RegisteredEntries.h"

namespace tallyrix {
namespace {

struct NumericCase {
    std::string field;
    std::optional<double> value;
};

TEST(NumericValue, AcceptsNonZeroDecimalNumbersInRange)
{
    const NumericCase cases[] = {
        {"9.80665", 9.80665},
        {" 1.5E+2 ", 150.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"2E-", 2.0},
        {"-2.5", -2.5},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e-3", 0.001},
        {"1.7976931348623157e308", DBL_MAX},
        {"1e-310", 1e-310},
        {"000123", 123.0},
        {".", std::nullopt},
        {"0", std::nullopt},
        {"-0.000", std::nullopt},
        {"0e5", std::nullopt},
        {"1e400", std::nullopt},
        {"-1e400", std::nullopt},
        {"1e-400", std::nullopt},
        {"1/2", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1e5x", std::nullopt},
        {"1 2", std::nullopt},
        {"- 2", std::nullopt},
        {"\t1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1,5", std::nullopt},
        {"１", std::nullopt},
        {"pi", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumericValue(c.field), c.value) << '"' << c.field << '"';
}

TEST(DescribeRegisteredButton, TakesCaptionHintAndTag)
{
    const struct {
        std::string line;
        std::string caption;
        bool hasHint;
        std::string hint;
    } cases[] = {
        {"g,9.80665,重力加速度", "g", true, "重力加速度"},
        {"half,1/2,", "half", false, ""},
        {"k,,tip", "k", true, "tip"},
        {"x,1,,", "x", true, ""},
        {"only", "only", false, ""},
        {"", "", false, ""},
        {R"("a,b",2,"say ""hi""")", "a,b", true, R"(say "hi")"},
    };
    int index = 0;
    for (const auto& c : cases) {
        const RegisteredButton button = DescribeRegisteredButton(c.line, index);
        EXPECT_EQ(button.caption, c.caption) << c.line;
        EXPECT_EQ(button.hasHint, c.hasHint) << c.line;
        EXPECT_EQ(button.hint, c.hint) << c.line;
        EXPECT_EQ(button.tag, index) << c.line;
        ++index;
    }
}

const std::vector<std::string> SampleLines = {
    "g,9.80665,重力加速度", "half,1/2,", "k,0,zero", "s,,", "t,text,", "c2, 1.5E+2 ,", "only",
};

TEST(RegisteredInsertText, NameWhenTheEngineKnowsItElseFieldTwo)
{
    Evaluator engine;
    RegisterConstants(SampleLines, engine);
    engine.Evaluate("t=3;@");  // the document assigns a name that is also a string entry
    const struct {
        std::string line;
        std::string byName;   // option unchecked
        std::string byValue;  // option checked
    } cases[] = {
        {"g,9.80665,重力加速度", "g", "9.80665"},
        {"c2, 1.5E+2 ,", "c2", "1.5E+2"},
        {"half,1/2,", "1/2", "1/2"},
        {"k,0,zero", "0", "0"},
        {"s,,", "", ""},
        {"t,text,", "t", "text"},
        {"only", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RegisteredInsertText(c.line, engine, false), c.byName) << c.line;
        EXPECT_EQ(RegisteredInsertText(c.line, engine, true), c.byValue) << c.line;
    }
}

std::string ValueOf(Evaluator& engine, const std::string& name)
{
    engine.Evaluate(name + ";@");
    return engine.ResultText.empty() ? engine.MessageText : engine.ResultText;
}

TEST(RegisterConstants, CountsOnlyNewTableEntries)
{
    // clang-format off
    const struct {
        const char* label;
        std::vector<std::string> lines;
        int fixed;
        std::vector<std::pair<std::string, std::string>> values;  // name → shown value
        std::vector<std::string> undefined;
        std::vector<std::string> variableList;  // after a recalculation's reset
    } cases[] = {
        {"no lines", {}, 1, {{"pi", "3.14159265358979"}}, {}, {"pi: 3.14159265358979"}},
        {"sample", SampleLines, 3, {{"g", "9.80665"}, {"c2", "150"}}, {"half", "k", "s", "t", "only"},
         {"pi: 3.14159265358979", "g: 9.80665", "c2: 150"}},
        {"name twice keeps the last value", {"g,1", "h,2", "g,3"}, 3, {{"g", "3"}, {"h", "2"}}, {},
         {"pi: 3.14159265358979", "g: 3", "h: 2"}},
        {"pi updates pi", {"pi,3", "e,2.718"}, 2, {{"pi", "3"}, {"e", "2.718"}}, {},
         {"pi: 3", "e: 2.718"}},
        {"over-long name", {std::string(36, 'n') + ",1", "ok,2"}, 2, {{"ok", "2"}}, {},
         {"pi: 3.14159265358979", "ok: 2"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        Evaluator engine;
        EXPECT_EQ(RegisterConstants(c.lines, engine), c.fixed) << c.label;
        EXPECT_EQ(engine.VariableCount(), c.fixed) << c.label;
        engine.ResetVariables(c.fixed);
        EXPECT_EQ(engine.VariableList, c.variableList) << c.label;
        for (const auto& [name, value] : c.values)
            EXPECT_EQ(ValueOf(engine, name), value) << c.label << ": " << name;
        for (const std::string& name : c.undefined)
            EXPECT_FALSE(engine.IsDefined(name)) << c.label << ": " << name;
    }
}

// The table holds 256 entries with pi, so only the first 255 constants fit.
TEST(RegisterConstants, AFullTableLeavesTheCountUnchanged)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back("c" + std::to_string(i) + "," + std::to_string(i + 1));
    Evaluator engine;
    EXPECT_EQ(RegisterConstants(lines, engine), VariableCapacity);
    EXPECT_TRUE(engine.IsDefined("c254"));
    EXPECT_FALSE(engine.IsDefined("c255"));
}

// The dialog's OK registers again: the document's variables and removed
// entries go, new entries come.
TEST(RegisterConstants, StartsAgainFromPi)
{
    Evaluator engine;
    int fixed = RegisterConstants({"a,1", "b,2"}, engine);
    engine.ResetVariables(fixed);
    engine.Evaluate("x=5;@");
    fixed = RegisterConstants({"b,20", "c,3"}, engine);
    EXPECT_EQ(fixed, 3);
    EXPECT_FALSE(engine.IsDefined("a"));
    EXPECT_FALSE(engine.IsDefined("x"));
    EXPECT_EQ(ValueOf(engine, "b+c"), "23");
    engine.ResetVariables(fixed);
    EXPECT_EQ(ValueOf(engine, "b"), "20");
}

}  // namespace
}  // namespace tallyrix
