#include "cli/DocumentEvaluation.h"

#include <charconv>

#include "engine/DigitGrouping.h"
#include "registry/RegisteredEntries.h"

namespace tallyrix::cli {

namespace {

void AppendMessageLine(const Evaluator& evaluator, std::string& output)
{
    char digits[16];
    const auto converted = std::to_chars(digits, digits + sizeof digits, evaluator.StatementCount);
    output.append(digits, converted.ptr);
    output += "; ";
    output += evaluator.MessageText;
    output += '\n';
}

}  // namespace

MathErrorReporter ReporterInto(std::string& reports)
{
    return [&reports](const MathErrorReport& report) {
        if (report.showBox) {
            reports += MathErrorText(report);
            reports += '\n';
        }
    };
}

int PrepareEvaluator(Evaluator& evaluator, const CalcOptions& options, const std::vector<std::string>& registeredLines)
{
    evaluator.Radians = !options.degrees;
    return RegisterConstants(registeredLines, evaluator);
}

std::string FormatOutcome(const Evaluator& evaluator, bool variables)
{
    const LineList& lines = variables ? evaluator.VariableList : evaluator.ExpressionValues;
    std::string output;
    output.reserve(lines.Text().size() + evaluator.MessageText.size() + evaluator.ResultText.size() + 32);
    output += lines.Text();
    AppendOutcomeEnd(evaluator, false, output);
    return output;
}

void AppendOutcomeEnd(const Evaluator& evaluator, bool grouped, std::string& output)
{
    if (!evaluator.MessageText.empty()) {
        AppendMessageLine(evaluator, output);
    }
    output += '=';
    output += grouped ? GroupDigits(evaluator.ResultText) : evaluator.ResultText;
    output += '\n';
}

}  // namespace tallyrix::cli
