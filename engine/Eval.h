// The expression engine: scans and evaluates a document's statement text in
// one pass (no syntax tree), keeps the variable table with pi and the
// registered constants, and reports its results as texts.
//
// Texts are UTF-8 std::strings; every byte of 0x80 or above is an unknown
// character to the scanner, so non-ASCII input is refused like any other
// stray character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/LineList.h"

namespace tallyrix {

// Token kinds; the grammar compares against these fixed values.
enum TokenKind : std::int32_t {
    End = -1,        // "@", and the state after any error that stops evaluation
    Invalid = 0,     // unknown character, or incomplete input
    Separator = 1,   // ";"
    Number = 2,
    Plus = 3,
    Minus = 4,
    Times = 5,
    Divide = 6,
    LeftParen = 7,
    RightParen = 8,
    Name = 9,
    Assign = 10,
    Power = 11,
    Modulo = 12,
    Bang = 13,
};

// Longest name that fits the fixed 36-byte name fields (NUL-terminated).
// Longer names are refused, never cut: two long names that share their first
// 35 characters must not silently become one variable.
inline constexpr std::size_t MaxNameLength = 35;
inline constexpr int VariableCapacity = 256;

// The double nearest to pi, computed once as acos(-1); every degree
// conversion uses it, never the user's (reassignable) variable "pi".
extern const double PiValue;

// A failure of the arithmetic itself (overflow, invalid operation) or of the
// conversion of a literal. It leaves Evaluate at the faulting operation; the
// caller reports it.
class EngineFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FloatingPointError : public EngineFailure {
public:
    using EngineFailure::EngineFailure;
};

class ConversionError : public EngineFailure {
public:
    using EngineFailure::EngineFailure;
};

inline constexpr const char* OverflowText = "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ";
inline constexpr const char* InvalidOperationText = "不正な浮動小数点数演算命令";

// An error of a standard mathematical function. Evaluation goes on with the
// function's conventional value; DOMAIN and OVERFLOW are meant to be shown
// (showBox), UNDERFLOW and TLOSS are silent.
struct MathErrorReport {
    const char* function;  // "exp", "sinh", "cosh", "sin", "cos", "tan", "pow"
    const char* kind;      // "DOMAIN", "OVERFLOW", "UNDERFLOW", "TLOSS"
    bool showBox;
};
using MathErrorReporter = std::function<void(const MathErrorReport&)>;

// "exp: OVERFLOW error"
std::string MathErrorText(const MathErrorReport& report);

// General format, 15 significant digits: "0.333333333333333", "1E15",
// "1E-5", "-2.5", "INF", "NAN".
std::string FormatNumber(double value);
// The same into a caller's buffer (at least FormatBufferSize bytes); returns
// the length written. Used on the evaluation path so that it does not allocate.
inline constexpr std::size_t FormatBufferSize = 32;
std::size_t FormatNumberTo(double value, char* buffer);

class Evaluator {
public:
    explicit Evaluator(MathErrorReporter reporter = {});

    // Takes the statement text followed by ";@". The outcome is read from the
    // fields below. Throws EngineFailure on overflow, invalid operation or a
    // literal the conversion rejects.
    void Evaluate(std::string_view text);

    // Keeps the first n table entries and VariableList lines, drops the rest;
    // StatementCount becomes 0. n must not exceed the entries ever filled.
    void ResetVariables(int n);

    // ResetVariables(base) followed by Evaluate(text), for a caller that
    // evaluates one document again after each edit. The text is kept, and so
    // is, every so often, the state after a completed statement. The next
    // such run starts from the last state kept within the leading bytes its
    // text shares with the kept one: the fields come out as a full run's, and
    // the reports of the statements it skips are made again, in their order.
    // Anything else that changes the outcome (Evaluate, ResetVariables, a
    // registered constant, another angle mode or RecordStatementEnds) makes
    // the next run start from the beginning.
    //
    // With a slice, the run pauses after the first statement that ends at
    // least that many bytes past where it began, and ContinueResuming goes
    // on from there, a slice at a time; both return true when the run is
    // complete. A caller that keeps the window answering while a long
    // document is evaluated reads the fields only after that. Any other
    // call on the evaluator abandons a paused run.
    static constexpr std::size_t WholeRun = static_cast<std::size_t>(-1);
    bool EvaluateResuming(std::string text, int base, std::size_t slice = WholeRun);
    bool ContinueResuming(std::size_t slice = WholeRun);
    // Bytes of text between kept states: a resumed run evaluates again at
    // most about this much of what precedes the edit; each state costs a
    // copy of the variable table.
    std::size_t ResumeInterval = 16 * 1024;
    // The text of the last EvaluateResuming.
    const std::string& ResumedText() const { return Resumable.Text; }

    // Stores a constant (an update in place when the name exists). Returns
    // false when nothing was stored: a full table, or a name that does not
    // fit the 35-character field.
    bool RegisterConstant(std::string_view name, double value);
    bool IsDefined(std::string_view name) const;
    int VariableCount() const { return VariableCount_; }

    void SetReporter(MathErrorReporter reporter) { Reporter = std::move(reporter); }

    // Angle mode: true = radians (the initial mode), false = degrees.
    bool Radians = true;

