#include "EngineTestSupport.h"

#include <utility>

namespace tallyrix::test {

void PrintTo(const RunOutcome& run, std::ostream* out)
{
    *out << "result '" << run.result << "' message '" << run.message << "' failure '" << run.failure << "' count "
         << run.count << " lines " << run.expressionValues.size() << "/" << run.variableList.size() << " reports "
         << run.reports.size() << " start " << run.statementStart << " stop " << run.stopOffset << " token end "
         << run.failedTokenEnd;
}

RunOutcome OutcomeOf(const Evaluator& evaluator, std::string failure, std::vector<std::string> reports)
{
    RunOutcome run;
    run.result = evaluator.ResultText;
    run.message = evaluator.MessageText;
    run.failure = std::move(failure);
    run.count = evaluator.StatementCount;
    run.expressionValues = evaluator.ExpressionValues.ToVector();
    run.variableList = evaluator.VariableList.ToVector();
    run.reports = std::move(reports);
    run.statementStart = evaluator.StatementStart;
    run.stopOffset = evaluator.StopOffset;
    run.failedTokenEnd = evaluator.FailedTokenEnd;
    run.statementEnds = evaluator.StatementEnds;
    return run;
}

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
