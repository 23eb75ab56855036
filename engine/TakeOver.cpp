// Taking over the rest of the previous run. An edit usually changes the
// values of a few statements only: once the run is past the edit, at a
// statement whose following text the previous run read too and with the
// same variable table, every later result is the previous run's (only the
// statement numbers and offsets move). So the previous run's results from
// its restart on are kept aside, its table is replayed from its stores
// beside ours, and the entries where the two differ are counted as both
// runs store; when none differ at such a place, the rest is taken over.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "engine/EvaluatorCore.h"
#include "engine/SharedText.h"

namespace tallyrix {

namespace {

// Appends the lines "N: value" of `from`, from line `first` on, with each
// statement number moved by `shift`.
void AppendRenumbered(LineList& to, const LineList& from, std::size_t first, std::int32_t shift)
{
    if (shift == 0) return to.AppendLines(from, first);
    char number[16];
    for (std::size_t i = first; i < from.size(); ++i) {
        const std::string_view line = from[i];
        std::int32_t n = 0;
        const char* const digitsEnd = std::from_chars(line.data(), line.data() + line.size(), n).ptr;
        const char* const end = std::to_chars(number, number + sizeof number, n + shift).ptr;
        to.push_back(std::string_view(number, static_cast<std::size_t>(end - number)),
                     line.substr(static_cast<std::size_t>(digitsEnd - line.data())));
    }
}

template <typename T>
void AppendFrom(std::vector<T>& to, const std::vector<T>& from, std::size_t first)
{
    if (first < from.size()) to.insert(to.end(), from.begin() + static_cast<std::ptrdiff_t>(first), from.end());
}

}  // namespace

void EvaluatorCore::MarkStatement()
{
    Resumable.Marks.push_back({Position, static_cast<std::uint32_t>(Resumable.Stores.size()),
                               static_cast<std::uint32_t>(Out.VariableList.size()),
                               static_cast<std::uint32_t>(Resumable.Reports.size())});
}

// Keeps aside what the previous run wrote from the state the new run
// restarts from (usable states kept, none: from the beginning). Only a run
// that ended, whose lists nobody has changed since, can be taken over.
bool EvaluatorCore::KeepPreviousRun(std::string_view oldText, std::string_view newText, std::size_t usable)
{
    Previous.active = false;
    const RunEnd& end = Resumable.End;
    const auto& marks = Resumable.Marks;
    if (!end.complete || (Out.RecordExpressionValues && marks.size() != end.expressionLines + 1) ||
        Out.ExpressionValues.size() != end.expressionLines || Out.VariableList.size() != end.variableLines ||
        Out.StatementEnds.size() != end.statementEnds)
        return false;
    PreviousRun& p = Previous;
    const auto& states = Resumable.States;
    const std::size_t first = usable == 0 ? 0 : static_cast<std::size_t>(states[usable - 1].statementCount);
    p.tailStart = newText.size() - SharedSuffix(oldText, newText);
    p.shift = static_cast<std::ptrdiff_t>(newText.size()) - static_cast<std::ptrdiff_t>(oldText.size());
    p.firstStatement = static_cast<std::int32_t>(first);
    p.first = marks[first];
    p.marks.assign(marks.begin() + static_cast<std::ptrdiff_t>(first) + 1, marks.end());
    p.stores.clear();
    AppendFrom(p.stores, Resumable.Stores, p.first.stores);
    p.expressionValues.clear();
    p.expressionValues.AppendLines(Out.ExpressionValues, first);
    p.variableList.clear();
    p.variableList.AppendLines(Out.VariableList, p.first.variableLines);
    p.statementEnds.clear();
    AppendFrom(p.statementEnds, Out.StatementEnds, first);
    p.reports.clear();
    AppendFrom(p.reports, Resumable.Reports, p.first.reports);
    p.states.clear();
    AppendFrom(p.states, states, usable);
    p.stateValues.clear();
    if (!p.states.empty()) {
        const std::size_t firstValue = p.states.front().firstValue;
        AppendFrom(p.stateValues, Resumable.Values, firstValue);
        for (KeptState& state : p.states)
            state.firstValue -= firstValue;
    }
    std::swap(p.end, Resumable.End);
    Resumable.End.complete = false;
    return true;
}

// Both runs stand at the same state: the one restarted from.
void EvaluatorCore::StartComparing()
{
    PreviousRun& p = Previous;
    std::copy_n(Variables, VariableCount_, p.table);
    p.count = VariableCount_;
    p.replayed = 0;
    std::fill(std::begin(p.differs), std::end(p.differs), false);
    p.differing = 0;
    p.active = true;
}

void EvaluatorCore::CompareEntry(int entry)
{
    PreviousRun& p = Previous;
    const bool ours = entry < VariableCount_;
    const bool theirs = entry < p.count;
    bool differs = ours != theirs;
    if (ours && theirs) {
        const Variable& a = Variables[entry];
        const Variable& b = p.table[entry];
        differs = a.length != b.length || std::memcmp(a.name, b.name, a.length) != 0 ||
                  std::bit_cast<std::uint64_t>(a.value) != std::bit_cast<std::uint64_t>(b.value);
    }
    p.differing += static_cast<int>(differs) - static_cast<int>(p.differs[entry]);
    p.differs[entry] = differs;
}

// Entries are only ever added at the end, so an added entry's name is the
// one it has in the previous run's final table.
void EvaluatorCore::ReplayStore(const Store& store)
{
    PreviousRun& p = Previous;
    const int entry = static_cast<int>(store.entry);
    if (entry == p.count) p.table[p.count++] = p.end.variables[store.entry];
    p.table[entry].value = store.value;
    CompareEntry(entry);
}

bool EvaluatorCore::TookOver()
{
    MarkStatement();
    if (!Previous.active || !MeetsPreviousRun()) return false;
    TakeOver();
    return true;
}

// Replays the previous run up to the statement that ended where this one
// did, if any; true when the two are then in the same state: the same
// variable table, and the same result when the previous run completed no
// statement after this one (a run ends with the result of its last
// statement, or none after a failure that clears it). The rest depends on
// nothing else.
bool EvaluatorCore::MeetsPreviousRun()
{
    PreviousRun& p = Previous;
    if (Position - 1 < p.tailStart) return false;
    const std::size_t then = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(Position) - p.shift);
    while (p.replayed < p.marks.size() && p.marks[p.replayed].position <= then) {
        const StatementMark& mark = p.marks[p.replayed];
        const std::uint32_t from = p.replayed == 0 ? p.first.stores : p.marks[p.replayed - 1].stores;
        for (std::uint32_t i = from; i < mark.stores; ++i)
            ReplayStore(p.stores[i - p.first.stores]);
        ++p.replayed;
        if (mark.position == then)
            return p.differing == 0 && (p.replayed < p.marks.size() || Out.ResultText == p.end.resultText);
    }
    return false;
}