    std::int32_t StatementCount = 0;
    std::string ResultText;
    std::string MessageText;
    // One line per completed statement ("1: 7") and per store into the
    // variable table ("pi: 3.14159265358979").
    LineList ExpressionValues;
    LineList VariableList;
    // False: stores add no VariableList line (for a caller that never shows
    // the list; ResetVariables still keeps the lines written before).
    bool RecordVariableLines = true;
    // Offsets into the text of the last Evaluate: where the last statement
    // begun starts (just after the ";" before it), and where a run that ended
    // with a message stopped (0 when it did not). With RecordStatementEnds,
    // StatementEnds holds the offset of each completed statement's ";".
    std::size_t StatementStart = 0;
    std::size_t StopOffset = 0;
    // Where the token the failure was found at ends (0 when the run did not
    // stop). An undefined name or a zero divisor is found only once the
    // token after it has been read, so this may lie before StopOffset.
    std::size_t FailedTokenEnd = 0;
    bool RecordStatementEnds = false;
    std::vector<std::size_t> StatementEnds;

private:
    struct Variable {
        char name[MaxNameLength + 1];
        std::uint8_t length;
        double value;
    };

    // Scanner (Eval.cpp)
    unsigned char CharAt(std::size_t position) const;
    void NextToken();
    void ScanNumber(unsigned char first);
    bool ScanPlainNumber(std::size_t start);
    void ScanName();

    // Grammar (Eval.cpp). Nesting is kept on Pending, not on the call stack,
    // so a document nests as deep as memory allows. Each step works on the
    // value in hand and says which step comes next.
    // Operand: a primary begins; Done: the statement's sum ends or stops;
    // from Primary on, a value is in hand and goes up through the levels.
    enum class ParseStep : std::uint8_t { Operand, Done, Primary, Power, Term, MoreTerm, Sum, MoreSum, Close };
    // In order of binding, so that each level tells its own by one comparison.
    enum class Operation : std::uint8_t {
        Negate, Affirm, Function,  // waiting for a primary, then applied first
        Raise, Modulo,             // waiting for the right primary of a power
        Multiply, Divide,          // waiting for the right power of a term
        Add, Subtract,             // waiting for the right term of a sum
        Parenthesis, Assignment,   // waiting for a whole sum
        Statement,                 // the bottom of the stack: the statement's own sum
    };
    // An operation waiting for its operand, argument, ")" or right side.
    struct PendingOperation {
        Operation operation;
        std::uint8_t detail;  // function number, or length of the assigned name
        union {
            double left;       // binary operations
            const char* name;  // assignment: the name, inside Source
        };
    };
    void ParseStatements();
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
    ParseStep AwaitOperand(Operation operation, double left = 0.0, std::uint8_t detail = 0) {
        NextToken();
        const bool signRefused = operation == Operation::Add || operation == Operation::Subtract ||
                                 operation == Operation::Negate || operation == Operation::Affirm;
        if (signRefused && (Token == Plus || Token == Minus)) {
            Token = Invalid;
            return ParseStep::Done;
        }
        if (MissingOperand()) return ParseStep::Done;
        Push(operation, left, detail);
        return ParseStep::Operand;
    }
    void Push(Operation operation, double left = 0.0, std::uint8_t detail = 0) {
        PendingOperation& pending = Pending.emplace_back();
        pending.operation = operation;
        pending.detail = detail;
        pending.left = left;
    }

    // Variable table (Variables.cpp)
    int FindVariable(std::string_view name) const;
    int FindVariable(std::string_view name, std::uint32_t hash) const;
    void IndexVariable(int index);
    void RebuildIndex();
    void SetVariable(std::string_view name, double value);
    bool GetVariable(std::string_view name, std::uint32_t hash, double& value);
    void AppendVariableLine(const Variable& entry);

    // Built-in functions (Functions.cpp)
    void ApplyFunction(int function, double argument, double& result);
    double RaisePower(double base, double exponent);
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
        int variableCount;
        std::size_t firstVariable;  // into KeptRuns::Variables
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
        std::vector<std::uint64_t> baseValues;
        bool operator==(const RunConditions&) const = default;
    };
    RunConditions ConditionsOfRun(int base) const;
    struct KeptRuns {
        std::string Text;
        RunConditions conditions{};
        std::vector<KeptState> States;
        std::vector<Variable> Variables;
        std::vector<MathErrorReport> Reports;
    };
    void ForgetKeptStates();
    void KeepState();
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
    bool KeepingReports = false;
    KeptRuns Resumable;

    std::int32_t Token = Invalid;
    double NumberValue = 0.0;
    // The last name read: a view into Source, at most MaxNameLength bytes,
    // valid for the rest of the evaluation.
    std::string_view TokenName;
    std::uint32_t TokenHash = 0;  // NameHash of TokenName
    Variable Variables[VariableCapacity];
    int VariableCount_ = 0;
    int FilledCount_ = 0;  // entries ever filled; a reset never goes past them
    // Open-addressing index over entries 0..VariableCount_-1 (-1 = empty
    // slot). Names in the table are unique, so finding a name through the
    // index gives the same entry as a scan from entry 0 would.
    static constexpr int IndexSize = 512;
    std::int16_t Index[IndexSize];
    std::string_view Source;
    std::size_t SourceLength = 0;
    std::size_t Position = 1;  // 1-based index of the next byte to read
    std::size_t PreviousTokenEnd = 0;  // 0-based index just after the token before the current one
    bool ErrorStop = false;    // Token == End because of an error, not "@"
    std::vector<PendingOperation> Pending;  // kept between evaluations
    std::uint64_t FormattedBits = 0;
    bool FormattedValid = false;
    char FormattedText[FormatBufferSize] = {};
    std::size_t FormattedLength = 0;
    MathErrorReporter Reporter;
};

}  // namespace tallyrix
