#pragma once

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

// Resets to pi only and evaluates `statements` followed by ";@".
Outcome EvaluateDocument(Evaluator& evaluator, const std::string& statements);
Outcome EvaluateDocument(const std::string& statements, bool radians = true);

}  // namespace tallyrix::test
