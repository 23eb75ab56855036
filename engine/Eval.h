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
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/LineList.h"

namespace tallyrix {

// Token kinds; the grammar compares against these fixed values.
enum TokenKind : std::int32_t {
    End = -1,       // "@", and the state after any error that stops evaluation
    Invalid = 0,    // unknown character, or incomplete input
    Separator = 1,  // ";"
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

// The names of the built-in functions, in the grammar's order; a function
// name is never a variable.
std::span<const std::string_view> FunctionNameList();

// One entry of the variable table: its name and the value it holds now.
struct NamedValue {
    std::string name;
    double value;
};

class CompiledStatements;
class EvaluatorCore;

class Evaluator {
public:
    explicit Evaluator(MathErrorReporter reporter = {});
    ~Evaluator();
    Evaluator(const Evaluator&) = delete;
    Evaluator& operator=(const Evaluator&) = delete;

    // Takes the statement text followed by ";@". The outcome is read from the
    // fields below. Throws EngineFailure on overflow, invalid operation or a
    // literal the conversion rejects.
    void Evaluate(std::string_view text);
    // For the next Evaluate alone: the first count statements of compiled,
    // compiled from the text it will be given, are run there instead of
    // read again (they must not change until it returns).
    void UseCompiled(const CompiledStatements& compiled, std::size_t count);

    // Keeps the first n table entries and VariableList lines, drops the rest;
    // StatementCount becomes 0. n must not exceed the entries ever filled.
    void ResetVariables(int n);

    // ResetVariables(base) followed by Evaluate(text), for a caller that
    // evaluates one document again after each edit. The text is kept, and so
    // is, every so often, the state after a completed statement. The next
    // such run starts from the last state kept within the leading bytes its
    // text shares with the kept one: the fields come out as a full run's, and
    // the reports of the statements it skips are made again, in their order.
    // Past the edit, once it completes a statement whose following text the
    // previous run read too and with that run's variable table and result
    // there, it takes over the previous run's results from there on (see
    // StatementsTakenOver) instead of evaluating them again.
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
    // The same for a text its maker keeps too (it must not change it): the
    // evaluator holds it until the next run instead of a copy of its own.
    bool EvaluateResuming(std::shared_ptr<const std::string> text, int base, std::size_t slice = WholeRun);
    bool ContinueResuming(std::size_t slice = WholeRun);
    // Statements of the last EvaluateResuming that were not evaluated: past
    // the edit, the run met the previous run's state at a statement whose
    // following text is unchanged, and took over the previous results from
    // there (statement numbers and offsets moved).
    std::int32_t StatementsTakenOver = 0;
    // Bytes of text between kept states: a resumed run evaluates again at
    // most about this much of what precedes the edit; each state costs a
    // copy of the variable table.
    std::size_t ResumeInterval = 16 * 1024;
    // The text of the last EvaluateResuming.
    const std::string& ResumedText() const;

    // Stores a constant (an update in place when the name exists). Returns
    // false when nothing was stored: a full table, or a name that does not
    // fit the 35-character field.
    bool RegisterConstant(std::string_view name, double value);
    bool IsDefined(std::string_view name) const;
    // How many times the last EvaluateResuming stored into a name: the
    // document's stores, not those made before it (pi and the registered
    // constants); 0 for a name the table does not hold.
    std::size_t StoresInto(std::string_view name) const;
    // VariableList becomes one line per entry in use, with the value the
    // entry holds now; earlier lines of a name stored again go. A caller
    // that has just stored its constants keeps with ResetVariables one
    // line for each of them, a constant that updated pi included.
    void RestateVariableList();
    int VariableCount() const;
    // The entries in use, in table order: pi, the registered constants, then
    // what the document assigned. During a paused run, its state so far.
    std::vector<NamedValue> Variables() const;

    void SetReporter(MathErrorReporter reporter);

    // False: every statement goes through the general grammar. Otherwise a
    // faster one reads the common statements and leaves the rest to it; both
    // give the same outcome, which tests compare.
    bool CommonStatementGrammar = true;
    // After statements that it left, the faster grammar skips a few, so that
    // a document of statements it never reads costs hardly more. False: it
    // tries every statement (for tests that compare the two grammars).
    bool CommonGrammarBacksOff = true;

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
    // False: completed statements add no ExpressionValues line (ResultText
    // still holds the last value).
    bool RecordExpressionValues = true;
    // True: Evaluate (not EvaluateResuming) hands each completed statement's
    // value over as a number, in StatementValues (emptied by each Evaluate),
    // instead of a line of ExpressionValues; their counters run on from the
    // StatementCount the run began with. ResultText is written once, when
    // the run ends (not when it throws). For a caller that formats the
    // values elsewhere, on another thread.
    bool DeferStatementValues = false;
    std::vector<double> StatementValues;
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
    // The scanner, the grammar's stack, the variable table and the kept
    // states of resumed runs (engine/EvaluatorCore.h). It reads the inputs
    // above and writes the outcome there.
    std::unique_ptr<EvaluatorCore> Core;
};

}  // namespace tallyrix
