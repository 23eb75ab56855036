#include "EngineTestSupport.h"

namespace tallyrix::test {

Outcome EvaluateDocument(Evaluator& evaluator, const std::string& statements)
{
    Outcome outcome;
    evaluator.SetReporter([&outcome](const MathErrorReport& report) {
        outcome.reports.push_back(MathErrorText(report) + (report.showBox ? " [box]" : ""));
    });
    evaluator.ResetVariables(1);
    try {
        evaluator.Evaluate(statements + ";@");
    } catch (const EngineFailure& failure) {
        outcome.failure = failure.what();
    }
    evaluator.SetReporter({});
    outcome.result = evaluator.ResultText;
    outcome.message = evaluator.MessageText;
    outcome.count = evaluator.StatementCount;
    outcome.values = evaluator.ExpressionValues.ToVector();
    return outcome;
}

Outcome EvaluateDocument(const std::string& statements, bool radians)
{
    Evaluator evaluator;
    evaluator.Radians = radians;
    return EvaluateDocument(evaluator, statements);
}

}  // namespace tallyrix::test
