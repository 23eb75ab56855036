// A resumed run must leave exactly what a full run over the same text
// leaves: every field, the failure thrown and the reports in their order.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/Eval.h"

namespace tallyrix {
namespace {

using test::RunOutcome;

// An evaluator as the window sets it up: pi and one registered constant,
// with a reporter that writes down every report.
struct Subject {
    Evaluator engine;
    std::vector<std::string> reports;
    int base = 0;
    int slices = 0;  // of the last resuming run: how much of it was evaluated
    Subject()
    {
        engine.SetReporter([this](const MathErrorReport& report) { reports.push_back(MathErrorText(report)); });
        engine.RegisterConstant("kei", 1.5);
        engine.RecordStatementEnds = true;
        // States close together, so that edits fall between and onto them.
        engine.ResumeInterval = 256;
        base = engine.VariableCount();
    }
    // slice: bytes per slice of a resuming run, WholeRun for none.
    RunOutcome Run(const std::string& text, bool resuming, std::size_t slice = Evaluator::WholeRun)
    {
        reports.clear();
        std::string failure;
        try {
            if (resuming) {
                slices = 1;
                for (bool done = engine.EvaluateResuming(text, base, slice); !done; ++slices)
                    done = engine.ContinueResuming(slice);
            } else {
                // Nothing of the previous document's run shows through.
                engine.ResultText.clear();
                engine.MessageText.clear();
                engine.ResetVariables(base);
                engine.Evaluate(text);
            }
        } catch (const EngineFailure& thrown) {
            failure = thrown.what();
        }
        return test::OutcomeOf(engine, failure, reports);
    }
};

// Long enough for many kept states; it assigns, reads back, calls functions
// that depend on the angle mode and makes a report now and then.
std::string Document(int statements)
{
    std::string text;
    for (int k = 0; k < 40; ++k)
        text += "v" + std::to_string(k) + "=0;";
    for (int i = 0; i < statements; ++i) {
        if (i % 97 == 50) text += "exp(800);\n";
        if (i % 61 == 7) text += "w=pi*kei;\n";
        text += "v" + std::to_string(i % 40) + "=" + std::to_string(i % 13) + ".25*kei+sin(" + std::to_string(i % 90) +
                ")+v" + std::to_string((i + 7) % 40) + "*0;\n";
    }
    return text;
}

std::string Input(const std::string& statements) { return statements + ";@"; }

std::string Replaced(std::string text, std::size_t at, std::size_t length, const std::string& by)
{
    return text.replace(std::min(at, text.size()), length, by);
}

TEST(ResumeTest, EachEditGivesWhatAFullRunGives)
{
    const std::string base = Document(3000);
    const std::size_t middle = base.find(";\n", base.size() / 2) + 2;
    const std::size_t nearEnd = base.find(";\n", base.size() - 200) + 2;
    // Applied one after another to the same resuming evaluator.
    const std::vector<std::pair<const char*, std::string>> edits = {
        {"the document itself", base},
        {"the same again", base},
        {"a statement typed at the end", base + "v1*2"},
        {"incomplete at the end", base + "v1*"},
        {"a digit changed in the middle", Replaced(base, middle, 2, "v3")},
        {"a division by zero in the middle", Replaced(base, middle, 0, "1/0;")},
        {"the middle mended", base},
        {"an overflow thrown near the end", Replaced(base, nearEnd, 0, "1e300*1e300;")},
        {"an undefined name near the end", Replaced(base, nearEnd, 0, "undefined1;")},
        {"a new name at the end", base + "nv=5"},
        {"the new name read in the middle", Replaced(base, middle, 0, "nv;")},
        {"pi and the constant reassigned at the end", base + "pi=3;kei=4"},
        {"a statement typed after that", base + "pi=3;kei=4;pi*2"},
        {"the reassignments taken back", base + "v1"},
        {"the start changed", Replaced(base, 0, 2, "v0=2;v1")},
        {"half of it deleted", base.substr(0, middle)},
        {"everything back", base},
        {"empty", ""},
        {"everything back once more", base},
    };
    // The full runs share one evaluator too: values left in pi and the
    // registered constant carry into the next run. Runs in slices must come
    // out the same, slices that end on kept states included.
    for (const std::size_t slice : {Evaluator::WholeRun, std::size_t{1}, std::size_t{256}, std::size_t{1000}}) {
        Subject resumed, full;
        for (const auto& [what, text] : edits) {
            SCOPED_TRACE(std::string(what) + ", slice " + std::to_string(slice));
            EXPECT_EQ(resumed.Run(Input(text), true, slice), full.Run(Input(text), false));
        }
    }
}

// A run left paused (the user typed on) is dropped: the next run, resumed
// from what the two texts share, gives what a full run gives.
TEST(ResumeTest, APausedRunLeftForANewTextIsDropped)
{
    const std::string base = Document(2000);
    const std::size_t middle = base.find(";\n", base.size() / 2) + 2;
    const std::vector<std::pair<const char*, std::string>> edits = {
        {"typed in the middle", Replaced(base, middle, 0, "v5=7;")},
        {"typed at the start", Replaced(base, 0, 0, "v5=7;")},
        {"an error in the middle", Replaced(base, middle, 0, "1/0;")},
        {"cut short", base.substr(0, middle)},
    };
    for (const auto& [what, text] : edits) {
        for (const std::size_t paused : {std::size_t{1}, base.size() / 4, base.size() * 3 / 4}) {
            SCOPED_TRACE(std::string(what) + ", paused after " + std::to_string(paused));
            Subject resumed, full;
            resumed.Run(Input(base), true);
            // A new name changes every later state: nothing is taken over.
            ASSERT_FALSE(resumed.engine.EvaluateResuming(Input("nv=9;" + base), resumed.base, paused));
            EXPECT_EQ(resumed.Run(Input(text), true, 4096), full.Run(Input(text), false));
        }
    }
}

// Past the edit, a run that meets the previous run's state at a statement
// whose following text is unchanged takes the rest of its results over: the
// outcome must still be a full run's, statement numbers and offsets moved.
TEST(ResumeTest, TakingOverThePreviousRunGivesWhatAFullRunGives)
{
    const std::string base = Document(3000);
    const std::size_t middle = base.find(";\n", base.size() / 2) + 2;
    const std::size_t lineEnd = base.find(";\n", middle) + 2;
    const std::size_t value = base.find('=', middle) + 1;
    const std::size_t nearEnd = base.find(";\n", base.size() - 200) + 2;
    const std::string overflowNearEnd = Replaced(base, nearEnd, 0, "1e300*1e300;");
    const std::string undefinedNearEnd = Replaced(base, nearEnd, 0, "undefined1;");
    struct Row {
        const char* what;
        std::string before, after;
        bool takenOver;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {"a value changed, reassigned a few statements on", base, Replaced(base, value, 0, "1"), true},
        {"another variable assigned in the middle", base, Replaced(base, middle, 2, "v3"), true},
        {"a statement inserted in the middle", base, Replaced(base, middle, 0, "7*3;"), true},
        {"a statement deleted in the middle", base, Replaced(base, middle, lineEnd - middle, ""), true},
        {"a report made in the middle", base, Replaced(base, middle, 0, "exp(800);"), true},
        {"a statement inserted at the start", base, "1;" + base, true},
        {"the first value stored again alike", base, Replaced(base, base.find("=0;") + 1, 1, "0.0"), true},
        {"an overflow near the end thrown again", overflowNearEnd, Replaced(overflowNearEnd, middle, 0, "2;"), true},
        {"an undefined name near the end met again", undefinedNearEnd, Replaced(undefinedNearEnd, value, 0, "1"), true},
        {"a new name in the middle: every later state differs", base, Replaced(base, middle, 0, "nv=1;"), false},
        {"pi changed at the start: its effect runs to the end", base, "pi=3;" + base, false},
        {"a statement typed at the end", base, base + "v1*2", false},
        {"the last statement's value changed", base + "v1*2", base + "v1*3", false},
        {"the end cut short", base, base.substr(0, nearEnd), false},
    };
    // clang-format on
    for (const std::size_t slice : {Evaluator::WholeRun, std::size_t{256}}) {
        for (const Row& row : rows) {
            // The window writes only the list its pane shows; which one
            // must not change how much is evaluated again, also after
            // states taken over.
            std::vector<int> slicesAtEnd;
            for (const bool valuesListed : {true, false}) {
                SCOPED_TRACE(std::string(row.what) + ", slice " + std::to_string(slice) +
                             (valuesListed ? ", values listed" : ", stores listed"));
                Subject resumed, full;
                for (Evaluator* engine : {&resumed.engine, &full.engine}) {
                    engine->RecordExpressionValues = valuesListed;
                    engine->RecordVariableLines = !valuesListed;
                }
                resumed.Run(Input(row.before), true);
                full.Run(Input(row.before), false);
                EXPECT_EQ(resumed.Run(Input(row.after), true, slice), full.Run(Input(row.after), false));
                EXPECT_EQ(resumed.engine.StatementsTakenOver > 0, row.takenOver);
                // The states taken over serve the next edit as the run's own.
                const std::string typedAtEnd = row.after + "v2*2";
                EXPECT_EQ(resumed.Run(Input(typedAtEnd), true, slice), full.Run(Input(typedAtEnd), false));
                slicesAtEnd.push_back(resumed.slices);
                EXPECT_EQ(resumed.Run(Input(row.before), true, slice), full.Run(Input(row.before), false));
            }
            EXPECT_EQ(slicesAtEnd[0], slicesAtEnd[1]) << row.what << ", slice " << slice;
        }
    }
}

// A run may take over at the edited statement itself, whose result then
// differs from the previous run's: a state kept there must hold the new one.
TEST(ResumeTest, AStateTakenOverAtTheEditedStatementHoldsItsResult)
{
    Subject resumed, full;
    resumed.engine.ResumeInterval = 1;  // a state after every statement
    const std::string rest = "a=1;b=2;c=a+b";
    resumed.Run(Input("3;" + rest), true);
    resumed.Run(Input("4;" + rest), true);
    EXPECT_GT(resumed.engine.StatementsTakenOver, 0);
    // Cut after the edited statement: the run restarts from the state there.
    EXPECT_EQ(resumed.Run(Input("4;"), true), full.Run(Input("4;"), false));
}

TEST(ResumeTest, WhatTheRunDependsOnStartsItAfresh)
{
    const std::string text = Input(Document(1500));
    const std::vector<std::pair<const char*, std::function<void(Subject&)>>> changes = {
        {"degrees", [](Subject& s) { s.engine.Radians = false; }},
        {"statement ends not recorded", [](Subject& s) { s.engine.RecordStatementEnds = false; }},
        {"stores not listed", [](Subject& s) { s.engine.RecordVariableLines = false; }},
        {"values not listed", [](Subject& s) { s.engine.RecordExpressionValues = false; }},
        {"another registered value", [](Subject& s) { s.engine.RegisterConstant("kei", 2.5); }},
        {"another registered name",
         [](Subject& s) {
             s.engine.RegisterConstant("v5", 7);
             ++s.base;
         }},
        {"a plain evaluation between", [](Subject& s) { s.engine.Evaluate("v1=99;@"); }},
        {"lists cleared from outside", [](Subject& s) { s.engine.ExpressionValues.clear(); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        Subject resumed, full;
        resumed.Run(text, true);
        full.Run(text, false);
        change(resumed);
        change(full);
        EXPECT_EQ(resumed.Run(text, true), full.Run(text, false));
    }
}

TEST(ResumeTest, DeletingAnyOneByteGivesWhatAFullRunGives)
{
    const std::string base = Document(60);
    Subject resumed;
    for (std::size_t at = 0; at < base.size(); ++at) {
        const std::string text = Replaced(base, at, 1, "");
        SCOPED_TRACE("deleted at " + std::to_string(at));
        resumed.Run(Input(base), true);
        Subject full;
        ASSERT_EQ(resumed.Run(Input(text), true), full.Run(Input(text), false));
    }
}

TEST(ResumeTest, RandomEditsGiveWhatAFullRunGives)
{
    std::mt19937 random(20261209);
    const std::vector<std::string> pieces = {"v2",       "+",  "*", ";", "(",      ")",   "9",
                                             "exp(900)", "/0", "=", " ", "1e200*", "nv=", "nv"};
    const std::string base = Document(2000);
    std::string text = base;
    Subject resumed;
    for (int edit = 0; edit < 150; ++edit) {
        // Mostly one edit of the document, sometimes a second one on top.
        if (edit % 3 != 2) text = base;
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size())(random);
        const std::size_t removed = std::uniform_int_distribution<std::size_t>(0, 3)(random);
        text = Replaced(text, at, removed, pieces[random() % pieces.size()]);
        SCOPED_TRACE("edit " + std::to_string(edit) + " at " + std::to_string(at));
        Subject full;
        ASSERT_EQ(resumed.Run(Input(text), true), full.Run(Input(text), false));
    }
}

}  // namespace
}  // namespace tallyrix
