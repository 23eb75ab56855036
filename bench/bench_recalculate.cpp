// The window's whole recalculation (editor text read, extraction, Evaluate,
// result field, side pane, status panel, pending layout and painting) on
// documents of 1,000 and 10,000 lines, and one keystroke (press and release
// in the editor, the recalculation and painting it causes) at 1,000, 10,000
// and 100,000 lines, each printed as a ratio to Evaluate alone on the same
// statement text. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <cstdio>
#include <map>
#include <string>

#include "app/MainForm.h"
#include "bench/DocumentGenerator.h"
#include "bench/EditorPlaces.h"
#include "document/StatementExtraction.h"
#include "shell/LargeBlocks.h"

namespace {

using tallyrix::bench::DocumentSyntax;
using tallyrix::bench::GenerateDocument;

void BM_Evaluate(benchmark::State& state)
{
    const std::string input =
        tallyrix::BuildEngineInput(GenerateDocument(static_cast<int>(state.range(0)), DocumentSyntax::Tallyrix));
    tallyrix::Evaluator evaluator;
    for (auto _ : state) {
        evaluator.ResetVariables(1);
        evaluator.Evaluate(input);
        benchmark::DoNotOptimize(evaluator.ResultText.data());
    }
    if (!evaluator.MessageText.empty()) state.SkipWithError(evaluator.MessageText.c_str());
}

// range(1): the side pane's mode: 0 the variables, 1 every statement's
// value, 2 the values beside the editor's lines.
void BM_Recalculate(benchmark::State& state)
{
    // The documents raise no reports, so no dialog is ever shown.
    tallyrix::TMainForm form;
    form.Panes.reExpression->setPlainText(
        QString::fromStdString(GenerateDocument(static_cast<int>(state.range(0)), DocumentSyntax::Tallyrix)));
    form.show();
    QAction* const modes[] = {form.Menu.Options.mVariable, form.Menu.Options.mEquation, form.Menu.Options.mAligned};
    modes[state.range(1)]->trigger();
    QApplication::processEvents();
    for (auto _ : state) {
        form.Recalculate();
        QApplication::processEvents();
    }
    if (!form.Engine.MessageText.empty()) state.SkipWithError(form.Engine.MessageText.c_str());
}

// Alternately types a digit before the ";" of a line and takes it back, so
// the document stays the same and every keystroke changes a value and
// recalculates. range(1): where, 0 on the line before the last, 1 on the
// middle line (its variable is read on, so the change runs to the end and
// all that follows the edit is evaluated again), 2 on the middle line made a
// plain value that nothing reads (the next statement is in the previous
// run's state again, the rest is taken over), 3 on the middle line made an
// assignment to a name no other line assigns (the change runs to the end).
// range(2): 1
// times the whole calculation and its painting, 0 only the handling of the
// key (press and release, with the first slice of the calculation): how
// long the window keeps the next key waiting. The slices after it are
// shorter.
void BM_Keystroke(benchmark::State& state)
{
    tallyrix::TMainForm form;
    form.Panes.reExpression->setPlainText(
        QString::fromStdString(GenerateDocument(static_cast<int>(state.range(0)), DocumentSyntax::Tallyrix)));
    form.show();
    form.Panes.reExpression->setFocus();
    const int lines = form.Panes.reExpression->document()->blockCount();
    if (state.range(1) >= 2)
        tallyrix::bench::ReplaceTarget(*form.Panes.reExpression, lines / 2, state.range(1) == 2 ? "" : "w=");
    tallyrix::bench::PlaceBeforeLastCharacter(*form.Panes.reExpression, state.range(1) == 0 ? lines - 2 : lines / 2);
    QApplication::processEvents();
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(form.Panes.reExpression, typed ? Qt::Key_Backspace : Qt::Key_1);
        typed = !typed;
        if (state.range(2) == 0) state.PauseTiming();
        tallyrix::bench::UntilCalculated(form);
        if (state.range(2) == 0) state.ResumeTiming();
    }
    if (!form.Engine.MessageText.empty()) state.SkipWithError(form.Engine.MessageText.c_str());
    state.counters["taken_over"] = form.Engine.StatementsTakenOver;
}

// Keeps each run's time per iteration so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the mean stands for the benchmark.
        for (const Run& run : runs) {
            if (run.aggregate_name.empty() || run.aggregate_name == "mean")
                Times[run.run_name.str()] = run.GetAdjustedRealTime();
        }
    }

    void PrintRatios() const
    {
        for (const char* lines : {"1000", "10000", "100000"}) {
            const auto engine = Times.find(std::string("BM_Evaluate/") + lines);
            if (engine == Times.end()) continue;
            for (const char* where : {"0", "1", "2", "3"}) {
                const auto key = Times.find(std::string("BM_Keystroke/") + lines + "/" + where + "/1");
                const auto answer = Times.find(std::string("BM_Keystroke/") + lines + "/" + where + "/0");
                if (key == Times.end() || answer == Times.end()) continue;
                std::printf(
                    "%6s lines, one keystroke %s: answered in %.2f ms, calculated in %.2f ms, "
                    "Keystroke / Evaluate = %.2f\n",
                    lines,
                    where[0] == '0'   ? "near the end "
                    : where[0] == '1' ? "in the middle"
                    : where[0] == '2' ? "in the middle, its effect ending at the next statement"
                                      : "in the middle, its effect running to the end",
                    answer->second, key->second, key->second / engine->second);
            }
            for (const char* mode : {"0", "1", "2"}) {
                const auto window = Times.find(std::string("BM_Recalculate/") + lines + "/" + mode);
                if (window == Times.end()) continue;
                std::printf("%6s lines, side pane %-10s Recalculate / Evaluate = %.2f\n", lines,
                            mode[0] == '2'   ? "lines:"
                            : mode[0] == '1' ? "values:"
                                             : "variables:",
                            window->second / engine->second);
            }
        }
    }

private:
    std::map<std::string, double> Times;
};

}  // namespace

BENCHMARK(BM_Evaluate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recalculate)->ArgsProduct({{1000, 10000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->ArgsProduct({{1000, 10000, 100000}, {0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[])
{
    // Memory is handed out as in the program.
    tallyrix::ReturnLargeBlocksWhenFreed();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
