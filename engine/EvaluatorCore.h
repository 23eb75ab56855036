// The evaluator's machinery, for engine/ alone: the scanner, the grammar
// with its stack of pending operations, the variable table and the states a
// resumed run restarts from. Evaluator (engine/Eval.h) is what callers use;
// it owns one of these and hands each call on.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CompiledStatements.h"
#include "engine/Eval.h"

namespace tallyrix {

class EvaluatorCore {
public:
    // Out: the evaluator whose inputs this reads and whose outcome it writes.
    EvaluatorCore(Evaluator& out, MathErrorReporter reporter);

    void Evaluate(std::string_view text);
    void ResetVariables(int n);
    bool EvaluateResuming(std::shared_ptr<const std::string> text, int base, std::size_t slice);
    bool ContinueResuming(std::size_t slice);
    bool RegisterConstant(std::string_view name, double value);
    bool IsDefined(std::string_view name) const;
    void RestateVariableList();

    static constexpr std::size_t WholeRun = Evaluator::WholeRun;
    Evaluator& Out;

private:
    friend class Evaluator;           // its getters read these, SetReporter sets one
    friend class CompiledStatements;  // compiles with CommonGrammar

    struct Variable {
        // Zero after the name's bytes, so that the first eight bytes of a
        // short name compare as one word (FindVariable).
        char name[MaxNameLength + 1];
        std::uint8_t length;
        double value;
    };

    // Scanner (Scanner.cpp)
    unsigned char CharAt(std::size_t position) const;
    void NextToken();
    bool ScanShortInteger(unsigned char first);
    void ScanNumber(unsigned char first);
    bool ScanPlainNumber(std::size_t start);
    void ScanName();
    // A name within Source of at most eight bytes, when the eight bytes from
    // its first lie within Source: the name's bytes as a little-endian word,
    // zero above them. 0 for any other name (names hold no zero byte).
    std::uint64_t SourceWord(std::string_view name) const
    {
        const auto first = static_cast<std::size_t>(name.data() - Source.data());
        if (std::endian::native != std::endian::little || name.size() > 8 || first + 8 > SourceLength) return 0;
        // The name's word straight from the text, the bytes after it masked.
        std::uint64_t word = 0;
        std::memcpy(&word, name.data(), 8);
        word &= ~std::uint64_t{0} >> (64 - 8 * name.size());  // names are never empty
        return word;
    }

    // Grammar (Eval.cpp). Nesting is kept on Pending, not on the call stack,
    // so a document nests as deep as memory allows. Each step works on the
    // value in hand and says which step comes next.
    // Operand: a primary begins; Done: the statement's sum ends or stops;
    // from Primary on, a value is in hand and goes up through the levels.
    enum class ParseStep : std::uint8_t { Operand, Done, Primary, Power, Term, MoreTerm, Sum, MoreSum, Close };
    // In order of binding, so that each level tells its own by one comparison.
    enum class Operation : std::uint8_t {
        Negate,
        Affirm,
        Function,  // waiting for a primary, then applied first
        Raise,
        Modulo,  // waiting for the right primary of a power
        Multiply,
        Divide,  // waiting for the right power of a term
        Add,
        Subtract,  // waiting for the right term of a sum
        Parenthesis,
        Assignment,  // waiting for a whole sum
        Statement,   // the bottom of the stack: the statement's own sum
    };
    // An operation waiting for its operand, argument, ")" or right side.
    struct PendingOperation {
        Operation operation;
        std::uint8_t detail;  // function number, or length of the assigned name
        std::uint32_t hash;   // assignment: the name's NameHash
        union {
            double left;       // binary operations
            const char* name;  // assignment: the name, inside Source
        };
    };
    void ParseStatements();
    // After a completed statement's ";": its value and the checks a
    // resumable run makes there; true when the run ends or pauses.
    bool CompleteStatement(double value);
    void ParseExpression(double& v);
    ParseStep ParsePrimary(double& v);
    ParseStep ParseName(double& v);
    ParseStep CompletePrimary(double& v);
    ParseStep ParsePower(double& v);
    ParseStep ParseTerm(double& v);
    ParseStep ContinueTerm(double& v);
    ParseStep ParseSum(double& v);
    ParseStep ContinueSum(double& v);
    template <Operation level>
    ParseStep ParseRightOperand(Operation operation, double& v);
    bool ApplyBinary(Operation operation, double left, double& v);
    ParseStep CloseSum(double& v);
    bool CallFunction(int function, double& v);
    bool ReducePending(Operation first, Operation second, double& v);
    // After an operator, a sign, "(", "=" or a function name: waits for the
    // operand, unless the input stops right there. The operand of "+", "-" or
    // a sign may not begin with another sign ("3+-2", "--2"). Inline, so that
    // each caller's check of its operation folds away.
    [[gnu::always_inline]] ParseStep AwaitOperand(Operation operation, double left = 0.0, std::uint8_t detail = 0)
    {
        if (!OperandFollows(operation)) return ParseStep::Done;
        Push(operation, left, detail);
        return ParseStep::Operand;
    }
    // The same without the push: true when the operand follows.
    bool OperandFollows(Operation operation)
    {
        NextToken();
        const bool signRefused = operation == Operation::Add || operation == Operation::Subtract ||
                                 operation == Operation::Negate || operation == Operation::Affirm;
        if (signRefused && (Token == Plus || Token == Minus)) {
            Token = Invalid;
            return false;
        }
        return !MissingOperand();
    }
    void Push(Operation operation, double left = 0.0, std::uint8_t detail = 0)
    {
        Pending.push_back(PendingOperation{operation, detail, 0, {left}});
    }

