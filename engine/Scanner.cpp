// The scanner: one token at a time from Source, never looking further ahead
// than one byte past the token (sixteen bytes are read at a time to find
// where a name or a run of digits ends, never past the text).
#include "engine/EvaluatorCore.h"
#include "engine/NameHash.h"
#include "engine/ScanSupport.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <utility>

namespace tallyrix {

using namespace scan;

namespace {

constexpr const char* TooManyExponents = "指数入力に誤りがあります";
constexpr const char* TooManyPoints = "小数点が多すぎます";
constexpr const char* PointInExponent = "指数部は2桁の整数です";

// An exponent that reaches this before its last digit makes the literal
// unconvertible.
constexpr int ExponentLimit = 500;

// The token of each byte that is a token by itself; Invalid for the rest.
constexpr std::array<std::int8_t, 256> SingleCharTokens = [] {
    std::array<std::int8_t, 256> tokens{};
    tokens.fill(Invalid);
    constexpr std::pair<char, TokenKind> Singles[] = {
        {'@', End},       {';', Separator},  {'+', Plus},   {'-', Minus}, {'*', Times},  {'/', Divide},
        {'(', LeftParen}, {')', RightParen}, {'=', Assign}, {'^', Power}, {'%', Modulo}, {'!', Bang},
    };
    for (const auto& [c, token] : Singles)
        tokens[static_cast<unsigned char>(c)] = static_cast<std::int8_t>(token);
    return tokens;
}();

// strtold in the "C" locale, so that the user's locale never changes what
// the decimal point is.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

[[noreturn]] void ThrowNotANumber(const std::string& text)
{
    throw ConversionError("'" + text + "' は浮動小数点数ではありません");
}

// Powers of ten that a long double holds exactly (5^27 < 2^64).
constexpr int ExactPowerLimit = 27;
constexpr std::array<long double, ExactPowerLimit + 1> ExactPowers = [] {
    std::array<long double, ExactPowerLimit + 1> powers{};
    powers[0] = 1.0L;
    for (int i = 1; i <= ExactPowerLimit; ++i)
        powers[i] = powers[i - 1] * 10.0L;
    return powers;
}();
long double ExactPowerOfTen(int n) { return ExactPowers[static_cast<std::size_t>(n)]; }

// For d = 5^n: the inverse of d modulo 2^64 and the largest quotient by d.
// x * inverse is x / d when d divides x, and exceeds the limit when not.
constexpr std::uint64_t InverseModulo(std::uint64_t d)
{
    std::uint64_t inverse = d;  // right in 3 bits; each step doubles them
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - d * inverse;
    return inverse;
}
constexpr std::uint64_t FivePower(int n) { return n == 0 ? 1 : 5 * FivePower(n - 1); }
constexpr auto FivePowerInverses = [] {
    std::array<std::uint64_t, ExactPowerLimit + 1> inverses{};
    for (int n = 0; n <= ExactPowerLimit; ++n)
        inverses[n] = InverseModulo(FivePower(n));
    return inverses;
}();
constexpr auto FivePowerQuotientLimits = [] {
    std::array<std::uint64_t, ExactPowerLimit + 1> limits{};
    for (int n = 0; n <= ExactPowerLimit; ++n)
        limits[n] = ~std::uint64_t{0} / FivePower(n);
    return limits;
}();
// 2^-n, exact.
constexpr auto HalfPowers = [] {
    std::array<double, ExactPowerLimit + 1> powers{};
    powers[0] = 1.0;
    for (int n = 1; n <= ExactPowerLimit; ++n)
        powers[n] = powers[n - 1] / 2;
    return powers;
}();

// A literal's value gathered while it is scanned, straight from the source
// bytes: digits, at most one point, at most one "e"/"E" with a sign only
// right after it, and commas, which count for nothing.
class LiteralValue {
public:
    void Take(unsigned char c)
    {
        if (InExponent) return TakeExponent(c);
        if (c == 'e' || c == 'E') {
            InExponent = true;
        } else if (c == '.') {
            AfterPoint = true;
        } else if (c != ',') {
            TakeDigit(c);
        }
    }

