// What the editor tells about a name: the tooltip text after a real run of
// the engine, and the target of a jump. A "|" in a document marks the place
// asked about and is no part of it.
#include <gtest/gtest.h>

#include <memory>

#include "document/NameHover.h"
#include "document/NameSites.h"
#include "document/StatementExtraction.h"
#include "engine/Eval.h"

namespace tallyrix {
namespace {

struct Marked {
    std::string text;
    std::size_t place;
};

Marked Mark(std::string_view document)
{
    const std::size_t place = document.find('|');
    return {std::string(document.substr(0, place)) + std::string(document.substr(place + 1)), place};
}

const std::optional<RegisteredNote> Gravity = RegisteredNote{3, "重力加速度"};

struct HoverCase {
    const char* document;
    std::optional<RegisteredNote> registered;  // g, when registered
    const char* text;                          // "" when no name is there
    bool grouped = false;                      // 3桁区切りで表示 on
};

TEST(NameHoverTest, TheTooltipTellsWhatTheLastRunLeftInTheName)
{
    // clang-format off
    const HoverCase cases[] = {
        {"r = 2; area = pi*r^2; |area",          {},      "area = 12.5663706143592"},
        {"a = 1; a = a + 1;\na = a * 3; |a",      {},      "a = 6 (3回代入)"},
        {"x = 2*|g",                             Gravity, "g = 9.80665\n登録定数: 重力加速度"},
        {"g = 10; g = g + 1; x = |g",            Gravity, "g = 11 (2回代入)\n登録定数: 重力加速度"},
        {"|sqrt 2",                              {},      "sqrt: 平方根"},
        {"|b + 1",                               {},      "未定義"},
        {"a = 1 // |a",                          {},      ""},
        {"a = 1\n///\n|a",                        {},      ""},
        {"ab = 5; abc = 1; a|b",                 {},      "ab = 5"},
        {"x = 3; y = 2e|x",                      {},      "x = 3"},
        {"m = 76546.5*2; |m",                    {},      "m = 153,093", true},
    };
    // clang-format on
    for (const HoverCase& c : cases) {
        const Marked marked = Mark(c.document);
        Evaluator engine;
        engine.RegisterConstant("g", 9.80665);
        engine.ResetVariables(2);
        // As in the window when the pane shows each statement's value.
        engine.RecordVariableLines = false;
        engine.EvaluateResuming(std::make_shared<const std::string>(BuildEngineInput(marked.text)), 2);
        const NameSites sites(marked.text);
        const std::optional<NameToken> name = sites.NameAt(marked.place, NameSites::Place::Character);
        // pi and g are the entries kept before the document's.
        const std::string text =
            name ? HoverText(sites.Spelling(*name), LastValueOf(engine, sites.Spelling(*name)), c.registered, c.grouped)
                 : "";
        EXPECT_EQ(text, c.text) << c.document;
    }
}

TEST(NameHoverTest, EveryFunctionOfTheEngineIsDescribed)
{
    for (const std::string_view function : FunctionNameList())
        EXPECT_FALSE(FunctionDescription(function).empty()) << function;
    EXPECT_TRUE(FunctionDescription("pi").empty());
    EXPECT_TRUE(FunctionDescription("Sin").empty());
}

struct JumpCase {
    const char* document;
    std::optional<RegisteredNote> registered;
    JumpTarget::Kind kind;
    const char* selected;  // the statement, for a statement target
};

TEST(NameJumpTest, ANameLeadsToItsLastAssignmentBeforeThePlace)
{
    using Kind = JumpTarget::Kind;
    // clang-format off
    const JumpCase cases[] = {
        {"a = 1; a = 2;\nb = |a + 1; a = 3",          {},      Kind::Statement,       "a = 2"},
        {"a = 1; a = |a + 1",                         {},      Kind::Statement,       "a = 1"},
        {"b = (c = 3) + |c",                          {},      Kind::Statement,       "b = (c = 3) + c"},
        {"t = 1 +  // first\n  2;\nx = |t",            {},      Kind::Statement,       "t = 1 +  // first\n  2"},
        {"b = |a; a = 1",                             {},      Kind::Undefined,       ""},
        {"a-- = 1;\nb = |a",                          {},      Kind::Undefined,       ""},
        {"x = |g",                                    Gravity, Kind::RegisteredEntry, ""},
        {"g = 10; x = |g",                            Gravity, Kind::Statement,       "g = 10"},
        {"x = |sin 1",                                {},      Kind::BuiltIn,         ""},
    };
    // clang-format on
    for (const JumpCase& c : cases) {
        const Marked marked = Mark(c.document);
        const NameSites sites(marked.text);
        const std::optional<NameToken> name = sites.NameAt(marked.place, NameSites::Place::Character);
        ASSERT_TRUE(name) << c.document;
        const JumpTarget target = FindJumpTarget(sites, *name, c.registered);
        EXPECT_EQ(target.kind, c.kind) << c.document;
        EXPECT_EQ(marked.text.substr(target.from, target.to - target.from), c.selected) << c.document;
        if (c.kind == Kind::RegisteredEntry) {
            EXPECT_EQ(target.entry, 3u);
        }
    }
}

}  // namespace
}  // namespace tallyrix
