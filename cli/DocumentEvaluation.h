// The pieces of one evaluation shared by tallyrix-calc's streamed
// evaluation and a whole-text evaluation as the window's recalculation does
// it: the evaluator prepared from the options, the reports collected, and
// the engine's outcome turned into tallyrix-calc's standard output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/CalcOptions.h"
#include "engine/Eval.h"

namespace tallyrix::cli {

// Applies the options to a new evaluator and registers the numeric entries
// of the registered lines; returns the number of table entries that every
// evaluation keeps (pi and the registered constants).
int PrepareEvaluator(Evaluator& evaluator, const CalcOptions& options, const std::vector<std::string>& registeredLines);

// The whole standard output for the evaluator's current state.
std::string FormatOutcome(const Evaluator& evaluator, bool variables);

// Its end, after the lines: the message line when there is a message, then
// "=" and the result, its digits grouped when grouped is true.
void AppendOutcomeEnd(const Evaluator& evaluator, bool grouped, std::string& output);

// Appends each report of the mathematical functions that shows a box to
// reports, one line each.
MathErrorReporter ReporterInto(std::string& reports);

}  // namespace tallyrix::cli
