// libFuzzer target: any bytes as a document, through the statement
// extraction and one evaluation in each angle mode. Failures of the
// arithmetic are expected and caught; anything else, or a sanitizer report,
// is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/StatementExtraction.h"
#include "engine/Eval.h"

namespace {

tallyrix::Evaluator& SharedEvaluator()
{
    // Reused like the window's one evaluator; a report is only counted.
    static std::size_t reports = 0;
    static tallyrix::Evaluator evaluator([](const tallyrix::MathErrorReport& report) {
        reports += report.showBox ? 1 : 0;
    });
    return evaluator;
}

// Conditions that hold after every evaluation, whatever the input.
void CheckOutcome(const tallyrix::Evaluator& evaluator)
{
    const bool sound = evaluator.VariableCount() >= 1 &&
                       evaluator.VariableCount() <= tallyrix::VariableCapacity &&
                       evaluator.VariableList.size() >=
                           static_cast<std::size_t>(evaluator.VariableCount()) &&
                       evaluator.StatementCount >= 0 &&
                       evaluator.ExpressionValues.size() <=
                           static_cast<std::size_t>(evaluator.StatementCount);
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
    return 0;
}
