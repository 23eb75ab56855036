// The grammar: a recursive-descent evaluator that computes while it parses.
// Token carries the whole state: End stops every level, Invalid means the
// input is incomplete. A level that sees either after a sub-call returns at
// once and applies no operator, check or conversion to what it got.
#include "engine/Eval.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tallyrix {

namespace {

constexpr const char* WaitingForInput = "入力・修正待ち";
constexpr const char* DivisionByZero = "ゼロでのわり算";
constexpr double DivisorLimit = 1e-100;

// Arithmetic faults are found by looking at each result: an infinity from
// finite operands is an overflow, a NaN from operands that are numbers is an
// invalid operation. Quiet NaNs and infinities already present pass through.
double Checked(double result, double left, double right) {
    if (std::isinf(result) && std::isfinite(left) && std::isfinite(right)) {
        throw FloatingPointError(OverflowText);
    }
    if (std::isnan(result) && !std::isnan(left) && !std::isnan(right)) {
        throw FloatingPointError(InvalidOperationText);
    }
    return result;
}

// "!" takes the operand truncated to a 32-bit integer, without its sign; an
// operand that does not fit fails as the conversion would.
double Factorial(double operand) {
    if (!(std::fabs(operand) < 2147483648.0)) throw FloatingPointError(InvalidOperationText);
    long n = static_cast<long>(operand);
    if (n < 0) n = -n;
    double result = 1.0;
    for (; n > 1; --n) {
        result *= static_cast<double>(n);
        if (std::isinf(result)) throw FloatingPointError(OverflowText);
    }
    return result;
}

// Remainder truncated toward zero, with the sign of v.
double Remainder(double v, double r) {
    if (r == 0.0) return 0.0;
    if (!std::isfinite(r)) return v;
    if (v == 0.0 || !std::isfinite(v)) return 0.0;
    return std::fmod(v, r);
}

}  // namespace

const double PiValue = std::acos(-1.0);

Evaluator::Evaluator(MathErrorReporter reporter) : Reporter(std::move(reporter)) {
    RebuildIndex();
    SetVariable("pi", PiValue);
}

void Evaluator::Fail(const char* message) {
    ResultText.clear();
    MessageText.assign(message);
    Token = End;
    ErrorStop = true;
}

bool Evaluator::MissingOperand() {
    if (Token == Separator || (Token == End && !ErrorStop)) {
        Token = Invalid;
        return true;
    }
    return Token == End;
}

void Evaluator::Evaluate(std::string_view text) {
    ExpressionValues.clear();
    Source = text;
    SourceLength = text.size();
    Position = 1;
    ErrorStop = false;
    NextToken();
    if (Token == End) return;
    ParseStatements();
    if (Token == End) return;
    MessageText.assign(WaitingForInput);
    ResultText.clear();
}

std::string_view Evaluator::Formatted(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (!FormattedValid || bits != FormattedBits) {
        FormattedLength = FormatNumberTo(value, FormattedText);
        FormattedBits = bits;
        FormattedValid = true;
    }
    return {FormattedText, FormattedLength};
}

void Evaluator::AppendStatementValue(double value) {
    const std::string_view text = Formatted(value);
    MessageText.clear();
    ResultText.assign(text);
    char counter[16];
    char* end = std::to_chars(counter, counter + sizeof counter, StatementCount).ptr;
    ExpressionValues.push_back(std::string_view(counter, static_cast<std::size_t>(end - counter)), ": ", text);
}

void Evaluator::ParseStatements() {
    while (true) {
        if (Token == Separator) {
            NextToken();
            continue;
        }
        double value = 0.0;
        ParseExpression(value);
        ++StatementCount;
        if (Token != Separator) return;
        AppendStatementValue(value);
        NextToken();
    }
}

void Evaluator::ParseExpression(double& v) {
    ParseTerm(v);
    while (Token == Plus || Token == Minus) {
        const bool add = Token == Plus;
        NextToken();
        if (Token == Plus || Token == Minus) {
            Token = Invalid;
            return;
        }
        if (MissingOperand()) return;
        double r = 0.0;
        ParseTerm(r);
        if (Stopped()) return;
        v = Checked(add ? v + r : v - r, v, r);
    }
}

void Evaluator::ParseTerm(double& v) {
    ParsePower(v);
    while (Token == Times || Token == Divide) {
        const bool multiply = Token == Times;
        NextToken();
        if (MissingOperand()) return;
        double r = 0.0;
        ParsePower(r);
        if (Stopped()) return;
        if (multiply) {
            v = Checked(r * v, r, v);
        } else if (r > DivisorLimit || r < -DivisorLimit) {
            v = Checked(v / r, v, r);
        } else {
            return Fail(DivisionByZero);
        }
    }
}

void Evaluator::ParsePower(double& v) {
    ParsePrimary(v);
    while (!Stopped()) {
        if (Token == Power || Token == Modulo) {
            const bool power = Token == Power;
            NextToken();
            if (MissingOperand()) return;
            double r = 0.0;
            ParsePrimary(r);
            if (Stopped()) return;
            v = power ? RaisePower(v, r) : Remainder(v, r);
        } else if (Token == Bang) {
            v = Factorial(v);
            NextToken();
            return;
        } else {
            return;
        }
    }
}

void Evaluator::ParsePrimary(double& v) {
    switch (Token) {
    case End:
    case Separator:
        return;
    case Number:
        // Taken before NextToken, which may scan the next literal.
        v = NumberValue;
        NextToken();
        return;
    case Minus:
    case Plus: {
        const bool negate = Token == Minus;
        NextToken();
        if (Token == Plus || Token == Minus) {
            Token = Invalid;
            return;
        }
        if (MissingOperand()) return;
        ParsePrimary(v);
        if (negate && !Stopped()) v = -v;
        return;
    }
    case LeftParen:
        NextToken();
        if (MissingOperand()) return;
        ParseExpression(v);
        if (Token == RightParen) {
            NextToken();
        } else if (Token != End) {
            Token = Invalid;
        }
        return;
    case Name:
        ParseName(v);
        return;
    default:
        Token = Invalid;
        return;
    }
}

}  // namespace tallyrix
