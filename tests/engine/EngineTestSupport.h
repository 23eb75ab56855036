#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/Eval.h"

namespace tallyrix::test {

// What one evaluation left behind, for table comparisons.
struct Outcome {
    std::string result;
    std::string message;
    int count = 0;
    std::vector<std::string> values;
    std::string failure;               // text of an EngineFailure, empty when none
    std::vector<std::string> reports;  // "exp: OVERFLOW error" (+ " [box]")
};

// Everything a run leaves in the evaluator, with the failure it threw (""
// when none) and the reports it made, for holding two runs to one outcome.
struct RunOutcome {
    std::string result, message, failure;
    std::int32_t count = 0;
    std::vector<std::string> expressionValues, variableList, reports;
    std::size_t statementStart = 0, stopOffset = 0, failedTokenEnd = 0;
    std::vector<std::size_t> statementEnds;
    bool operator==(const RunOutcome&) const = default;
};
void PrintTo(const RunOutcome& run, std::ostream* out);
RunOutcome OutcomeOf(const Evaluator& evaluator, std::string failure, std::vector<std::string> reports);

// Resets to pi only and evaluates `statements` followed by ";@".
Outcome EvaluateDocument(Evaluator& evaluator, const std::string& statements);
Outcome EvaluateDocument(const std::string& statements, bool radians = true);

}  // namespace tallyrix::test
