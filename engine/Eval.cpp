// The grammar: an evaluator that computes while it parses, one token at a
// time. The operations still waiting for an operand are kept on a stack of
// the evaluator's own (Pending), so nesting is bounded by memory, not by the
// call stack. Token carries the whole state: End stops the statement,
// Invalid means the input is incomplete; either way the pending operations
// are dropped without applying any operator, check or conversion.
#include "engine/Arithmetic.h"
#include "engine/EvaluatorCore.h"
#include "engine/FunctionTable.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

namespace tallyrix {

namespace {

constexpr const char* WaitingForInput = "入力・修正待ち";
constexpr const char* DivisionByZero = "ゼロでのわり算";

// Arithmetic faults are found by looking at each result: an infinity from
// finite operands is an overflow, a NaN from operands that are numbers is an
// invalid operation. Quiet NaNs and infinities already present pass through.
// The throw is kept out of line, so that the check of a finite result (all
// but a few) is one comparison in the grammar's loop.
[[noreturn, gnu::cold, gnu::noinline]] void ThrowFault(const char* text) { throw FloatingPointError(text); }

[[gnu::always_inline]] inline double Checked(double result, double left, double right)
{
    if (std::isfinite(result)) [[likely]]
        return result;
    if (std::isinf(result) && std::isfinite(left) && std::isfinite(right)) ThrowFault(OverflowText);
    if (std::isnan(result) && !std::isnan(left) && !std::isnan(right)) ThrowFault(InvalidOperationText);
    return result;
}

// An operand that does not fit fails as the conversion to an integer would.
double Factorial(double operand)
{
    double result = 0.0;
    if (FactorialOf(operand, result)) return result;
    throw FloatingPointError(std::fabs(operand) < FactorialOperandLimit ? OverflowText : InvalidOperationText);
}

}  // namespace

const double PiValue = std::acos(-1.0);

EvaluatorCore::EvaluatorCore(Evaluator& out, MathErrorReporter reporter) : Out(out), Reporter(std::move(reporter))
{
    // Room for any nesting typed by hand; deeper documents grow it once.
    Pending.reserve(64);
    RebuildIndex();
    SetVariable("pi", PiValue);
}

void EvaluatorCore::Fail(const char* message)
{
    Out.ResultText.clear();
    ResultDeferred = false;
    Out.MessageText.assign(message);
    Token = End;
    ErrorStop = true;
    Out.StopOffset = Position - 1;
    // Found with the next token already read: the failing one is before it.
    Out.FailedTokenEnd = PreviousTokenEnd;
}

void EvaluatorCore::FailInLiteral(const char* message)
{
    Fail(message);
    Out.FailedTokenEnd = Out.StopOffset;
}

bool EvaluatorCore::MissingOperand()
{
    if (Token == Separator || (Token == End && !ErrorStop)) {
        Token = Invalid;
        return true;
    }
    return Token == End;
}

void EvaluatorCore::Evaluate(std::string_view text)
{
    ForgetKeptStates();
    SliceBytes = WholeRun;
    // Only a whole run defers its values: a resumed run keeps ResultText
    // with each of its states.
    Deferring = Out.DeferStatementValues;
    UseCompiled(std::exchange(PendingCompiled, nullptr), PendingCompiledCount);
    struct EndRun {
        EvaluatorCore& core;
        ~EndRun()
        {
            core.Deferring = false;
            core.UseCompiled(nullptr, 0);
        }
    } endRun{*this};
    EvaluateFromStart(text);
}

void EvaluatorCore::EvaluateFromStart(std::string_view text)
{
    Out.ExpressionValues.clear();
    Out.StatementValues.clear();
    ResultDeferred = false;
    Source = text;
    SourceLength = text.size();
    Position = 1;
    ErrorStop = false;
    Out.StatementStart = Out.StopOffset = Out.FailedTokenEnd = PreviousTokenEnd = 0;
    CommonSkips = CommonBackoff = 0;
    Out.StatementEnds.clear();
    NextToken();
    if (Token == End) return;
    RunSlice();
}

// Evaluates statements until the run ends or pauses; true when it ended.
bool EvaluatorCore::RunSlice()
{
    Paused = false;
    PausePosition = SliceBytes > WholeRun - Position ? WholeRun : Position + SliceBytes;
    ScheduleCheckpoint();
    if (!KeepingReports) {
        ParseStatements();
        WriteDeferredResult();  // only a run that keeps no reports defers
        FinishRun();
        return !Paused;
    }
    ParseRecordingFailure();
    FinishRun();
    if (!Paused) RecordEnd(FailureKind::None, "");
    return !Paused;
}

// A run that ended without an error or "@" is waiting for more input.
void EvaluatorCore::FinishRun()
{
    if (Token == End || Paused) return;
    Out.StopOffset = Out.FailedTokenEnd = Position - 1;
    Out.MessageText.assign(WaitingForInput);
    Out.ResultText.clear();
}

std::string_view EvaluatorCore::Formatted(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (!FormattedValid || bits != FormattedBits) {
        FormattedLength = FormatNumberTo(value, FormattedText);
        FormattedBits = bits;
        FormattedValid = true;
    }
    return {FormattedText, FormattedLength};
}

void EvaluatorCore::WriteDeferredResult()
{
    if (!ResultDeferred) return;
    Out.ResultText.assign(Formatted(DeferredResult));
    ResultDeferred = false;
}

void EvaluatorCore::AppendStatementValue(double value)
{
    if (Deferring) {
        Out.MessageText.clear();
        Out.StatementValues.push_back(value);
        DeferredResult = value;
        ResultDeferred = true;
        return;
    }
    const std::string_view text = Formatted(value);
    Out.MessageText.clear();
    Out.ResultText.assign(text);
    if (!Out.RecordExpressionValues) return;
    char counter[16];
    char* end = std::to_chars(counter, counter + sizeof counter, Out.StatementCount).ptr;
    Out.ExpressionValues.push_back(std::string_view(counter, static_cast<std::size_t>(end - counter)), ": ", text);
}

// statements := { [ sum ] ';' } '@'
void EvaluatorCore::ParseStatements()
{
    const bool common = Out.CommonStatementGrammar;
    while (true) {
        double value = 0.0;
        if (Token == Separator) {
            Out.StatementStart = Position - 1;
            if (common && TryCommonStatement(value)) {
                if (CompleteStatement(value)) return;
                continue;
            }
            NextToken();
            continue;
        }
        ParseExpression(value);
        ++Out.StatementCount;
        if (Token != Separator || CompleteStatement(value)) return;
    }
}

// A statement that the common grammar leaves is read twice, up to where it
// gave up. After each one left, it is skipped for twice as many statements
// as after the one before, up to 64, so that a document of statements it
// never reads costs at most about a sixtieth more.
bool EvaluatorCore::TryCommonStatement(double& value)
{
    // A compiled statement left by its arithmetic would be left by the
    // common grammar too.
    if (CompiledCount != 0) {
        const CompiledOutcome outcome = RunCompiledStatement(value);
        if (outcome != CompiledOutcome::Absent) return outcome == CompiledOutcome::Evaluated;
    }
    if (CommonSkips > 0) {
        --CommonSkips;
        return false;
    }
    if (EvaluateCommonStatement(value)) {
        CommonBackoff = 0;
        return true;
    }
    if (Out.CommonGrammarBacksOff) {
        CommonBackoff = std::min(2 * CommonBackoff + 1, MaxCommonBackoff);
        CommonSkips = CommonBackoff;
    }
    return false;
}

bool EvaluatorCore::CompleteStatement(double value)
{
    AppendStatementValue(value);
    if (Out.RecordStatementEnds) Out.StatementEnds.push_back(Position - 2);
    if (KeepingReports && TookOver()) return true;
    return Position >= NextCheckpoint && AtCheckpoint();
}

// sum := term { ('+' | '-') term }, a statement's with all that nests in it.
// The inner loop carries a value up through the levels until an operator
// needs another operand; the outer loop then reads that operand's leading
// tokens. A step that stops (Token End or Invalid) ends the statement: the
// operations still pending are dropped without being applied. The steps are
// inlined into this loop (always_inline below), so the value in hand stays in
// a register.
void EvaluatorCore::ParseExpression(double& v)
{
    Pending.clear();
    Push(Operation::Statement);
    double value = v;
    ParseStep step = ParseStep::Operand;
    while (step != ParseStep::Done) {
        step = ParsePrimary(value);
        while (step >= ParseStep::Primary) {
            if (step == ParseStep::Primary) step = CompletePrimary(value);
            if (step == ParseStep::Power) step = ParsePower(value);
            if (step == ParseStep::Term) step = ParseTerm(value);
            if (step == ParseStep::MoreTerm) step = ContinueTerm(value);
            if (step == ParseStep::Sum) step = ParseSum(value);
            if (step == ParseStep::MoreSum) step = ContinueSum(value);
            if (step == ParseStep::Close) step = CloseSum(value);
        }
    }
    v = value;
}

// primary := number | name [ '=' sum ] | function primary | ('-' | '+') primary | '(' sum ')'
// where the primary after a sign does not begin with another sign.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ParsePrimary(double& v)
{
    switch (Token) {
        case End:
        case Separator:
            return ParseStep::Primary;
        case Number:
            // Taken before NextToken, which may scan the next literal.
            v = NumberValue;
            NextToken();
            return ParseStep::Primary;
        case Minus:
        case Plus:
            return AwaitOperand(Token == Minus ? Operation::Negate : Operation::Affirm);
        case LeftParen:
            return AwaitOperand(Operation::Parenthesis);
        case Name:
            return ParseName(v);
        default:
            Token = Invalid;
            return ParseStep::Done;
    }
}

// The primary of a name: function primary | name '=' sum | name. Inline in
// the grammar's loop, which meets a name in most primaries.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ParseName(double& v)
{
    const int function = builtin::FindFunction(TokenName, TokenHash);
    if (function >= 0) return AwaitOperand(Operation::Function, 0.0, static_cast<std::uint8_t>(function));
    const std::string_view kept = TokenName;
    const std::uint32_t hash = TokenHash;
    const std::uint64_t word = TokenWord;
    NextToken();
    if (Token != Assign) {
        GetVariable(kept, hash, word, v);
        return ParseStep::Primary;
    }
    const ParseStep next = AwaitOperand(Operation::Assignment, 0.0, static_cast<std::uint8_t>(kept.size()));
    if (next == ParseStep::Operand) {
        Pending.back().name = kept.data();
        Pending.back().hash = hash;
    }
    return next;
}

// ('-' | '+') primary, function primary, power ('^' | '%') primary: a
// primary's value completes the signs and functions waiting for it, then a
// waiting '^' or '%', or else it starts a power.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::CompletePrimary(double& v)
{
    while (!Stopped()) {
        const PendingOperation pending = Pending.back();
        if (pending.operation > Operation::Modulo) return ParseStep::Power;
        Pending.pop_back();
        switch (pending.operation) {
            case Operation::Negate:
                v = -v;
                break;
            case Operation::Function:
                if (!CallFunction(pending.detail, v)) return ParseStep::Done;
                break;
            case Operation::Raise:
            case Operation::Modulo:
                ApplyBinary(pending.operation, pending.left, v);
                return ParseStep::Power;
            default:
                break;
        }
    }
    return ParseStep::Done;
}

// power := primary { ('^' | '%') primary } [ '!' ]
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ParsePower(double& v)
{
    if (Token == Power || Token == Modulo) {
        return ParseRightOperand<Operation::Raise>(Token == Power ? Operation::Raise : Operation::Modulo, v);
    }
    if (Token == Bang) {
        v = Factorial(v);
        NextToken();
    }
    return ParseStep::Term;
}

// Applies the operation waiting for the value in v when it is one of the two
// of a level: the left operand of the level that has just got its right one.
// False when the evaluation stops.
[[gnu::always_inline]] inline bool EvaluatorCore::ReducePending(Operation first, Operation second, double& v)
{
    const PendingOperation pending = Pending.back();
    if (pending.operation != first && pending.operation != second) return true;
    Pending.pop_back();
    return !Stopped() && ApplyBinary(pending.operation, pending.left, v);
}

// term := power { ('*' | '/') power }
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ParseTerm(double& v)
{
    return ReducePending(Operation::Multiply, Operation::Divide, v) ? ParseStep::MoreTerm : ParseStep::Done;
}

// The { ('*' | '/') power } of a term whose value is in hand.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ContinueTerm(double& v)
{
    if (Token != Times && Token != Divide) return ParseStep::Sum;
    return ParseRightOperand<Operation::Multiply>(Token == Times ? Operation::Multiply : Operation::Divide, v);
}

// sum := term { ('+' | '-') term }
// where the term after '+' or '-' does not begin with a sign.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ParseSum(double& v)
{
    return ReducePending(Operation::Add, Operation::Subtract, v) ? ParseStep::MoreSum : ParseStep::Done;
}

// The { ('+' | '-') term } of a sum whose value is in hand.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ContinueSum(double& v)
{
    if (Token != Plus && Token != Minus) return ParseStep::Close;
    return ParseRightOperand<Operation::Add>(Token == Plus ? Operation::Add : Operation::Subtract, v);
}

// Applies a binary operation to its left operand and the right one in v;
// false when the division is refused.
[[gnu::always_inline]] inline bool EvaluatorCore::ApplyBinary(Operation operation, double left, double& v)
{
    switch (operation) {
        case Operation::Raise:
            v = RaisePower(left, v);
            return true;
        case Operation::Modulo:
            v = Remainder(left, v);
            return true;
        case Operation::Multiply:
            v = Checked(v * left, v, left);
            return true;
        case Operation::Divide:
            if (IsUsableDivisor(v)) {
                v = Checked(left / v, left, v);
                return true;
            }
            Fail(DivisionByZero);
            return false;
        case Operation::Add:
            v = Checked(left + v, left, v);
            return true;
        case Operation::Subtract:
            v = Checked(left - v, left, v);
            return true;
        default:
            return true;
    }
}

// The right operand of a binary operation of the level whose first
// operation is `level` (Raise, Multiply or Add). A lone number or variable
// that nothing binding tighter follows ("*0.5", "+x", "^2": most operands) is
// applied here and now, where the level is known without looking at the
// stack; any other operand leaves the operation waiting there. The operation
// goes onto the stack only then, under whatever its operand has put there
// (a sign, "(", a function or an assignment), so that a lone operand costs
// no push and pop.
template <EvaluatorCore::Operation level>
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::ParseRightOperand(Operation operation, double& v)
{
    if (!OperandFollows(operation)) return ParseStep::Done;
    const std::size_t depth = Pending.size();
    double right = 0.0;
    const ParseStep operand = ParsePrimary(right);
    if (operand == ParseStep::Operand) {
        Pending.insert(Pending.begin() + static_cast<std::ptrdiff_t>(depth), PendingOperation{operation, 0, 0, {v}});
    }
    if (operand != ParseStep::Primary) return operand;
    if (Stopped()) return ParseStep::Done;
    constexpr bool power = level == Operation::Raise;
    constexpr bool term = level == Operation::Multiply;
    const bool tighter = Token == Power || Token == Modulo || Token == Bang;
    if (!power && (tighter || (!term && (Token == Times || Token == Divide)))) {
        Push(operation, v);
        v = right;
        return ParseStep::Power;  // the operation waits on the stack, under what binds tighter
    }
    const double left = v;
    v = right;
    if (!ApplyBinary(operation, left, v)) return ParseStep::Done;
    return power ? ParseStep::Power : term ? ParseStep::MoreTerm : ParseStep::MoreSum;
}

// '(' sum ')' and name '=' sum: a finished sum closes the parenthesis or the
// assignment that waits for it; the statement's own sum ends the loop. An
// error inside parentheses keeps its message; only a missing ')' is
// incomplete input.
[[gnu::always_inline]] inline EvaluatorCore::ParseStep EvaluatorCore::CloseSum(double& v)
{
    if (Pending.back().operation == Operation::Statement) return ParseStep::Done;
    const PendingOperation pending = Pending.back();
    Pending.pop_back();
    if (pending.operation == Operation::Parenthesis) {
        if (Token == RightParen) {
            NextToken();
        } else if (Token != End) {
            Token = Invalid;
        }
        return ParseStep::Primary;
    }
    // A right side that failed or is incomplete stores nothing.
    if (Stopped()) return ParseStep::Done;
    const std::string_view name(pending.name, pending.detail);
    SetVariable(name, pending.hash, SourceWord(name), v);
    return ParseStep::Primary;
}

}  // namespace tallyrix
