// The values a run leaves beside the document's lines, and the stretch of
// text of the statement a run stopped in, through the real engine.
#include <gtest/gtest.h>

#include "document/StatementLines.h"
#include "engine/Eval.h"

namespace tallyrix {
namespace {

struct RunOutcome {
    std::vector<std::string_view> values;
    DocumentSpan error;
    bool stopped = false;
    LineValues beside;  // with "N; stop" as the message
};

RunOutcome Evaluate(std::string_view document, std::size_t lineCount)
{
    std::vector<LineOrigin> origins;
    const std::string input = BuildEngineInput(document, origins);
    static Evaluator engine;  // the values are views into its list
    engine.RecordStatementEnds = true;
    engine.ResetVariables(1);
    engine.Evaluate(input);
    const StatementLines lines(origins, input);
    const DocumentSpan error = lines.ErrorSpan(engine.StatementStart, engine.FailedTokenEnd);
    const std::string message = engine.StopOffset == 0 ? "" : std::to_string(engine.StatementCount) + "; stop";
    return {lines.ValuesByLine(engine.StatementEnds, engine.ExpressionValues, lineCount), error, engine.StopOffset != 0,
            lines.ValuesBesideLines(engine.StatementEnds, engine.ExpressionValues, lineCount, error.to.line, message)};
}

struct ValuesCase {
    const char* document;
    std::vector<std::string_view> values;  // one per editor line
};

TEST(StatementLinesTest, EachValueStandsOnTheLineItsStatementEndsOn)
{
    // clang-format off
    const ValuesCase cases[] = {
        {"1+2;\n3*4;", {"3", "12"}},
        {"1+\n2;\n5", {"", "3", "5"}},                    // spanning lines; the last without ";"
        {"1;2;3;\n4", {"3", "4"}},                        // several on one line: the last shows
        {"a=2; // note\n-- aside\nb=a*3;", {"2", "", "6"}},
        {"1;\n\n2;", {"1", "", "2"}},                     // a blank line
        {"7;\n", {"7", ""}},                              // ";" at the end, an empty last line
        {"1;\r\n2\r\n;3", {"1", "", "3"}},                // CR LF; ";" opening a line
        {"1+2\n\n// end\n", {"3", "", "", ""}},           // end of document after blank lines
        {"1;\n2; /// stop\n3;\n4;", {"1", "2", "", ""}},  // nothing after a stop marker
        {"   x = 4 ;\n\tx+1", {"4", "5"}},                // trimmed blanks before and after
        {"1;\ny;\n3;", {"1", "", ""}},                    // nothing after an error
    };
    // clang-format on
    for (const ValuesCase& c : cases) {
        EXPECT_EQ(Evaluate(c.document, c.values.size()).values, c.values) << c.document;
    }
}

struct SpanCase {
    const char* document;
    DocumentSpan span;
};

TEST(StatementLinesTest, TheFailingStatementRunsFromItsStartToWhereTheEngineStopped)
{
    // clang-format off
    const SpanCase cases[] = {
        {"1;2.3.4;5", {{0, 2}, {0, 6}}},                 // literal error, stopped inside the literal
        {"1;2e3e4;", {{0, 2}, {0, 6}}},
        {"1; x;5;", {{0, 3}, {0, 4}}},                   // undefined name, the ";" after it left out
        {"a=1;\n  a*\n  (a+1", {{1, 2}, {2, 6}}},        // incomplete input running to the end
        {"1;\n2+;", {{1, 0}, {1, 2}}},
        {"1/0", {{0, 0}, {0, 3}}},
        {"1; // a; b\n  y+1;", {{1, 2}, {1, 3}}},        // after a comment: the y, not the "+" read after it
        {"bad = nope *", {{0, 0}, {0, 10}}},             // the undefined name, not the "*" read after it
        {"1;\n 2*nope\n +3;", {{1, 1}, {1, 7}}},         // the "+" read after it on the next line
        {"8/(1-1)\n*2", {{0, 0}, {0, 7}}},               // a zero divisor found at the "*" after it
        {"sqrt(-4) + 1", {{0, 0}, {0, 8}}},              // an argument refused
        {"1 + )", {{0, 0}, {0, 5}}},                     // a token that cannot stand there
        {"x = 1 -- c\r\n\r\n  2*q", {{0, 0}, {2, 3}}},   // across a comment and CR LF lines to the "2"
        {"1;\n3 4", {{1, 0}, {1, 3}}},                   // two values side by side
    };
    // clang-format on
    for (const SpanCase& c : cases) {
        const RunOutcome run = Evaluate(c.document, 4);
        EXPECT_TRUE(run.stopped) << c.document;
        EXPECT_EQ(run.error, c.span) << c.document << " -> " << run.error.from.line << ':' << run.error.from.column
                                     << '-' << run.error.to.line << ':' << run.error.to.column;
    }
}

TEST(StatementLinesTest, ALineOfSeveralValuesShowsTheLastAndNotesThemAll)
{
    const struct {
        const char* document;
        std::size_t lines;
        LineValues beside;
    } cases[] = {
        {"1;2;3;\n4", 2, {"3\n4", {{0, "1: 1\n2: 2\n3: 3"}}}},
        {"a=1;\nb=2; c=a+b;\n", 3, {"1\n3\n", {{1, "2: 2\n3: 3"}}}},
        {"1;\n2; y;", 2, {"1\n3; stop", {{1, "2: 2\n3; stop"}}}},  // the message after the line's value
        {"1;\ny", 2, {"1\n2; stop", {}}},
    };
    for (const auto& c : cases) {
        const LineValues beside = Evaluate(c.document, c.lines).beside;
        EXPECT_EQ(beside.text, c.beside.text) << c.document;
        EXPECT_EQ(beside.notes, c.beside.notes) << c.document;
    }
}

TEST(StatementLinesTest, ARunWithoutMessageReportsNoStop)
{
    for (const char* document : {"1;2;3", " ; ;", "1; @ x", "1;\n\n"}) {
        EXPECT_FALSE(Evaluate(document, 1).stopped) << document;
    }
}

}  // namespace
}  // namespace tallyrix