    // Common statements (CommonStatement.cpp): the statement that begins at
    // Position, when it is one the faster grammar there reads; then the run
    // stands after its ";" as the general grammar would leave it. False,
    // having changed nothing, for any other.
    template <typename Backend>
    struct CommonGrammar;
    struct Evaluating;  // the backend that works the values out at once
    bool EvaluateCommonStatement(double& value);
    // The same, unless statements it left before are still being skipped
    // (Eval.cpp).
    bool TryCommonStatement(double& value);
    static constexpr int MaxCommonBackoff = 64;

    // Compiled common statements (CompiledStatements.cpp): the first count
    // of compiled, for the text of the run to come (nullptr: none).
    void UseCompiled(const CompiledStatements* compiled, std::size_t count);
    enum class CompiledOutcome : std::uint8_t { Absent, Evaluated, Left };
    // The compiled statement that begins at Position: run, and the run then
    // stands after its ";" (Evaluated); refused by the arithmetic, having
    // changed nothing (Left); or there is none (Absent).
    CompiledOutcome RunCompiledStatement(double& value);
    bool RunOperations(const CompiledStatements::Statement& statement, double& value);
    // The table entry of a compiled statement's name, or -1.
    int CompiledEntry(std::uint32_t index);
    const CompiledStatements* PendingCompiled = nullptr;  // for the next Evaluate
    std::size_t PendingCompiledCount = 0;
    const CompiledStatements* Compiled = nullptr;
    std::size_t CompiledCount = 0;
    std::size_t CompiledNext = 0;  // the first that may still begin at or after Position
    std::vector<int> CompiledEntries;
    int CommonBackoff = 0;  // statements skipped after the last one left
    int CommonSkips = 0;    // of which still to come

    // Variable table (Variables.cpp)
    int FindVariable(std::string_view name) const;
    int FindVariable(std::string_view name, std::uint32_t hash) const;
    // The same for a name whose SourceWord is word (not 0): one comparison
    // of words instead of one per byte. Inline, as the grammar calls it for
    // every name it reads.
    int FindVariable(std::string_view name, std::uint32_t hash, std::uint64_t word) const
    {
        if (word == 0) return FindVariable(name, hash);
        for (std::uint32_t slot = hash;; ++slot) {
            const int i = Index[slot % IndexSize];
            if (i < 0) return -1;
            const Variable& entry = Variables[i];
            std::uint64_t stored = 0;
            std::memcpy(&stored, entry.name, 8);
            if (stored == word && entry.length == name.size()) return i;
        }
    }
    void IndexVariable(int index);
    void RebuildIndex();
    void SetVariable(std::string_view name, double value);
    // The same with the name's NameHash, which the scanner computed, and its
    // SourceWord (0 when it has none).
    // Inline, as the grammar calls it for every assignment.
    void SetVariable(std::string_view name, std::uint32_t hash, std::uint64_t word, double value)
    {
        const int found = FindVariable(name, hash, word);
        if (found < 0) return AddVariable(name, value);
        StoreVariable(found, value);
    }
    void StoreVariable(int entry, double value)
    {
        Variables[entry].value = value;
        NoteStore(entry);
        AppendVariableLine(Variables[entry]);
    }
    // A new entry at the table's end, for a name not in it.
    void AddVariable(std::string_view name, double value);
    bool GetVariable(std::string_view name, std::uint32_t hash, std::uint64_t word, double& value)
    {
        const int found = FindVariable(name, hash, word);
        if (found < 0) {
            FailUndefined();
            return false;
        }
        value = Variables[found].value;
        return true;
    }
    void FailUndefined();
    // The line of a store, when the caller wants the lines.
    void AppendVariableLine(const Variable& entry)
    {
        if (Out.RecordVariableLines) AppendVariableListLine(entry);
    }
    void AppendVariableListLine(const Variable& entry);

