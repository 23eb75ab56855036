// The grammar of common statements: "name = sum;" and "sum;" made of plain
// literals, names of up to eight bytes, + - * / ^ % !, signs, parentheses
// and the built-in functions, which is what most of a document is. A
// recursive descent reads them with its position in a register and its
// nesting on the call stack, where the general grammar keeps both in the
// evaluator and looks at its own stack for each operator.
//
// What it does with what it reads is its backend's: Evaluating works out the
// value at once (CommonStatement.cpp), Compiling writes the operations down
// to be run later (CompiledStatements.cpp), with Evaluating's own arithmetic.
//
// Either way a statement is all or nothing: the grammar stores nothing before
// the statement's ";". Whatever it cannot finish exactly as the general
// grammar would, it leaves, and the general grammar then reads the statement
// from its start as if this one did not exist: another token ("@", a literal
// with an exponent or commas), a sign after a sign or after binary "+" or
// "-", an assignment inside the sum, an undefined name in the sum, a name
// assigned for the first time when the table is full, a division by (nearly)
// zero, a value that is not finite, a function or power that would report or
// refuse its argument, a factorial that fails, deep nesting, and the end of
// the text within 24 bytes. The values it does give are the general
// grammar's own: the same operations in the same order on the same doubles.
#pragma once

#include <array>
#include <cmath>
#include <cstring>

#include "engine/Arithmetic.h"
#include "engine/EvaluatorCore.h"
#include "engine/FunctionTable.h"
#include "engine/NameHash.h"
#include "engine/ScanSupport.h"

namespace tallyrix::common {

// Tokens: the byte of an operator itself, or one of these.
inline constexpr char NumberToken = 'n';
inline constexpr char NameToken = 'a';
inline constexpr char OtherToken = 0;

inline constexpr std::array<char, 256> OperatorTokens = [] {
    std::array<char, 256> tokens{};
    for (const char c : {'+', '-', '*', '/', '^', '%', '!', '(', ')', ';', '='})
        tokens[static_cast<unsigned char>(c)] = c;
    return tokens;
}();

// Bytes that must lie within the text from a literal's or a name's first
// byte on: they are read sixteen at a time (a literal's fraction from its
// ninth byte on).
inline constexpr std::ptrdiff_t LiteralReach = 24;
inline constexpr std::ptrdiff_t NameReach = 16;
inline constexpr std::size_t WordNameLength = 8;
// Parentheses, signs and functions nested deeper than this are left to the
// general grammar, whose nesting is bounded by memory only.
inline constexpr int NestingLimit = 200;

inline bool IsSign(char token) { return token == '+' || token == '-'; }

// A name as read: its first byte, length, NameWord and NameHash.
struct NameRef {
    const char* text;
    std::size_t length;
    std::uint64_t word;
    std::uint32_t hash;
};

}  // namespace tallyrix::common

namespace tallyrix {

// The arithmetic of common statements, on the evaluator's variables; the
// same for a statement read now and for one compiled before.
struct EvaluatorCore::Evaluating {
    using Value = double;
    EvaluatorCore& core;
    int target = -1;             // the entry a statement assigns, or
    std::string_view newName{};  // the name it assigns for the first time

    [[gnu::always_inline]] int Entry(const common::NameRef& name) const
    {
        return core.FindVariable(std::string_view(name.text, name.length), name.hash, name.word);
    }
    [[gnu::always_inline]] bool Literal(double& v, double number) const
    {
        v = number;
        return true;
    }
    [[gnu::always_inline]] bool VariableAt(double& v, int entry) const
    {
        if (entry < 0) return false;
        v = core.Variables[entry].value;
        return std::isfinite(v);
    }
    [[gnu::always_inline]] bool Variable(double& v, const common::NameRef& name) const
    {
        return VariableAt(v, Entry(name));
    }
    bool Function(int function, double& v) const
    {
        double result = 0.0;
        if (!core.FunctionWithoutReport(function, v, result)) return false;
        v = result;
        return std::isfinite(v);
    }
    static bool Negate(double& v)
    {
        v = -v;
        return true;
    }
    static bool Modulo(double& v, double right)
    {
        v = Remainder(v, right);
        return true;
    }
    static bool Raise(double& v, double right) { return PowerWithoutReport(v, right, v); }
    static bool Factorial(double& v) { return FactorialOf(v, v); }
    [[gnu::always_inline]] static bool Multiply(double& v, double right)
    {
        v = right * v;
        return std::isfinite(v);
    }
    [[gnu::always_inline]] static bool Divide(double& v, double right)
    {
        if (!IsUsableDivisor(right)) return false;
        v = v / right;
        return std::isfinite(v);
    }
    [[gnu::always_inline]] static bool Add(double& v, double right)
    {
        v = v + right;
        return std::isfinite(v);
    }
    [[gnu::always_inline]] static bool Subtract(double& v, double right)
    {
        v = v - right;
        return std::isfinite(v);
    }
    // The entry of name, or none yet: the name then gets one when the
    // statement is complete, as the general grammar gives it, unless the
    // table is full (the general grammar reports that).
    bool TargetAt(int entry, std::string_view name)
    {
        target = entry;
        if (entry >= 0) return true;
        if (core.VariableCount_ == VariableCapacity) return false;
        newName = name;
        return true;
    }
    bool Target(const common::NameRef& name) { return TargetAt(Entry(name), std::string_view(name.text, name.length)); }
    // The statement read: its store, and it counts.
    void Complete(double v) const
    {
        if (target >= 0) {
            core.StoreVariable(target, v);
        } else if (!newName.empty()) {
            core.AddVariable(newName, v);
        }
        ++core.Out.StatementCount;
    }
};

template <typename Backend>
struct EvaluatorCore::CommonGrammar {
    using Value = typename Backend::Value;
    Backend& backend;
    const char* p;  // the next byte to read
    const char* const end;
    char token = common::OtherToken;
    int depth = 0;
    double number = 0.0;
    common::NameRef name{};

