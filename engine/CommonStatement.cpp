// Common statements: "name = sum;" and "sum;" made of plain literals,
// names of up to eight bytes, + - * / ^ % !, signs, parentheses and the
// built-in functions, which is what most of a document is. A recursive
// descent reads them with its position in a register and its nesting on the
// call stack, where the general grammar keeps both in the evaluator and
// looks at its own stack for each operator.
//
// It stores nothing before the statement's ";". Whatever it cannot finish
// exactly as the general grammar would, it leaves, and the general grammar
// then reads the statement from its start as if this one did not exist:
// another token ("@", a literal with an exponent or commas), a sign after a
// sign or after binary "+" or "-", an assignment inside the sum, a name not
// in the table (undefined, or assigned for the first time), a division by
// (nearly) zero, a value that is not finite, a function or power that would
// report or refuse its argument, a factorial that fails, deep nesting, and
// the end of the text within 24 bytes. The values it does give are the
// general grammar's own: the same operations in the same order on the same
// doubles.
#include <array>
#include <cmath>
#include <cstring>

#include "engine/Arithmetic.h"
#include "engine/EvaluatorCore.h"
#include "engine/FunctionTable.h"
#include "engine/NameHash.h"
#include "engine/ScanSupport.h"

namespace tallyrix {

namespace {

// Tokens: the byte of an operator itself, or one of these.
constexpr char NumberToken = 'n';
constexpr char NameToken = 'a';
constexpr char OtherToken = 0;

constexpr std::array<char, 256> OperatorTokens = [] {
    std::array<char, 256> tokens{};
    for (const char c : {'+', '-', '*', '/', '^', '%', '!', '(', ')', ';', '='})
        tokens[static_cast<unsigned char>(c)] = c;
    return tokens;
}();

// Bytes that must lie within the text from a literal's or a name's first
// byte on: they are read sixteen at a time (a literal's fraction from its
// ninth byte on).
constexpr std::ptrdiff_t LiteralReach = 24;
constexpr std::ptrdiff_t NameReach = 16;
constexpr std::size_t WordNameLength = 8;
// Parentheses, signs and functions nested deeper than this are left to the
// general grammar, whose nesting is bounded by memory only.
constexpr int NestingLimit = 200;

bool IsSign(char token) { return token == '+' || token == '-'; }

}  // namespace

struct EvaluatorCore::CommonGrammar {
    EvaluatorCore& core;
    const char* p;  // the next byte to read
    const char* const end;
    char token = OtherToken;
    int depth = 0;
    double number = 0.0;
    // The current name: its first byte, length, NameWord and NameHash.
    const char* name = nullptr;
    std::size_t length = 0;
    std::uint64_t word = 0;
    std::uint32_t hash = 0;

