// What the scanner and the grammar of common statements both read text
// with: the classes of bytes, sixteen bytes tested at a time, and plain
// literals converted eight digits at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tallyrix::scan {

// Character classes, looked up once per byte.
enum : std::uint8_t { Blank = 1, Digit = 2, Letter = 4, NameTail = 8, LiteralPart = 16, NumberStart = 32 };

constexpr std::array<std::uint8_t, 256> MakeClasses()
{
    std::array<std::uint8_t, 256> classes{};
    classes[' '] = classes['\t'] = classes['\n'] = Blank;
    for (int c = '0'; c <= '9'; ++c)
        classes[c] = Digit | NameTail | LiteralPart | NumberStart;
    for (int c = 'A'; c <= 'Z'; ++c)
        classes[c] = Letter | NameTail;
    for (int c = 'a'; c <= 'z'; ++c)
        classes[c] = Letter | NameTail;
    classes['_'] = NameTail;
    for (const char c : {'.', 'e', 'E', '+', '-', ','})
        classes[static_cast<unsigned char>(c)] |= LiteralPart;
    classes['.'] |= NumberStart;
    return classes;
}
inline constexpr std::array<std::uint8_t, 256> Classes = MakeClasses();

// The helpers marked always_inline are called on every token; in the
// grammars' large bodies the compiler's own limits would leave them as calls.
[[gnu::always_inline]] inline bool Is(unsigned char c, std::uint8_t kind) { return (Classes[c] & kind) != 0; }
// The number of bits set below the lowest clear one, for masks of sixteen
// bytes (bits has a clear bit).
[[gnu::always_inline]] inline int TrailingOnes(unsigned bits) { return __builtin_ctz(~bits); }

inline bool IsDigit(unsigned char c) { return Is(c, Digit); }
inline bool IsLiteralChar(unsigned char c) { return Is(c, LiteralPart); }

#ifdef __SSE2__
// Bit i is set when text[i] is in [low, high], for the 16 bytes from text.
// Bytes from 0x80 on count as negative and are never in a range here.
[[gnu::always_inline]] inline __m128i InRange(__m128i bytes, char low, char high)
{
    return _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(high + 1))));
}

[[gnu::always_inline]] inline unsigned DigitBytes(const char* text)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    return static_cast<unsigned>(_mm_movemask_epi8(InRange(bytes, '0', '9')));
}

// Letters, digits and "_": the bytes that continue a name.
[[gnu::always_inline]] inline unsigned NameTailBytes(const char* text)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i letters = InRange(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), 'a', 'z');
    const __m128i others = _mm_or_si128(InRange(bytes, '0', '9'), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_')));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(letters, others)));
}
#else
// Bit i is set when the byte text[i] is of the kind, for the 16 bytes from text.
inline unsigned BytesOf(const char* text, std::uint8_t kind)
{
    unsigned bits = 0;
    for (unsigned i = 0; i < 16; ++i) {
        if (Is(static_cast<unsigned char>(text[i]), kind)) bits |= 1u << i;
    }
    return bits;
}
inline unsigned DigitBytes(const char* text) { return BytesOf(text, Digit); }
inline unsigned NameTailBytes(const char* text) { return BytesOf(text, NameTail); }
#endif

// The value of the count (at most 8) decimal digits from text, which may be
// read eight bytes on: the digits are moved to the top of a word, below them
// zeros act as leading zeros, and the bytes are combined in three steps.
[[gnu::always_inline]] inline std::uint64_t EightDigitsValue(const char* text, int count)
{
    if (count == 0) return 0;
    std::uint64_t word = 0;
    std::memcpy(&word, text, 8);
    word = (word - 0x3030303030303030ull) << (8 * (8 - count));
    word = word * 10 + (word >> 8);
    word = (((word & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
            (((word >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
           32;
    return word;
}

inline constexpr std::array<std::uint64_t, 9> SmallPowersOfTen = {1,      10,      100,      1000,     10000,
                                                                  100000, 1000000, 10000000, 100000000};

// digits x 10^scale rounded to double, for digits < 10^19 and |scale| at
// most 27. Throws FloatingPointError when a positive scale overflows.
double ScaledValue(std::uint64_t digits, int scale);

// A literal of digits with at most one point, at most eight digits on each
// side ("4", "0.25", ".5"), at text, of which 24 bytes may be read: its
// value and length. False, for any other literal, when the byte after it
// could continue it (a third digit group, "e", ",", another point).
inline bool ReadPlainLiteral(const char* text, double& value, std::size_t& length)
{
    const unsigned digitBytes = DigitBytes(text);
    const int whole = TrailingOnes(digitBytes);
    int fraction = 0;
    std::size_t end = static_cast<std::size_t>(whole);
    if (whole <= 8 && text[end] == '.') {
        fraction = TrailingOnes(digitBytes >> (whole + 1));
        end += 1 + static_cast<std::size_t>(fraction);
    }
    if (whole > 8 || fraction > 8) return false;
    const auto next = static_cast<unsigned char>(text[end]);
    if (IsLiteralChar(next) && next != '+' && next != '-') return false;
    const std::uint64_t digits =
        EightDigitsValue(text, whole) * SmallPowersOfTen[fraction] + EightDigitsValue(text + whole + 1, fraction);
    // A whole number is exact; only a fraction needs the scaling.
    value = fraction == 0 ? static_cast<double>(digits) : ScaledValue(digits, -fraction);
    length = end;
    return true;
}

}  // namespace tallyrix::scan
