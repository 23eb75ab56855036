// The streamed evaluation of tallyrix-calc against one evaluation of the
// whole statement text, built from the library functions the window uses:
// the same bytes on standard output and standard error, whatever the size
// of the pieces.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "bench/DocumentGenerator.h"
#include "cli/DocumentEvaluation.h"
#include "cli/StreamingEvaluation.h"
#include "document/StatementExtraction.h"
#include "engine/Eval.h"
#include "tests/cli/RunResult.h"

namespace tallyrix::cli {
namespace {

// One evaluation of the whole text. After a failure the lines computed
// before it are what is printed, and no message or "=" line.
RunResult WholeText(const std::string& document, const CalcOptions& options, const std::vector<std::string>& registered)
{
    std::string reports;
    Evaluator evaluator(ReporterInto(reports));
    const int kept = PrepareEvaluator(evaluator, options, registered);
    const std::string input = BuildEngineInput(document);
    if (input.empty()) return {0, FormatOutcome(evaluator, options.variables), reports};
    evaluator.ResetVariables(kept);
    try {
        evaluator.Evaluate(input);
    } catch (const EngineFailure& failure) {
        const LineList& lines = options.variables ? evaluator.VariableList : evaluator.ExpressionValues;
        return {2, std::string(lines.Text()), reports + failure.what()};
    }
    return {evaluator.MessageText.empty() ? 0 : 1, FormatOutcome(evaluator, options.variables), reports};
}

RunResult Streamed(const std::string& document, const CalcOptions& options, const std::vector<std::string>& registered,
                   std::size_t pieceSize)
{
    StringOutput out;
    StringOutput err;
    std::string bytes = document;
    RunResult result;
    try {
        const bool message = StreamDocument(bytes, options, registered, out, err, pieceSize);
        result = {message ? 1 : 0, out.Text(), err.Text()};
    } catch (const EngineFailure& failure) {
        result = {2, out.Text(), err.Text() + failure.what()};
    }
    // The end markers put into the document are taken out again.
    if (result.status != 2) {
        EXPECT_EQ(bytes, document);
    }
    return result;
}

void ExpectSameAsWholeText(const std::string& document, const std::vector<std::string>& registered = {})
{
    for (const bool variables : {false, true}) {
        for (const bool degrees : {false, true}) {
            CalcOptions options;
            options.variables = variables;
            options.degrees = degrees;
            const RunResult expected = WholeText(document, options, registered);
            for (const std::size_t pieceSize :
                 {std::size_t{1}, std::size_t{5}, std::size_t{64}, std::size_t{4096}, DefaultPieceSize}) {
                SCOPED_TRACE("piece size " + std::to_string(pieceSize) + (variables ? ", variables" : "") +
                             (degrees ? ", degrees" : ""));
                ExpectRun(Streamed(document, options, registered, pieceSize), expected.out, expected.err,
                          expected.status);
            }
        }
    }
}

std::string Generated(int statements) { return bench::GenerateDocument(statements, bench::DocumentSyntax::Tallyrix); }

// Statement number n (from 1) of a generated document replaced by text.
std::string WithStatement(std::string document, int n, const std::string& text)
{
    std::size_t begin = 0;
    for (int i = 1; i < n; ++i)
        begin = document.find(';', begin) + 1;
    while (document[begin] == '\n')
        ++begin;
    document.replace(begin, document.find(';', begin) - begin, text);
    return document;
}

TEST(StreamingEvaluation, GeneratedDocumentsAsTheWholeText)
{
    for (const int statements : {1, 2, 240, 3000}) {
        SCOPED_TRACE(std::to_string(statements) + " statements");
        ExpectSameAsWholeText(Generated(statements));
    }
}

// Lines handed to the engine where they stand alternate with lines that
// need extraction: comments, CR LF, a statement over several lines.
TEST(StreamingEvaluation, MixedLinesAsTheWholeText)
{
    const std::string generated = Generated(1200);
    std::string document;
    int line = 0;
    for (std::size_t begin = 0; begin < generated.size(); ++line) {
        const std::size_t end = std::min(generated.find('\n', begin), generated.size());
        const std::string text = generated.substr(begin, end - begin);
        begin = end + 1;
        if (line % 97 == 5) {
            document += text + " // note; 1e200*1e200\n";
        } else if (line % 89 == 7) {
            document += text + "\r\n";
        } else if (line % 83 == 3) {
            const std::size_t value = text.find('=') + 1;
            document += text.substr(0, value) + "\n  " + text.substr(value) + "\n";
        } else {
            document += text + "\n";
        }
    }
    // Evaluated to its end, so every kind of line is compared.
    EXPECT_EQ(WholeText(document, {}, {}).status, 0);
    ExpectSameAsWholeText(document);
}

TEST(StreamingEvaluation, LateStopsAsTheWholeText)
{
    const std::string document = Generated(900);
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"an unknown name", "v3+nothing"},
        {"division by zero", "v1/(v2-v2)"},
        {"incomplete input", "v1+"},
        {"overflow", "1e200*1e200"},
        {"invalid operation", "exp(1000)*0"},
        {"a literal the conversion rejects", "1e5000"},
        {"the end marker, statements after it unread", "v5*2 @ 1e200*1e200"},
        {"the stop marker", "v5 /// 1e200*1e200"},
        {"a comment hiding a failure", "v7 // 1e200*1e200"},
        {"function reports", "exp 1000+sin(1e300)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSameAsWholeText(WithStatement(document, 700, c.text));
    }
}

TEST(StreamingEvaluation, LineRulesAcrossPiecesAsTheWholeText)
{
    const std::string cases[] = {
        "",
        "\n",
        ";;\n;",
        "a=1;\r\nb=a+1\r\n;a*b\r\n",
        "1+\n2\n+3;4",
        "x=2 -- note; x=3\n  \tx*2;  // x=9\n---\nx=10;",
        "1;2;3;",
        "1;\r2;\r3",
        "1;2;3",
        "q=1;q;q=q+1;q;q=q+1;q@q=99;q",
        std::string("n=1;\0n*3;", 10),
        "s=5\n;\n;\n" + std::string(300, ' ') + "s*s;\n",
        "1+\xe3\x81\x82;2",
        // A rejected literal first in its statement counts that statement.
        "1;1ee",
        "1;\n1ee; // c",
        ";;\n1.2.3",
        [] {
            std::string lines;
            for (int i = 0; i < 60000; ++i)
                lines += "x=1;\n";
            return lines + "1e2.5";
        }(),
    };
    for (const std::string& document : cases) {
        SCOPED_TRACE(document);
        ExpectSameAsWholeText(document);
    }
}

TEST(StreamingEvaluation, RegisteredConstantsAsTheWholeText)
{
    const std::vector<std::string> registered = {"g,9.80665,", "c2, 1.5E+2 ,", "pi,3,", "half,1/2,"};
    ExpectSameAsWholeText("x=g*c2;pi;g=1;x+g", registered);
    ExpectSameAsWholeText("", registered);
}

// Many variables: each store appends a line to the list that the
// variables view prints, and a full table stops the run.
TEST(StreamingEvaluation, FullVariableTableAsTheWholeText)
{
    std::string document;
    for (int i = 0; i < 300; ++i)
        document += "n" + std::to_string(i) + "=" + std::to_string(i) + ";\n";
    ExpectSameAsWholeText(document);
}

}  // namespace
}  // namespace tallyrix::cli