    // Built-in functions (Functions.cpp)
    void ApplyFunction(int function, double argument, double& result);
    double RaisePower(double base, double exponent);
    // The same where no report is due; false (result then means nothing)
    // where ApplyFunction or RaisePower would report or CallFunction refuse.
    bool FunctionWithoutReport(int function, double argument, double& result);
    static bool PowerWithoutReport(double base, double exponent, double& result);
    void Report(const char* function, const char* kind, bool showBox);

    // Errors that stop evaluation: message, empty result, Token = End.
    void Fail(const char* message);
    // A literal refused while it is read: the failure lies within it.
    void FailInLiteral(const char* message);
    bool Stopped() const { return Token == End || Token == Invalid; }
    // After NextToken following an operator, sign, "(", "=" or function name:
    // the end marker there means the input is incomplete.
    bool MissingOperand();
    void AppendStatementValue(double value);
    // FormatNumber with a memory of the last value: an assignment's value is
    // shown twice, once per list.
    std::string_view Formatted(double value);

    // Resumed evaluation (Resume.cpp). A kept state: the evaluation just
    // after a completed statement's ";".
    struct KeptState {
        std::size_t position;  // Position, at the byte after the ";"
        std::int32_t statementCount;
        // The table's first variableCount entries held the values from
        // firstValue on in KeptRuns::Values. Their names need no copy: an
        // entry keeps its name until the table is reset, which forgets
        // every state.
        int variableCount;
        std::size_t firstValue;
        std::size_t expressionLines, variableLines, statementEnds, reports;
        std::string resultText;
    };
    // What a run depends on besides its text: the preset entries keep the
    // values the previous run left in them ("pi=3" stays), so those count.
    struct RunConditions {
        int base = 0;
        bool radians = true;
        bool recordEnds = false;
        bool recordVariableLines = true;
        bool recordExpressionValues = true;
        std::vector<std::uint64_t> baseValues;
        bool operator==(const RunConditions&) const = default;
    };
    RunConditions ConditionsOfRun(int base) const;
    // The run after each completed statement (the first, the run's start):
    // how far it had come in the text and in each list it writes.
    struct StatementMark {
        std::size_t position;
        std::uint32_t stores;
        std::uint32_t variableLines;
        std::uint32_t reports;
    };
    // A value stored into the variable table; an entry one past the table's
    // end adds that entry.
    struct Store {
        std::uint32_t entry;
        double value;
    };
    // How a run ended: what a later run that meets one of its states takes over.
    enum class FailureKind : std::uint8_t { None, FloatingPoint, Conversion };
    struct RunEnd {
        bool complete = false;
        std::int32_t statementCount = 0;
        std::string resultText, messageText;
        std::size_t statementStart = 0, stopOffset = 0, failedTokenEnd = 0;
        // The lists' lengths, to see that nobody changed them since.
        std::size_t expressionLines = 0, variableLines = 0, statementEnds = 0;
        std::vector<Variable> variables;
        FailureKind failure = FailureKind::None;
        std::string failureText;
    };
    struct KeptRuns {
        std::shared_ptr<const std::string> Text = std::make_shared<const std::string>();
        RunConditions conditions{};
        std::vector<KeptState> States;
        std::vector<double> Values;
        std::vector<MathErrorReport> Reports;
        std::vector<StatementMark> Marks;
        std::vector<Store> Stores;
        RunEnd End;
    };
    // The previous run from where the current one restarted, kept while the
    // current one runs: as soon as the current run completes a statement at
    // a place whose following text the previous run read too, with the same
    // variable table, the rest of its results hold and are taken over.
    struct PreviousRun {
        bool active = false;
        std::size_t tailStart = 0;  // from here on the text is the previous one's...
        std::ptrdiff_t shift = 0;   // ...that many bytes further on
        std::int32_t firstStatement = 0;
        StatementMark first{};             // the previous run's mark at firstStatement
        std::vector<StatementMark> marks;  // its marks after firstStatement
        std::vector<Store> stores;         // from first.stores
        LineList expressionValues;         // from firstStatement
        LineList variableList;             // from first.variableLines
        std::vector<std::size_t> statementEnds;
        std::vector<MathErrorReport> reports;  // from first.reports
        std::vector<KeptState> states;         // firstValue into stateValues
        std::vector<double> stateValues;
        RunEnd end;
        // Its variable table as it was after marks[replayed - 1], replayed
        // from its stores, and the entries where it differs from ours.
        Variable table[VariableCapacity];
        int count = 0;
        std::size_t replayed = 0;
        bool differs[VariableCapacity] = {};
        int differing = 0;
    };
    void ForgetKeptStates();
    void KeepState();
    // Take-over (TakeOver.cpp).
    void MarkStatement();
    bool KeepPreviousRun(std::string_view oldText, std::string_view newText, std::size_t usable);
    void StartComparing();
    void CompareEntry(int entry);
    void ReplayStore(const Store& store);
    // After a completed statement: true when the previous run's results
    // were taken over and the run is complete.
    bool TookOver();
    bool MeetsPreviousRun();
    void TakeOver();
    void TakeOverLists(const StatementMark& now, const StatementMark& then, std::int32_t statementShift);
    void TakeOverStates(const StatementMark& now, const StatementMark& then, std::int32_t statementShift);
    void TakeOverEnd(std::size_t boundary, std::int32_t statementShift);
    void RecordEnd(FailureKind failure, const char* text);
    void ParseRecordingFailure();
    // A store of a resumable run, for the take-over of the next.
    void NoteStore(int entry)
    {
        if (!KeepingReports) return;
        Resumable.Stores.push_back({static_cast<std::uint32_t>(entry), Variables[entry].value});
        if (Previous.active) CompareEntry(entry);
    }
    // Keeps a state or pauses when the loop has passed one of their places;
    // true when it pauses.
    bool AtCheckpoint();
    void ScheduleCheckpoint();
    bool RunSlice();
    // How many kept states lie within the first `unchanged` bytes and can be
    // restored.
    std::size_t StatesWithin(std::size_t unchanged) const;
    void RestoreState(std::size_t index);
    void EvaluateFromStart(std::string_view text);
    void FinishRun();
    // Where the next state is kept; never reached while nothing is kept.
    std::size_t NextKeptPosition = static_cast<std::size_t>(-1);
    // How far a slice goes, where the current one ends, and the nearer of
    // that and the next kept state.
    std::size_t SliceBytes = WholeRun;
    std::size_t PausePosition = static_cast<std::size_t>(-1);
    std::size_t NextCheckpoint = static_cast<std::size_t>(-1);
    bool Paused = false;
    bool KeepingReports = false;  // and marks and stores: a resumable run
    KeptRuns Resumable;
    PreviousRun Previous;

