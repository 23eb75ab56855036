#include "cli/AlignedEvaluation.h"

#include "cli/DocumentEvaluation.h"
#include "document/StatementExtraction.h"
#include "document/StatementLines.h"
#include "engine/Eval.h"

namespace tallyrix::cli {

bool PrintAligned(std::string_view document, const CalcOptions& options,
                  const std::vector<std::string>& registeredLines, std::ostream& out, std::ostream& err)
{
    std::string reports;
    Evaluator engine(ReporterInto(reports));
    engine.ResetVariables(PrepareEvaluator(engine, options, registeredLines));
    engine.RecordStatementEnds = true;

    std::vector<LineOrigin> origins;
    const std::string input = BuildEngineInput(document, origins);
    const std::vector<std::string_view> lines = SplitDocumentLines(document);
    // Reports of a run that fails part way still go out before the failure.
    struct ReportsOut {
        std::string& text;
        std::ostream& err;
        ~ReportsOut() { err << text; }
    } flush{reports, err};
    if (!input.empty()) engine.Evaluate(input);

    const StatementLines map(std::move(origins), input);
    std::vector<std::string_view> values =
        map.ValuesByLine(engine.StatementEnds, engine.ExpressionValues, lines.size());
    const bool stopped = engine.StopOffset != 0;
    const std::string message = std::to_string(engine.StatementCount) + "; " + engine.MessageText;
    if (stopped) {
        const std::size_t line = map.ErrorSpan(engine.StatementStart, engine.FailedTokenEnd).to.line;
        if (line < values.size()) values[line] = message;
    }
    std::string output;
    output.reserve(document.size() + input.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        output.append(lines[i]).append(1, '\t').append(values[i]).append(1, '\n');
    }
    out.write(output.data(), static_cast<std::streamsize>(output.size()));
    return stopped;
}

}  // namespace tallyrix::cli