void EvaluatorCore::TakeOver()
{
    PreviousRun& p = Previous;
    p.active = false;
    const StatementMark now = Resumable.Marks.back();
    const StatementMark then = p.marks[p.replayed - 1];
    const std::int32_t statementShift = Out.StatementCount - p.firstStatement - static_cast<std::int32_t>(p.replayed);
    TakeOverLists(now, then, statementShift);
    TakeOverStates(now, then, statementShift);
    Out.StatementsTakenOver = p.end.statementCount - p.firstStatement - static_cast<std::int32_t>(p.replayed);
    TakeOverEnd(then.position - 1, statementShift);
}

void EvaluatorCore::TakeOverLists(const StatementMark& now, const StatementMark& then, std::int32_t statementShift)
{
    PreviousRun& p = Previous;
    for (std::size_t i = p.replayed; i < p.marks.size(); ++i) {
        StatementMark mark = p.marks[i];
        mark.position = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(mark.position) + p.shift);
        mark.stores = mark.stores - then.stores + now.stores;
        mark.variableLines = mark.variableLines - then.variableLines + now.variableLines;
        mark.reports = mark.reports - then.reports + now.reports;
        Resumable.Marks.push_back(mark);
    }
    AppendFrom(Resumable.Stores, p.stores, then.stores - p.first.stores);
    AppendRenumbered(Out.ExpressionValues, p.expressionValues, p.replayed, statementShift);
    Out.VariableList.AppendLines(p.variableList, then.variableLines - p.first.variableLines);
    for (std::size_t i = p.replayed; i < p.statementEnds.size(); ++i)
        Out.StatementEnds.push_back(
            static_cast<std::size_t>(static_cast<std::ptrdiff_t>(p.statementEnds[i]) + p.shift));
    // A full run would make the reports of the statements taken over.
    for (std::size_t i = then.reports - p.first.reports; i < p.reports.size(); ++i) {
        Resumable.Reports.push_back(p.reports[i]);
        if (Reporter) Reporter(p.reports[i]);
    }
}

