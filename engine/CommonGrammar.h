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
    // Where reading stands: the next byte to read and the token before it,
    // p null once the statement is left. Handed from function to function by
    // value, it stays in registers; as members of the grammar the two went
    // to memory and back at every token, around each call the grammar makes.
    struct Cursor {
        const char* p = nullptr;
        char token = common::OtherToken;
    };
    Backend& backend;
    const char* const end;
    int depth = 0;
    double number = 0.0;
    common::NameRef name{};

    void Next(Cursor& c);
    // statement := [ name '=' ] sum ';', from start on: the byte after the
    // ";", or null when the statement is left to the general grammar.
    const char* Statement(const char* start, Value& v);
    Cursor Sum(Cursor c, Value& v);
    bool Term(Cursor& c, Value& v);
    bool Power(Cursor& c, Value& v);
    bool Primary(Cursor& c, Value& v);
    Cursor Enclosed(Cursor c, Value& v);
    Cursor Nested(Cursor c, Value& v);
    bool NamePrimary(Cursor& c, Value& v);
};

template <typename Backend>
[[gnu::always_inline]] inline void EvaluatorCore::CommonGrammar<Backend>::Next(Cursor& c)
{
    using namespace common;
    unsigned char byte = 0;
    std::uint8_t kind = 0;
    for (;; ++c.p) {
        if (c.p == end) {
            c.token = OtherToken;
            return;
        }
        byte = static_cast<unsigned char>(*c.p);
        kind = scan::Classes[byte];
        if ((kind & scan::Blank) == 0) break;
    }
    c.token = OtherToken;
    if ((kind & scan::NumberStart) != 0) {
        std::size_t literal = 0;
        if (end - c.p < LiteralReach || !scan::ReadPlainLiteral(c.p, number, literal)) return;
        c.p += literal;
        c.token = NumberToken;
    } else if ((kind & scan::Letter) != 0) {
        if (end - c.p < NameReach) return;
        const auto length = static_cast<std::size_t>(scan::TrailingOnes(scan::NameTailBytes(c.p)));
        if (length > WordNameLength) return;
        std::uint64_t word = 0;
        std::memcpy(&word, c.p, sizeof word);
        word &= ~std::uint64_t{0} >> (64 - 8 * length);
        name = {c.p, length, word, NameHashOfWord(word)};
        c.p += length;
        c.token = NameToken;
    } else {
        c.token = OperatorTokens[byte];
        ++c.p;
    }
}

template <typename Backend>
const char* EvaluatorCore::CommonGrammar<Backend>::Statement(const char* start, Value& v)
{
    using namespace common;
    Cursor c{start};
    Next(c);
    if (c.token == NameToken) {
        const char* q = c.p;
        while (q < end && scan::Is(static_cast<unsigned char>(*q), scan::Blank))
            ++q;
        if (q < end && *q == '=') {
            if (builtin::FindFunctionWord(name.word, name.hash) >= 0 || !backend.Target(name)) return nullptr;
            c.p = q + 1;
            Next(c);
        }
    }
    c = Sum(c, v);
    if (c.p == nullptr || c.token != ';') return nullptr;
    backend.Complete(v);
    return c.p;
}

template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::NamePrimary(Cursor& c, Value& v)
{
    const int function = builtin::FindFunctionWord(name.word, name.hash);
    if (function >= 0) {
        Next(c);
        c = Nested(c, v);
        return c.p != nullptr && backend.Function(function, v);
    }
    // Followed by "=", it is an assignment inside the sum: nothing reads
    // the "=", so the statement is left at its end.
    if (!backend.Variable(v, name)) return false;
    Next(c);
    return true;
}

// power := primary { ('^' | '%') primary } [ '!' ]
template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::Power(Cursor& c, Value& v)
{
    if (!Primary(c, v)) return false;
    while (c.token == '^' || c.token == '%') {
        const bool raise = c.token == '^';
        Next(c);
        Value right{};
        if (!Primary(c, right)) return false;
        if (!(raise ? backend.Raise(v, right) : backend.Modulo(v, right))) return false;
    }
    if (c.token != '!') return true;
    Next(c);
    return backend.Factorial(v);
}

// term := power { ('*' | '/') power }
template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::Term(Cursor& c, Value& v)
{
    if (!Power(c, v)) return false;
    while (c.token == '*' || c.token == '/') {
        const char operation = c.token;
        Next(c);
        Value right{};
        if (!Power(c, right)) return false;
        if (!(operation == '*' ? backend.Multiply(v, right) : backend.Divide(v, right))) return false;
    }
    return true;
}

// sum := term { ('+' | '-') term }, the term after the operator without a sign
template <typename Backend>
auto EvaluatorCore::CommonGrammar<Backend>::Sum(Cursor c, Value& v) -> Cursor
{
    if (!Term(c, v)) return {};
    while (common::IsSign(c.token)) {
        const char operation = c.token;
        Next(c);
        Value right{};
        if (common::IsSign(c.token) || !Term(c, right)) return {};
        if (!(operation == '+' ? backend.Add(v, right) : backend.Subtract(v, right))) return {};
    }
    return c;
}

// primary := number | name | function primary | ('-' | '+') primary | '(' sum ')'
// where the primary after a sign does not begin with another sign. Numbers
// and names, which most operands are, are read where the operand is;
// parentheses and signs nest, and are read by a call.
template <typename Backend>
[[gnu::always_inline]] inline bool EvaluatorCore::CommonGrammar<Backend>::Primary(Cursor& c, Value& v)
{
    switch (c.token) {
        case common::NumberToken:
            if (!backend.Literal(v, number)) return false;
            Next(c);
            return true;
        case common::NameToken:
            return NamePrimary(c, v);
        default:
            c = Enclosed(c, v);
            return c.p != nullptr;
    }
}

// A signed primary or a sum in parentheses.
template <typename Backend>
[[gnu::noinline]] auto EvaluatorCore::CommonGrammar<Backend>::Enclosed(Cursor c, Value& v) -> Cursor
{
    switch (c.token) {
        case '-':
        case '+': {
            const bool negate = c.token == '-';
            Next(c);
            if (common::IsSign(c.token)) return {};
            c = Nested(c, v);
            if (c.p == nullptr || (negate && !backend.Negate(v))) return {};
            return c;
        }
        case '(':
            Next(c);
            if (depth == common::NestingLimit) return {};
            ++depth;
            c = Sum(c, v);
            if (c.p == nullptr || c.token != ')') return {};
            --depth;
            Next(c);
            return c;
        default:
            return {};
    }
}

// The primary after a sign or a function, one level deeper.
template <typename Backend>
auto EvaluatorCore::CommonGrammar<Backend>::Nested(Cursor c, Value& v) -> Cursor
{
    if (depth == common::NestingLimit) return {};
    ++depth;
    const bool read = Primary(c, v);
    --depth;
    return read ? c : Cursor{};
}

}  // namespace tallyrix