    // The value rounded to double; the mantissa and the power of ten are
    // combined in extended precision. literal is the scanned source text.
    double Value(std::string_view literal) const
    {
        if (ExponentTooLarge) ThrowNotANumber(WithoutCommas(literal));
        if (Digits == 0) return 0.0;
        const int exponent = NegativeExponent ? -Exponent : Exponent;
        const int scale = exponent - FractionDigits;
        if (Significant <= 19 && scale >= -ExactPowerLimit && scale <= ExactPowerLimit) {
            return ScaledValue(Digits, scale);
        }
        // More digits than the fast path holds, or a power of ten that is
        // not exact: the C library rounds the mantissa's text.
        std::string canonical = WithoutCommas(literal);
        canonical.resize(std::min(canonical.find_first_of("eE"), canonical.size()));
        canonical += 'e';
        canonical += std::to_string(exponent);
        const double value = static_cast<double>(strtold_l(canonical.c_str(), nullptr, CLocale()));
        if (std::isinf(value)) throw FloatingPointError(OverflowText);
        return value;
    }

private:
    void TakeDigit(unsigned char c)
    {
        // Leading zeros are not significant; they only move the point.
        if (Significant == 0 && c == '0') {
            FractionDigits += AfterPoint;
            return;
        }
        if (++Significant <= 19) {
            Digits = Digits * 10 + static_cast<std::uint64_t>(c - '0');
            FractionDigits += AfterPoint;
        }
    }

    void TakeExponent(unsigned char c)
    {
        if (c == '-') {
            NegativeExponent = true;
        } else if (IsDigit(c)) {
            // Too large already before its last digit: no double is near.
            if (Exponent >= ExponentLimit) {
                ExponentTooLarge = true;
            } else {
                Exponent = Exponent * 10 + (c - '0');
            }
        }
    }

    static std::string WithoutCommas(std::string_view literal)
    {
        std::string text;
        for (const char c : literal) {
            if (c != ',') text += c;
        }
        return text;
    }