    bool Statement(double& v);
    void Next();
    bool Sum(double& v);
    bool Term(double& v);
    bool Power(double& v);
    bool Primary(double& v);
    bool Enclosed(double& v);
    bool Nested(double& v);
    bool NamePrimary(double& v);
    int Entry() const { return core.FindVariable(std::string_view(name, length), hash, word); }
};

[[gnu::always_inline]] inline void EvaluatorCore::CommonGrammar::Next()
{
    while (p < end && scan::Is(static_cast<unsigned char>(*p), scan::Blank))
        ++p;
    token = OtherToken;
    if (p == end) return;
    const auto c = static_cast<unsigned char>(*p);
    const std::uint8_t kind = scan::Classes[c];
    if ((kind & scan::NumberStart) != 0) {
        std::size_t literal = 0;
        if (end - p < LiteralReach || !scan::ReadPlainLiteral(p, number, literal)) return;
        p += literal;
        token = NumberToken;
    } else if ((kind & scan::Letter) != 0) {
        if (end - p < NameReach) return;
        length = static_cast<std::size_t>(scan::TrailingOnes(scan::NameTailBytes(p)));
        if (length > WordNameLength) return;
        name = p;
        std::memcpy(&word, p, sizeof word);
        word &= ~std::uint64_t{0} >> (64 - 8 * length);
        hash = NameHashOfWord(word);
        p += length;
        token = NameToken;
    } else {
        token = OperatorTokens[c];
        ++p;
    }
}

bool EvaluatorCore::EvaluateCommonStatement(double& value)
{
    const char* const text = Source.data();
    CommonGrammar grammar{*this, text + (Position - 1), text + SourceLength};
    if (!grammar.Statement(value)) return false;
    // As the general grammar leaves a statement: ";" read, the next byte
    // after it (the next token is read before anything looks at where the
    // one before the ";" ended).
    Position = static_cast<std::size_t>(grammar.p - text) + 1;
    Token = Separator;
    return true;
}

// statement := [ name '=' ] sum ';'
bool EvaluatorCore::CommonGrammar::Statement(double& v)
{
    Next();
    int target = -1;
    if (token == NameToken) {
        const char* q = p;
        while (q < end && scan::Is(static_cast<unsigned char>(*q), scan::Blank))
            ++q;
        if (q < end && *q == '=') {
            if (builtin::FindFunctionWord(word, hash) >= 0) return false;
            target = Entry();
            if (target < 0) return false;
            p = q + 1;
            Next();
        }
    }
    if (!Sum(v) || token != ';') return false;
    if (target >= 0) core.StoreVariable(target, v);
    ++core.Out.StatementCount;
    return true;
}

[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar::NamePrimary(double& v)
{
    const int function = builtin::FindFunctionWord(word, hash);
    if (function >= 0) {
        Next();
        double argument = 0.0;
        return Nested(argument) && core.FunctionWithoutReport(function, argument, v) && std::isfinite(v);
    }
    const int entry = Entry();
    if (entry < 0) return false;
    // Followed by "=", it is an assignment inside the sum: nothing reads
    // the "=", so the statement is left at its end.
    v = core.Variables[entry].value;
    Next();
    return std::isfinite(v);
}

// power := primary { ('^' | '%') primary } [ '!' ]
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar::Power(double& v)
{
    if (!Primary(v)) return false;
    while (token == '^' || token == '%') {
        const bool raise = token == '^';
        Next();
        double right = 0.0;
        if (!Primary(right)) return false;
        if (!raise) {
            v = Remainder(v, right);
        } else if (!PowerWithoutReport(v, right, v)) {
            return false;
        }
    }
    if (token != '!') return true;
    Next();
    return FactorialOf(v, v);
}

// term := power { ('*' | '/') power }
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar::Term(double& v)
{
    if (!Power(v)) return false;
    while (token == '*' || token == '/') {
        const char operation = token;
        Next();
        double right = 0.0;
        if (!Power(right)) return false;
        if (operation == '*') {
            v = right * v;
        } else {
            if (!IsUsableDivisor(right)) return false;
            v = v / right;
        }
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// sum := term { ('+' | '-') term }, the term after the operator without a sign
bool EvaluatorCore::CommonGrammar::Sum(double& v)
{
    if (!Term(v)) return false;
    while (IsSign(token)) {
        const char operation = token;
        Next();
        double right = 0.0;
        if (IsSign(token) || !Term(right)) return false;
        v = operation == '+' ? v + right : v - right;
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// primary := number | name | function primary | ('-' | '+') primary | '(' sum ')'
// where the primary after a sign does not begin with another sign. Numbers
// and names, which most operands are, are read where the operand is;
// parentheses and signs nest, and are read by a call.
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar::Primary(double& v)
{
    switch (token) {
        case NumberToken:
            v = number;
            Next();
            return true;
        case NameToken:
            return NamePrimary(v);
        default:
            return Enclosed(v);
    }
}

// A signed primary or a sum in parentheses.
[[gnu::noinline]] bool EvaluatorCore::CommonGrammar::Enclosed(double& v)
{
    switch (token) {
        case '-':
        case '+': {
            const bool negate = token == '-';
            Next();
            if (IsSign(token) || !Nested(v)) return false;
            if (negate) v = -v;
            return true;
        }
        case '(':
            Next();
            if (depth == NestingLimit) return false;
            ++depth;
            if (!Sum(v) || token != ')') return false;
            --depth;
            Next();
            return true;
        default:
            return false;
    }
}

// The primary after a sign or a function, one level deeper.
bool EvaluatorCore::CommonGrammar::Nested(double& v)
{
    if (depth == NestingLimit) return false;
    ++depth;
    const bool read = Primary(v);
    --depth;
    return read;
}

}  // namespace tallyrix
