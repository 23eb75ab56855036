// libFuzzer target: any bytes as a document, through the statement
// extraction and one evaluation in each angle mode, then runs resumed after
// one byte of it changed and after the change was taken back, each held to a
// full run over the same text, and full runs held to runs of the general
// grammar alone and to runs of the common statements compiled ahead. Failures
// of the arithmetic are expected and caught; anything else, a difference, or
// a sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "document/StatementExtraction.h"
#include "engine/CompiledStatements.h"
#include "engine/Eval.h"

namespace {

tallyrix::Evaluator& SharedEvaluator()
{
    // Reused like the window's one evaluator; its reports go nowhere.
    static tallyrix::Evaluator evaluator([](const tallyrix::MathErrorReport&) {});
    return evaluator;
}

// Conditions that hold after every evaluation, whatever the input.
void CheckOutcome(const tallyrix::Evaluator& evaluator)
{
    const bool sound = evaluator.VariableCount() >= 1 && evaluator.VariableCount() <= tallyrix::VariableCapacity &&
                       evaluator.VariableList.size() >= static_cast<std::size_t>(evaluator.VariableCount()) &&
                       evaluator.StatementCount >= 0 &&
                       evaluator.ExpressionValues.size() <= static_cast<std::size_t>(evaluator.StatementCount);
    if (!sound) {
        std::abort();
    }
}

void EvaluateOnce(tallyrix::Evaluator& evaluator, const std::string& input, bool radians)
{
    // A document may reassign pi; put it back so every input starts alike.
    evaluator.RegisterConstant("pi", tallyrix::PiValue);
    evaluator.ResetVariables(1);
    evaluator.Radians = radians;
    try {
        evaluator.Evaluate(input);
    } catch (const tallyrix::EngineFailure&) {
        return;
    }
    CheckOutcome(evaluator);
}

// Everything a run leaves behind, a failure included.
struct Outcome {
    std::string result, message, failure, expressionValues, variableList;
    std::int32_t count = 0;
    std::size_t start = 0, stop = 0, failedTokenEnd = 0;
    std::vector<std::size_t> statementEnds;
    bool operator==(const Outcome&) const = default;
};

template <typename Run>
Outcome Observed(tallyrix::Evaluator& evaluator, Run run)
{
    Outcome outcome;
    try {
        run();
    } catch (const tallyrix::EngineFailure& failure) {
        outcome.failure = failure.what();
    }
    outcome.result = evaluator.ResultText;
    outcome.message = evaluator.MessageText;
    outcome.expressionValues = evaluator.ExpressionValues.Text();
    outcome.variableList = evaluator.VariableList.Text();
    outcome.count = evaluator.StatementCount;
    outcome.start = evaluator.StatementStart;
    outcome.stop = evaluator.StopOffset;
    outcome.failedTokenEnd = evaluator.FailedTokenEnd;
    outcome.statementEnds = evaluator.StatementEnds;
    return outcome;
}

// The input, then the input with one byte changed, as an edit after the
// first keystrokes, then the input again, as the edit taken back: each
// resumed run, evaluated in slices, must give what a fresh evaluator's full
// run gives. The byte may lie anywhere, so that the runs restart before it
// and take over the rest of the previous run after it.
void CheckResumed(const std::string& input)
{
    if (input.size() < 4) return;
    tallyrix::Evaluator resumed;
    resumed.ResumeInterval = 8;  // states close together, so that edits meet them
    resumed.RecordStatementEnds = true;
    // As in the window, only one of the two lists is written; the other is
    // left out of the comparison.
    const bool valuesListed = (input[2] & 1) != 0;
    resumed.RecordExpressionValues = valuesListed;
    resumed.RecordVariableLines = !valuesListed;
    const auto listed = [valuesListed](Outcome outcome) {
        (valuesListed ? outcome.variableList : outcome.expressionValues).clear();
        return outcome;
    };
    std::string edited = input;
    const std::size_t at = static_cast<unsigned char>(input[0]) * (input.size() - 1) / 256;
    edited[at] = static_cast<char>(edited[at] ^ 0x05);
    Observed(resumed, [&] { resumed.EvaluateResuming(input, 1); });
    // The later runs go a few bytes at a time, as the window's slices.
    const std::size_t slice = 1 + static_cast<unsigned char>(input[1]) % 32;
    const auto resume = [&](const std::string& text) {
        return listed(Observed(resumed, [&] {
            for (bool done = resumed.EvaluateResuming(text, 1, slice); !done;)
                done = resumed.ContinueResuming(slice);
        }));
    };
    // The same texts in full runs: a value the first leaves in pi carries
    // into the second. The general grammar alone must give the same again.
    tallyrix::Evaluator fresh, general;
    fresh.CommonGrammarBacksOff = false;
    general.CommonStatementGrammar = false;
    const auto fullRun = [](tallyrix::Evaluator& evaluator, const std::string& text) {
        evaluator.RecordStatementEnds = true;
        return Observed(evaluator, [&] {
            evaluator.ResultText.clear();
            evaluator.MessageText.clear();
            evaluator.ResetVariables(1);
            evaluator.Evaluate(text);
        });
    };
    tallyrix::CompiledStatements compiled;
    compiled.CompileAll(input);
    tallyrix::Evaluator runsCompiled;
    runsCompiled.UseCompiled(compiled, compiled.Count());
    const Outcome first = fullRun(general, input);
    if (!(fullRun(fresh, input) == first) || !(fullRun(runsCompiled, input) == first)) std::abort();
    const Outcome full = fullRun(fresh, edited);
    if (!(resume(edited) == listed(full)) || !(fullRun(general, edited) == full)) std::abort();
    if (!(resume(input) == listed(fullRun(fresh, input)))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    const std::string input = tallyrix::BuildEngineInput(document);
    if (input.empty()) {
        return 0;
    }
    tallyrix::Evaluator& evaluator = SharedEvaluator();
    EvaluateOnce(evaluator, input, true);
    EvaluateOnce(evaluator, input, false);
    CheckResumed(input);
    return 0;
}
