// Evaluate on generated documents of 1,000 to 100,000 statements, with and
// without the statement extraction that precedes it in every recalculation,
// and with and without the grammar of common statements; and the common
// statements compiled ahead, as tallyrix-calc does on its other thread: the
// compiling, and the evaluation that runs them.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

#include "bench/DocumentGenerator.h"
#include "document/StatementExtraction.h"
#include "engine/CompiledStatements.h"
#include "engine/Eval.h"

namespace {

using tallyrix::bench::DocumentSyntax;
using tallyrix::bench::GenerateDocument;

void SetStatementRate(benchmark::State& state)
{
    state.counters["statements"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

void EvaluateFailed(benchmark::State& state, const tallyrix::Evaluator& evaluator)
{
    if (!evaluator.MessageText.empty()) {
        state.SkipWithError(evaluator.MessageText.c_str());
    }
}

// The second argument 0 sends every statement through the general grammar:
// the peer that the faster grammar of common statements is measured against.
// The third, 1, hands the values over as numbers, as tallyrix-calc has them
// (formatted on its other thread), instead of formatting each into a line.
void BM_Evaluate(benchmark::State& state)
{
    const int statements = static_cast<int>(state.range(0));
    const std::string input = tallyrix::BuildEngineInput(GenerateDocument(statements, DocumentSyntax::Tallyrix));
    tallyrix::Evaluator evaluator;
    evaluator.CommonStatementGrammar = state.range(1) != 0;
    evaluator.DeferStatementValues = state.range(2) != 0;
    evaluator.RecordVariableLines = state.range(2) == 0;
    for (auto _ : state) {
        evaluator.ResetVariables(1);
        evaluator.Evaluate(input);
        benchmark::DoNotOptimize(evaluator.ResultText.data());
    }
    EvaluateFailed(state, evaluator);
    SetStatementRate(state);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(input.size()));
}

void BM_Compile(benchmark::State& state)
{
    const std::string input =
        tallyrix::BuildEngineInput(GenerateDocument(static_cast<int>(state.range(0)), DocumentSyntax::Tallyrix));
    tallyrix::CompiledStatements compiled;
    for (auto _ : state) {
        compiled.CompileAll(input);
        benchmark::DoNotOptimize(compiled.Count());
    }
    SetStatementRate(state);
}

// Peer: BM_Evaluate/common:1/deferred:1.
void BM_EvaluateCompiled(benchmark::State& state)
{
    const std::string input =
        tallyrix::BuildEngineInput(GenerateDocument(static_cast<int>(state.range(0)), DocumentSyntax::Tallyrix));
    tallyrix::CompiledStatements compiled;
    compiled.CompileAll(input);
    tallyrix::Evaluator evaluator;
    evaluator.DeferStatementValues = true;
    evaluator.RecordVariableLines = false;
    for (auto _ : state) {
        evaluator.ResetVariables(1);
        evaluator.UseCompiled(compiled, compiled.Count());
        evaluator.Evaluate(input);
        benchmark::DoNotOptimize(evaluator.ResultText.data());
    }
    EvaluateFailed(state, evaluator);
    SetStatementRate(state);
}

// The values of a document formatted as tallyrix-calc prints them, fifteen
// significant digits; the peer writes the shortest text that reads back as
// the same double, the fastest conversion the library has.
std::vector<double> DocumentValues(int statements)
{
    const std::string input = tallyrix::BuildEngineInput(GenerateDocument(statements, DocumentSyntax::Tallyrix));
    tallyrix::Evaluator evaluator;
    evaluator.DeferStatementValues = true;
    evaluator.RecordVariableLines = false;
    evaluator.Evaluate(input);
    return evaluator.StatementValues;
}

template <typename Format>
void FormatValues(benchmark::State& state, Format format)
{
    const std::vector<double> values = DocumentValues(static_cast<int>(state.range(0)));
    char buffer[tallyrix::FormatBufferSize];
    for (auto _ : state) {
        for (const double value : values) {
            benchmark::DoNotOptimize(format(value, buffer));
        }
    }
    state.counters["values"] =
        benchmark::Counter(static_cast<double>(values.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FormatValues(benchmark::State& state) { FormatValues(state, tallyrix::FormatNumberTo); }

void BM_FormatValuesShortest(benchmark::State& state)
{
    FormatValues(state, [](double value, char* buffer) {
        return std::to_chars(buffer, buffer + tallyrix::FormatBufferSize, value).ptr - buffer;
    });
}

// What the window does on each key release: extract, then evaluate.
void BM_ExtractAndEvaluate(benchmark::State& state)
{
    const std::string document = GenerateDocument(static_cast<int>(state.range(0)), DocumentSyntax::Tallyrix);
    tallyrix::Evaluator evaluator;
    for (auto _ : state) {
        evaluator.ResetVariables(1);
        evaluator.Evaluate(tallyrix::BuildEngineInput(document));
        benchmark::DoNotOptimize(evaluator.ResultText.data());
    }
    EvaluateFailed(state, evaluator);
    SetStatementRate(state);
}

}  // namespace

BENCHMARK(BM_Evaluate)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}, {0, 1}})
    ->ArgNames({"", "common", "deferred"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateCompiled)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatValues)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatValuesShortest)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExtractAndEvaluate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
