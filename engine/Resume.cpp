// Evaluation resumed after an edit. A document typed into is evaluated again
// on every key; what comes before the edit gives the same values as last
// time, so the run restarts from the last state kept before it. A state
// holds everything a statement's ";" leaves behind: the variable table, how
// long the value lists were, the last result and the reports made so far.
#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/EvaluatorCore.h"
#include "engine/SharedText.h"

namespace tallyrix {

namespace {

constexpr std::size_t NothingKept = static_cast<std::size_t>(-1);

}  // namespace

void EvaluatorCore::ForgetKeptStates()
{
    Resumable.States.clear();
    Resumable.Values.clear();
    Resumable.Reports.clear();
    Resumable.Marks.clear();
    Resumable.Stores.clear();
    Resumable.End.complete = false;
    Previous.active = false;
    NextKeptPosition = NothingKept;
    KeepingReports = false;
    Paused = false;
}

void EvaluatorCore::ScheduleCheckpoint() { NextCheckpoint = std::min(NextKeptPosition, PausePosition); }

bool EvaluatorCore::AtCheckpoint()
{
    if (Position >= NextKeptPosition) KeepState();
    if (Position >= PausePosition) {
        // The loop stands just after a ";", where a resumed run starts too.
        Paused = true;
        return true;
    }
    ScheduleCheckpoint();
    return false;
}

EvaluatorCore::RunConditions EvaluatorCore::ConditionsOfRun(int base) const
{
    RunConditions conditions{
        base, Out.Radians, Out.RecordStatementEnds, Out.RecordVariableLines, Out.RecordExpressionValues, {}};
    const int kept = std::clamp(base, 0, FilledCount_);
    for (int i = 0; i < kept; ++i)
        conditions.baseValues.push_back(std::bit_cast<std::uint64_t>(Variables[i].value));
    return conditions;
}

bool EvaluatorCore::EvaluateResuming(std::shared_ptr<const std::string> text, int base, std::size_t slice)
{
    Out.StatementsTakenOver = 0;
    RunConditions conditions = ConditionsOfRun(base);
    const std::size_t unchanged = SharedPrefix(*Resumable.Text, *text);
    const bool sameConditions = conditions == Resumable.conditions;
    const std::size_t usable = sameConditions ? StatesWithin(unchanged) : 0;
    const bool previousKept = sameConditions && KeepPreviousRun(*Resumable.Text, *text, usable);
    Resumable.Text = std::move(text);
    if (usable == 0) {
        ResetVariables(base);
        MarkStatement();
        if (previousKept) StartComparing();
        // Nothing of another document's run shows through a text that
        // completes no statement.
        Out.ResultText.clear();
        Out.MessageText.clear();
        Resumable.conditions = std::move(conditions);
        KeepingReports = true;
        NextKeptPosition = Out.ResumeInterval;
        SliceBytes = slice;
        EvaluateFromStart(*Resumable.Text);
        return !Paused;
    }
    RestoreState(usable - 1);
    if (previousKept) StartComparing();
    Source = *Resumable.Text;
    SourceLength = Source.size();
    Position = Resumable.States.back().position;
    ErrorStop = false;
    Out.StopOffset = Out.FailedTokenEnd = 0;
    // Just as the loop stands after a completed statement's ";".
    Token = Separator;
    SliceBytes = slice;
    return RunSlice();
}

bool EvaluatorCore::ContinueResuming(std::size_t slice)
{
    if (!Paused) return true;
    SliceBytes = slice;
    return RunSlice();
}

void EvaluatorCore::KeepState()
{
    Resumable.States.push_back(KeptState{Position, Out.StatementCount, VariableCount_, Resumable.Values.size(),
                                         Out.ExpressionValues.size(), Out.VariableList.size(), Out.StatementEnds.size(),
                                         Resumable.Reports.size(), Out.ResultText});
    for (int i = 0; i < VariableCount_; ++i)
        Resumable.Values.push_back(Variables[i].value);
    NextKeptPosition = Position + Out.ResumeInterval;
}

// A state's ";" was the last byte read before it, so it holds when every
// byte up to that one is unchanged. The lists it truncates must still hold
// the lines it counted.
std::size_t EvaluatorCore::StatesWithin(std::size_t unchanged) const
{
    const auto& states = Resumable.States;
    const auto past =
        std::upper_bound(states.begin(), states.end(), unchanged,
                         [](std::size_t limit, const KeptState& state) { return state.position - 1 > limit; });
    const std::size_t usable = static_cast<std::size_t>(past - states.begin());
    if (usable == 0) return 0;
    const KeptState& last = states[usable - 1];
    const bool listsHeld = Resumable.Marks.size() > static_cast<std::size_t>(last.statementCount) &&
                           Out.ExpressionValues.size() >= last.expressionLines &&
                           Out.VariableList.size() >= last.variableLines &&
                           Out.StatementEnds.size() >= last.statementEnds;
    return listsHeld ? usable : 0;
}

void EvaluatorCore::RestoreState(std::size_t index)
{
    auto& states = Resumable.States;
    states.resize(index + 1);
    const KeptState& state = states.back();
    for (int i = 0; i < state.variableCount; ++i)
        Variables[i].value = Resumable.Values[state.firstValue + static_cast<std::size_t>(i)];
    Resumable.Values.resize(state.firstValue + static_cast<std::size_t>(state.variableCount));
    VariableCount_ = state.variableCount;
    RebuildIndex();
    Resumable.Marks.resize(static_cast<std::size_t>(state.statementCount) + 1);
    Resumable.Stores.resize(Resumable.Marks.back().stores);
    Out.StatementCount = state.statementCount;
    Out.ExpressionValues.truncate(state.expressionLines);
    Out.VariableList.truncate(state.variableLines);
    Out.StatementEnds.resize(state.statementEnds);
    Out.ResultText = state.resultText;
    Out.MessageText.clear();
    // The statements skipped made these reports; a full run would make them
    // again before any of its own.
    Resumable.Reports.resize(state.reports);
    if (Reporter) {
        for (const MathErrorReport& report : Resumable.Reports)
            Reporter(report);
    }
    NextKeptPosition = state.position + Out.ResumeInterval;
}

}  // namespace tallyrix
