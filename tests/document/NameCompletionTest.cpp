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

NameCompletion AfterRun(Evaluator& engine, std::string_view document, int base)
{
    engine.ResetVariables(base);
    engine.Evaluate(BuildEngineInput(document));
    NameCompletion completion;
    completion.TakeTable(engine.Variables(), !engine.MessageText.empty());
    return completion;
}

TEST(NameCompletionTest, NamesOfferedForAPrefix)
{
    Evaluator engine;
    engine.RegisterConstant("Rydberg", 10973731.6);
    engine.RegisterConstant("sinus", 2);  // a name the functions' order ranks among
    const NameCompletion completion =
        AfterRun(engine, "price = 25000000; rate = 0.015 / 12; ratio = 1/3; RATE2 = 2; r_ = 1; pi2 = pi*2", 3);
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
        {"price", {}},
        {"rat", {"rate 0.00125", "ratio 0.333333333333333", "RATE2 2"}},
        {"q", {}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Listed(completion, c.prefix), c.listed) << c.prefix;
    EXPECT_EQ(completion.Complete("").size(), 9u + BuiltInFunctionNames().size());
}

// A run that stops at the name being typed keeps offering what it did not
// reach, with the values it did reach; a run that gets through drops the rest.
TEST(NameCompletionTest, AStoppedRunDropsNoName)
{
    Evaluator engine;
    NameCompletion completion = AfterRun(engine, "rate = 1; rent = 2", 1);
    for (const auto& [document, listed] : std::vector<std::pair<const char*, std::vector<std::string>>>{
             {"rate = 5; re; rent = 2", {"rate 5", "rent 2"}},
             {"rate = 5", {"rate 5"}},
         }) {
        engine.ResetVariables(1);
        engine.Evaluate(BuildEngineInput(document));
        completion.TakeTable(engine.Variables(), !engine.MessageText.empty());
        EXPECT_EQ(Listed(completion, "r"), listed) << document;
    }
}

TEST(NameCompletionTest, TheNameBeforeTheCaret)
{
    // clang-format off
    const struct {
        const char* line;
        const char* name;
    } cases[] = {
        {"a = ra", "ra"},
        {"x+r_2", "r_2"},
        {"2ab", "ab"},
        {"12", ""},
        {"rate ", ""},
        {"", ""},
        {"_x", "x"},
        {"1 // ra", ""},
        {"a -- ra", ""},
        {"税率ra", "ra"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(NameBeforeCaret(c.line), c.name) << c.line;
}

}  // namespace
}  // namespace tallyrix