    std::int32_t Token = Invalid;
    double NumberValue = 0.0;
    // The last name read: a view into Source, at most MaxNameLength bytes,
    // valid for the rest of the evaluation.
    std::string_view TokenName;
    std::uint32_t TokenHash = 0;  // NameHash of TokenName
    std::uint64_t TokenWord = 0;  // SourceWord of TokenName
    Variable Variables[VariableCapacity];
    int VariableCount_ = 0;
    int FilledCount_ = 0;  // entries ever filled; a reset never goes past them
    // Open-addressing index over entries 0..VariableCount_-1 (-1 = empty
    // slot). Names in the table are unique, so finding a name through the
    // index gives the same entry as a scan from entry 0 would.
    static constexpr int IndexSize = 4096;
    std::int16_t Index[IndexSize];
    std::string_view Source;
    std::size_t SourceLength = 0;
    std::size_t Position = 1;               // 1-based index of the next byte to read
    std::size_t PreviousTokenEnd = 0;       // 0-based index just after the token before the current one
    bool ErrorStop = false;                 // Token == End because of an error, not "@"
    std::vector<PendingOperation> Pending;  // kept between evaluations
    // DeferStatementValues, for the time of one Evaluate; the run's last
    // value, shown as ResultText when the run ends unless a failure cleared it.
    bool Deferring = false;
    bool ResultDeferred = false;
    double DeferredResult = 0.0;
    void WriteDeferredResult();
    std::uint64_t FormattedBits = 0;
    bool FormattedValid = false;
    char FormattedText[FormatBufferSize] = {};
    std::size_t FormattedLength = 0;
    MathErrorReporter Reporter;
};

}  // namespace tallyrix