    std::uint64_t Digits = 0;  // up to 19 significant digits, exactly
    int Significant = 0;       // significant digits seen (leading zeros skipped)
    int FractionDigits = 0;    // digits after the point that are in Digits
    int Exponent = 0;
    bool AfterPoint = false;
    bool InExponent = false;
    bool NegativeExponent = false;
    bool ExponentTooLarge = false;
};

}  // namespace

double scan::ScaledValue(std::uint64_t digits, int scale)
{
    // Whole numbers and binary fractions ("4", "0.25") are exact in
    // extended precision: their one rounding is the double's own.
    if (scale == 0) return static_cast<double>(digits);
    if (scale < 0) {
        const std::uint64_t quotient = digits * FivePowerInverses[-scale];
        if (quotient <= FivePowerQuotientLimits[-scale]) return static_cast<double>(quotient) * HalfPowers[-scale];
    }
    // Both factors are exact, so the one rounding of this product or
    // quotient is the correctly rounded extended value.
    const auto extended = static_cast<long double>(digits);
    const double value =
        static_cast<double>(scale >= 0 ? extended * ExactPowerOfTen(scale) : extended / ExactPowerOfTen(-scale));
    if (std::isinf(value)) throw FloatingPointError(OverflowText);
    return value;
}

unsigned char EvaluatorCore::CharAt(std::size_t position) const
{
    return position >= 1 && position <= SourceLength ? static_cast<unsigned char>(Source[position - 1]) : 0;
}

void EvaluatorCore::NextToken()
{
    const char* const text = Source.data();
    std::size_t next = Position - 1;  // 0-based index of the next byte
    PreviousTokenEnd = next;
    unsigned char c;
    do {
        c = next < SourceLength ? static_cast<unsigned char>(text[next]) : 0;
        ++next;
    } while (Is(c, Blank));
    Position = next + 1;

    const std::uint8_t kind = Classes[c];
    if ((kind & NumberStart) != 0) {
        if (!ScanShortInteger(c)) ScanNumber(c);
    } else if ((kind & Letter) != 0) {
        ScanName();
    } else {
        Token = SingleCharTokens[c];
    }
}

// Most literals of a document are one or two digits ("2", "32"): read here
// without the general scan, when the byte after them cannot continue them.
[[gnu::always_inline]] inline bool EvaluatorCore::ScanShortInteger(unsigned char first)
{
    const std::size_t next = Position - 1;  // 0-based index of the byte after first
    const unsigned high = first - '0';
    if (high > 9 || next + 1 >= SourceLength) return false;
    const auto ends = [](unsigned char c) { return !IsLiteralChar(c) || c == '+' || c == '-'; };
    const auto second = static_cast<unsigned char>(Source[next]);
    unsigned value = high;
    std::size_t end = next;  // 0-based index of the byte after the literal
    if (!ends(second)) {
        const unsigned low = second - '0';
        if (low > 9 || !ends(static_cast<unsigned char>(Source[next + 1]))) return false;
        value = high * 10 + low;
        end = next + 1;
    }
    NumberValue = static_cast<double>(value);
    Position = end + 1;
    Token = Number;
    return true;
}

// Most longer literals are digits with at most one point ("4", "0.25"), 19 digits
// at most, and end at a byte that cannot continue them. Those are read here
// in one pass; any other literal returns false, having changed nothing.
bool EvaluatorCore::ScanPlainNumber(std::size_t start)
{
    const char* const text = Source.data();
    // Up to eight digits before and after the point, found sixteen bytes at
    // a time and converted eight at a time; longer ones are read below.
    if (std::size_t length = 0; start + 24 <= SourceLength && ReadPlainLiteral(text + start, NumberValue, length)) {
        Position = start + length + 1;
        Token = Number;
        return true;
    }
    const char* const end = text + SourceLength;
    const char* p = text + start;
    std::uint64_t digits = 0;
    const auto takeDigits = [&] {
        for (unsigned digit; p < end && (digit = static_cast<unsigned char>(*p) - '0') <= 9; ++p) {
            digits = digits * 10 + digit;
        }
    };
    takeDigits();
    const char* const point = p;
    if (p < end && *p == '.') {
        ++p;
        takeDigits();
    }
    const int fractionDigits = p == point ? 0 : static_cast<int>(p - point - 1);
    // Leading zeros count here too: 19 digits in all never overflow.
    if (p - (text + start) - (p == point ? 0 : 1) > 19) return false;
    if (p < end && IsLiteralChar(static_cast<unsigned char>(*p)) && *p != '+' && *p != '-') return false;
    NumberValue = digits == 0 ? 0.0 : ScaledValue(digits, -fractionDigits);
    Position = static_cast<std::size_t>(p - text) + 1;
    Token = Number;
    return true;
}

void EvaluatorCore::ScanNumber(unsigned char first)
{
    const std::size_t start = Position - 2;  // 0-based index of the first byte
    if (ScanPlainNumber(start)) return;
    LiteralValue literal;
    bool exponentSeen = false;
    bool pointSeen = false;
    unsigned char c = first;
    while (IsLiteralChar(c)) {
        if (c == 'e' || c == 'E') {
            if (exponentSeen) return FailInLiteral(TooManyExponents);
            exponentSeen = true;
        } else if (c == '.') {
            if (pointSeen) return FailInLiteral(TooManyPoints);
            if (exponentSeen) return FailInLiteral(PointInExponent);
            pointSeen = true;
        }
        literal.Take(c);
        const unsigned char next = CharAt(Position);
        if ((next == '+' || next == '-') && c != 'e' && c != 'E') break;
        ++Position;
        c = next;
        if (!IsLiteralChar(c)) --Position;
    }
    NumberValue = literal.Value(Source.substr(start, Position - 1 - start));
    Token = Number;
}

[[gnu::always_inline]] inline void EvaluatorCore::ScanName()
{
    const std::size_t first = Position - 2;  // 0-based index of the first letter
    const char* const text = Source.data();
    std::size_t end = first + 1;
    bool open = true;  // whether the name may go on from end
    if (first + 16 <= SourceLength) {
        const int run = TrailingOnes(NameTailBytes(text + first));
        end = first + static_cast<std::size_t>(run);
        open = run == 16;
    }
    if (open && !Is(static_cast<unsigned char>(text[SourceLength - 1]), NameTail)) {
        // The text's last byte ends every name: no need to watch the length.
        while (Is(static_cast<unsigned char>(text[end]), NameTail))
            ++end;
    } else if (open) {
        while (end < SourceLength && Is(static_cast<unsigned char>(text[end]), NameTail))
            ++end;
    }
    Position = end + 1;
    const std::size_t length = end - first;
    if (length > MaxNameLength) {
        // Refused rather than cut short, so that two long names never alias.
        Token = Invalid;
        return;
    }
    TokenName = std::string_view(text + first, length);
    TokenWord = SourceWord(TokenName);
    TokenHash = TokenWord != 0 ? NameHashOfWord(TokenWord) : NameHash(TokenName);
    Token = Name;
}

}  // namespace tallyrix