    void Next();
    // statement := [ name '=' ] sum ';'
    bool Statement(Value& v);
    bool Sum(Value& v);
    bool Term(Value& v);
    bool Power(Value& v);
    bool Primary(Value& v);
    bool Enclosed(Value& v);
    bool Nested(Value& v);
    bool NamePrimary(Value& v);
};

template <typename Backend>
[[gnu::always_inline]] inline void EvaluatorCore::CommonGrammar<Backend>::Next()
{
    using namespace common;
    unsigned char c = 0;
    std::uint8_t kind = 0;
    for (;; ++p) {
        if (p == end) {
            token = OtherToken;
            return;
        }
        c = static_cast<unsigned char>(*p);
        kind = scan::Classes[c];
        if ((kind & scan::Blank) == 0) break;
    }
    token = OtherToken;
    if ((kind & scan::NumberStart) != 0) {
        std::size_t literal = 0;
        if (end - p < LiteralReach || !scan::ReadPlainLiteral(p, number, literal)) return;
        p += literal;
        token = NumberToken;
    } else if ((kind & scan::Letter) != 0) {
        if (end - p < NameReach) return;
        const auto length = static_cast<std::size_t>(scan::TrailingOnes(scan::NameTailBytes(p)));
        if (length > WordNameLength) return;
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        word &= ~std::uint64_t{0} >> (64 - 8 * length);
        name = {p, length, word, NameHashOfWord(word)};
        p += length;
        token = NameToken;
    } else {
        token = OperatorTokens[c];
        ++p;
    }
}

template <typename Backend>
bool EvaluatorCore::CommonGrammar<Backend>::Statement(Value& v)
{
    using namespace common;
    Next();
    if (token == NameToken) {
        const char* q = p;
        while (q < end && scan::Is(static_cast<unsigned char>(*q), scan::Blank))
            ++q;
        if (q < end && *q == '=') {
            if (builtin::FindFunctionWord(name.word, name.hash) >= 0 || !backend.Target(name)) return false;
            p = q + 1;
            Next();
        }
    }
    if (!Sum(v) || token != ';') return false;
    backend.Complete(v);
    return true;
}

template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::NamePrimary(Value& v)
{
    const int function = builtin::FindFunctionWord(name.word, name.hash);
    if (function >= 0) {
        Next();
        return Nested(v) && backend.Function(function, v);
    }
    // Followed by "=", it is an assignment inside the sum: nothing reads
    // the "=", so the statement is left at its end.
    if (!backend.Variable(v, name)) return false;
    Next();
    return true;
}

// power := primary { ('^' | '%') primary } [ '!' ]
template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::Power(Value& v)
{
    if (!Primary(v)) return false;
    while (token == '^' || token == '%') {
        const bool raise = token == '^';
        Next();
        Value right{};
        if (!Primary(right)) return false;
        if (!(raise ? backend.Raise(v, right) : backend.Modulo(v, right))) return false;
    }
    if (token != '!') return true;
    Next();
    return backend.Factorial(v);
}

// term := power { ('*' | '/') power }
template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::Term(Value& v)
{
    if (!Power(v)) return false;
    while (token == '*' || token == '/') {
        const char operation = token;
        Next();
        Value right{};
        if (!Power(right)) return false;
        if (!(operation == '*' ? backend.Multiply(v, right) : backend.Divide(v, right))) return false;
    }
    return true;
}

// sum := term { ('+' | '-') term }, the term after the operator without a sign
template <typename Backend>
bool EvaluatorCore::CommonGrammar<Backend>::Sum(Value& v)
{
    if (!Term(v)) return false;
    while (common::IsSign(token)) {
        const char operation = token;
        Next();
        Value right{};
        if (common::IsSign(token) || !Term(right)) return false;
        if (!(operation == '+' ? backend.Add(v, right) : backend.Subtract(v, right))) return false;
    }
    return true;
}

// primary := number | name | function primary | ('-' | '+') primary | '(' sum ')'
// where the primary after a sign does not begin with another sign. Numbers
// and names, which most operands are, are read where the operand is;
// parentheses and signs nest, and are read by a call.
template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::Primary(Value& v)
{
    switch (token) {
        case common::NumberToken:
            if (!backend.Literal(v, number)) return false;
            Next();
            return true;
        case common::NameToken:
            return NamePrimary(v);
        default:
            return Enclosed(v);
    }
}

// A signed primary or a sum in parentheses.
template <typename Backend>
[[gnu::noinline]] bool EvaluatorCore::CommonGrammar<Backend>::Enclosed(Value& v)
{
    switch (token) {
        case '-':
        case '+': {
            const bool negate = token == '-';
            Next();
            if (common::IsSign(token) || !Nested(v)) return false;
            return !negate || backend.Negate(v);
        }
        case '(':
            Next();
            if (depth == common::NestingLimit) return false;
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
template <typename Backend>
bool EvaluatorCore::CommonGrammar<Backend>::Nested(Value& v)
{
    if (depth == common::NestingLimit) return false;
    ++depth;
    const bool read = Primary(v);
    --depth;
    return read;
}

}  // namespace tallyrix
