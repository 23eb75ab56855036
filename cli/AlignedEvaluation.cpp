#include "cli/AlignedEvaluation.h"

#include "cli/DocumentEvaluation.h"
#include "document/StatementExtraction.h"
#include "document/StatementLines.h"
#include "engine/DigitGrouping.h"
#include "engine/Eval.h"

namespace tallyrix::cli {

namespace {

void WriteLines(const std::vector<std::string_view>& lines, const std::vector<std::string_view>& values,
                std::size_t count, bool grouped, TextOutput& out)
{
    std::string output;
    for (std::size_t i = 0; i < count; ++i) {
        output.append(lines[i]).append(1, '\t');
        if (grouped) {
            output.append(GroupDigits(values[i]));
        } else {
            output.append(values[i]);
        }
        output.append(1, '\n');
    }
    out << output;
}

// After a failure: the lines before the one the failing statement begins
// on, and that one too when a statement completed on it before.
std::size_t LinesBeforeFailure(const Evaluator& engine, const StatementLines& map, const std::string& input,
                               const std::vector<std::string_view>& values)
{
    const std::size_t begin = std::min(input.find_first_not_of(" \t\n", engine.StatementStart), input.size() - 1);
    const std::size_t line = map.LineOf(begin);
    if (line >= values.size()) return values.size();
    return values[line].empty() ? line : line + 1;
}

}  // namespace

bool PrintAligned(std::string_view document, const CalcOptions& options,
                  const std::vector<std::string>& registeredLines, TextOutput& out, TextOutput& err)
{
    std::string reports;
    Evaluator engine(ReporterInto(reports));
    engine.ResetVariables(PrepareEvaluator(engine, options, registeredLines));
    engine.RecordStatementEnds = true;

    std::vector<LineOrigin> origins;
    const std::string input = BuildEngineInput(document, origins);
    const std::vector<std::string_view> lines = SplitDocumentLines(document);
    const StatementLines map(origins, input);
    const auto valuesByLine = [&] {
        return map.ValuesByLine(engine.StatementEnds, engine.ExpressionValues, lines.size());
    };
    try {
        if (!input.empty()) engine.Evaluate(input);
    } catch (const EngineFailure&) {
        // The lines computed before the failure stay printed, as without
        // --aligned; the failure itself is the caller's to report.
        err << reports;
        const std::vector<std::string_view> values = valuesByLine();
        WriteLines(lines, values, LinesBeforeFailure(engine, map, input, values), options.grouped, out);
        throw;
    }
    err << reports;

    std::vector<std::string_view> values = valuesByLine();
    const bool stopped = engine.StopOffset != 0;
    const std::string message = std::to_string(engine.StatementCount) + "; " + engine.MessageText;
    if (stopped) {
        const std::size_t line = map.ErrorSpan(engine.StatementStart, engine.FailedTokenEnd).to.line;
        if (line < values.size()) values[line] = message;
    }
    WriteLines(lines, values, lines.size(), options.grouped, out);
    return stopped;
}

}  // namespace tallyrix::cli
