// One evaluation of a whole document, as the window's recalculation does it,
// with the engine's outcome turned into tallyrix-calc's standard output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/CalcOptions.h"
#include "engine/Eval.h"

namespace tallyrix::cli {

struct DocumentOutcome {
    std::string output;       // the value lines, the message line, "=" and the result
    bool hasMessage = false;  // the evaluation ended with a message
};

// Applies the options to a new evaluator and registers the numeric entries
// of the registered lines; returns the number of table entries that every
// evaluation keeps (pi and the registered constants).
int PrepareEvaluator(Evaluator& evaluator, const CalcOptions& options,
                     const std::vector<std::string>& registeredLines);

// The standard output for the evaluator's current state.
std::string FormatOutcome(const Evaluator& evaluator, bool variables);

// Its end, after the lines: the message line when there is a message, then
// "=" and the result.
void AppendOutcomeEnd(const Evaluator& evaluator, std::string& output);

// Appends each report of the mathematical functions that shows a box to
// reports, one line each.
MathErrorReporter ReporterInto(std::string& reports);

// Evaluates the document once, as one text. tallyrix-calc streams instead
// (StreamDocument); this is the whole-text form it must agree with. The reports of the mathematical functions
// that show a box are appended to reports, one line each, as they occur, so
// they survive an EngineFailure thrown out of here.
DocumentOutcome EvaluateDocument(std::string_view document, const CalcOptions& options,
                                 const std::vector<std::string>& registeredLines, std::string& reports);

}  // namespace tallyrix::cli
