#include "document/NameCompletion.h"

#include <gtest/gtest.h>

#include "document/StatementExtraction.h"

namespace tallyrix {
namespace {

// "name detail" per candidate, best first.
std::vector<std::string> Listed(const NameCompletion& completion, std::string_view prefix)
{
    std::vector<std::string> lines;
    for (const CompletionCandidate& candidate : completion.Complete(prefix))
        lines.push_back(candidate.name + " " + candidate.detail);
    return lines;
}

void TakeRun(NameCompletion& completion, Evaluator& engine, std::string_view document, int base)
{
    engine.ResetVariables(base);
    engine.Evaluate(BuildEngineInput(document));
    completion.TakeTable(engine.Variables(), !engine.MessageText.empty());
}

TEST(NameCompletionTest, NamesOfferedForAPrefix)
{
    Evaluator engine;
    engine.RegisterConstant("Rydberg", 10973731.6);
    engine.RegisterConstant("sinus", 2);  // a name the functions' order ranks among
    NameCompletion completion;
    TakeRun(completion, engine, "price = 25000000; rate = 0.015 / 12; ratio = 1/3; RATE2 = 2; r_ = 1; pi2 = pi*2", 3);
    // clang-format off
    const struct {
        const char* prefix;
        std::vector<std::string> listed;
    } cases[] = {
        {"ra", {"rate 0.00125", "ratio 0.333333333333333", "RATE2 2"}},
        {"RA", {"RATE2 2", "rate 0.00125", "ratio 0.333333333333333"}},
        {"r",  {"r_ 1", "rate 0.00125", "ratio 0.333333333333333", "RATE2 2", "Rydberg 10973731.6"}},
        {"pi", {"pi 3.14159265358979", "pi2 6.28318530717959"}},
        {"si", {"sin 関数", "sinh 関数", "sinus 2"}},
        {"lo", {"log 関数", "log10 関数"}},
        {"st", {"step 関数"}},
        {"Ste", {"step 関数"}},
        {"step", {}},       // nothing left to add
        {"q", {}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Listed(completion, c.prefix), c.listed) << c.prefix;
    EXPECT_EQ(completion.Complete("").size(), 9u + FunctionNameList().size());
}

// A run that stops at the name being typed keeps offering what it did not
// reach, with the values it did reach; a run that gets through drops the rest.
TEST(NameCompletionTest, AStoppedRunDropsNoName)
{
    Evaluator engine;
    NameCompletion completion;
    TakeRun(completion, engine, "rate = 1; rent = 2", 1);
    TakeRun(completion, engine, "rate = 5; re; rent = 2", 1);
    EXPECT_EQ(Listed(completion, "r"), (std::vector<std::string>{"rate 5", "rent 2"}));
    TakeRun(completion, engine, "rate = 5", 1);
    EXPECT_EQ(Listed(completion, "r"), (std::vector<std::string>{"rate 5"}));
}

TEST(NameCompletionTest, TheNameBeforeTheCaret)
{
    // clang-format off
    const struct {
        const char16_t* line;
        const char* name;
    } cases[] = {
        {u"a = ra", "ra"},
        {u"x+r_2", "r_2"},
        {u"2ab", "ab"},
        {u"12", ""},
        {u"", ""},
        {u"_x", "x"},
        {u"1 // ra", ""},
        {u"a -- ra", ""},
        {u"税率ra", "ra"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(NameBeforeCaret(c.line), c.name) << "row " << &c - cases;
}

}  // namespace
}  // namespace tallyrix