// The previous run's states past the place taken over, for the next edit.
void EvaluatorCore::TakeOverStates(const StatementMark& now, const StatementMark& then, std::int32_t statementShift)
{
    PreviousRun& p = Previous;
    const auto past = std::find_if(p.states.begin(), p.states.end(),
                                   [&](const KeptState& state) { return state.position >= then.position; });
    if (past == p.states.end()) return;
    const std::size_t firstValue = past->firstValue;
    const std::size_t base = Resumable.Values.size();
    AppendFrom(Resumable.Values, p.stateValues, firstValue);
    // A list not written holds no line per statement.
    const auto listShift = [statementShift](bool written) {
        return written ? static_cast<std::size_t>(statementShift) : std::size_t{0};
    };
    const std::size_t valuesShift = listShift(Out.RecordExpressionValues);
    const std::size_t endsShift = listShift(Out.RecordStatementEnds);
    for (auto state = past; state != p.states.end(); ++state) {
        KeptState& kept = Resumable.States.emplace_back(*state);
        // A state kept at the statement met holds that statement's result,
        // which may differ: ours is the one now.
        if (kept.position == then.position) kept.resultText = Out.ResultText;
        kept.position = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(kept.position) + p.shift);
        kept.statementCount += statementShift;
        kept.firstValue = kept.firstValue - firstValue + base;
        kept.expressionLines += valuesShift;
        kept.variableLines = kept.variableLines - then.variableLines + now.variableLines;
        kept.statementEnds += endsShift;
        kept.reports = kept.reports - then.reports + now.reports;
    }
}

// The previous run's outcome, its offsets past `boundary` and its statement
// numbers moved; a failure
// it threw is thrown again.
void EvaluatorCore::TakeOverEnd(std::size_t boundary, std::int32_t statementShift)
{
    const RunEnd& end = Previous.end;
    const auto moved = [&](std::size_t offset) {
        return offset >= boundary ? static_cast<std::size_t>(static_cast<std::ptrdiff_t>(offset) + Previous.shift)
                                  : offset;
    };
    Out.StatementCount = end.statementCount + statementShift;
    Out.ResultText = end.resultText;
    Out.MessageText = end.messageText;
    Out.StatementStart = moved(end.statementStart);
    Out.StopOffset = moved(end.stopOffset);
    Out.FailedTokenEnd = moved(end.failedTokenEnd);
    VariableCount_ = static_cast<int>(end.variables.size());
    std::copy(end.variables.begin(), end.variables.end(), Variables);
    RebuildIndex();
    FilledCount_ = std::max(FilledCount_, VariableCount_);
    Token = End;
    if (end.failure == FailureKind::FloatingPoint) throw FloatingPointError(end.failureText);
    if (end.failure == FailureKind::Conversion) throw ConversionError(end.failureText);
}

void EvaluatorCore::RecordEnd(FailureKind failure, const char* text)
{
    RunEnd& end = Resumable.End;
    end.complete = true;
    end.statementCount = Out.StatementCount;
    end.resultText = Out.ResultText;
    end.messageText = Out.MessageText;
    end.statementStart = Out.StatementStart;
    end.stopOffset = Out.StopOffset;
    end.failedTokenEnd = Out.FailedTokenEnd;
    end.expressionLines = Out.ExpressionValues.size();
    end.variableLines = Out.VariableList.size();
    end.statementEnds = Out.StatementEnds.size();
    end.variables.assign(Variables, Variables + VariableCount_);
    end.failure = failure;
    end.failureText = text;
}

// A failure thrown ends the run too: the next run may take it over.
void EvaluatorCore::ParseRecordingFailure()
{
    try {
        ParseStatements();
    } catch (const FloatingPointError& failure) {
        RecordEnd(FailureKind::FloatingPoint, failure.what());
        throw;
    } catch (const ConversionError& failure) {
        RecordEnd(FailureKind::Conversion, failure.what());
        throw;
    }
}

}  // namespace tallyrix
