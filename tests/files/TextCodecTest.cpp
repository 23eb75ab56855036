#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

#include "files/TextCodec.h"

namespace tallyrix {
namespace {

const char* EncodingName(TextEncoding encoding)
{
    switch (encoding) {
        case TextEncoding::ShiftJis:
            return "ShiftJis";
        case TextEncoding::Utf8:
            return "Utf8";
        case TextEncoding::Utf8WithBom:
            return "Utf8WithBom";
        case TextEncoding::Utf16Le:
            return "Utf16Le";
        case TextEncoding::Utf16Be:
            return "Utf16Be";
    }
    return "?";
}

struct DecodeCase {
    const char* label;
    std::string bytes;
    std::string text;
    TextEncoding encoding;
    std::size_t undecodable;
};

// Code page 932 as Windows has it: 0x5C and 0x7E are ASCII, the NEC and IBM
// rows are there, and a lead byte never lets its trail byte pass as ASCII.
TEST(DecodeText, ReadsBytesAsTheRulesSay)
{
    // clang-format off
    const DecodeCase cases[] = {
        {"empty", "", "", TextEncoding::ShiftJis, 0},
        {"ascii", "a=1;\r\nb", "a=1;\r\nb", TextEncoding::ShiftJis, 0},
        {"backslash and tilde", "\\~", "\\~", TextEncoding::ShiftJis, 0},
        {"hiragana", "\x82\xA0\x82\xA2", "あい", TextEncoding::ShiftJis, 0},
        {"kanji", "\x8C\x76\x8E\x5A", "計算", TextEncoding::ShiftJis, 0},
        {"trail byte 0x5C", "\x83\x5C\x83\x74\x83\x67", "ソフト", TextEncoding::ShiftJis, 0},
        {"fullwidth backslash", "\x81\x5F", "＼", TextEncoding::ShiftJis, 0},
        {"wave dash row", "\x81\x60", "～", TextEncoding::ShiftJis, 0},
        {"minus row", "\x81\x7C", "－", TextEncoding::ShiftJis, 0},
        {"NEC circled one", "\x87\x40", "①", TextEncoding::ShiftJis, 0},
        {"NEC-selected IBM row", "\xED\x40", "纊", TextEncoding::ShiftJis, 0},
        {"IBM row", "\xFA\x40\xFB\x40", "ⅰ\xE6\xB6\x96", TextEncoding::ShiftJis, 0},
        {"user-defined area", "\xF0\x40", "\xEE\x80\x80", TextEncoding::ShiftJis, 0},
        {"half-width katakana", "\xB5\xB0\xCA\xDE\xB0\xCC\xDB\xB0", "ｵｰﾊﾞｰﾌﾛｰ", TextEncoding::ShiftJis, 0},
        {"utf8", "計算 ①", "計算 ①", TextEncoding::Utf8, 0},
        {"utf8 with bom", "\xEF\xBB\xBF計算", "計算", TextEncoding::Utf8WithBom, 0},
        {"bom only", "\xEF\xBB\xBF", "", TextEncoding::Utf8WithBom, 0},
        {"bom before ascii", "\xEF\xBB\xBF" "a", "a", TextEncoding::Utf8WithBom, 0},
        {"overlong utf8 is not utf8", "\xC0\xAF", "ﾀｯ", TextEncoding::ShiftJis, 0},
        {"utf8 surrogate is not utf8", "\xED\xA0\x80", "恝\xEF\x9E\x80", TextEncoding::ShiftJis, 1},
        {"byte 0x80", "a\x80" "b", "a\xEF\x9E\x80" "b", TextEncoding::ShiftJis, 1},
        {"bytes 0xA0 0xFD-0xFF", "\xA0\xFD\xFE\xFF", "\xEF\x9E\xA0\xEF\x9F\xBD\xEF\x9F\xBE\xEF\x9F\xBF",
         TextEncoding::ShiftJis, 4},
        {"lead byte at the end", "a\x82", "a\xEF\x9E\x82", TextEncoding::ShiftJis, 1},
        {"lead byte before a comma", "\x82,1", "\xEF\x9E\x82,1", TextEncoding::ShiftJis, 1},
        {"unassigned pair", "\x85\x40", "\xEF\x9E\x85@", TextEncoding::ShiftJis, 1},
        {"bad utf8 after bom", "\xEF\xBB\xBF" "a\xFF", "a\xEF\x9F\xBF", TextEncoding::Utf8WithBom, 1},
        {"bad utf8 without bom", "計\xFF", "計\xEF\x9F\xBF", TextEncoding::Utf8, 1},
        {"second bom", "\xEF\xBB\xBF\xEF\xBB\xBF" "a", "\xEF\xBB\xBF" "a", TextEncoding::Utf8WithBom, 0},
        // A text holding characters of U+F700-U+F7FF keeps its bytes in the
        // first free block of plane 15.
        {"escapes moved aside", "\xEF\xBB\xBF\xEF\x9F\xBF\xFF", "\xEF\x9F\xBF\xF3\xB0\x83\xBF", TextEncoding::Utf8WithBom, 1},
        {"utf16 le", "\xFF\xFE" "a\0\x08\x8A\x3D\xD8\x00\xDE\r\0\n\0"s, "a計😀\r\n", TextEncoding::Utf16Le, 0},
        {"utf16 be", "\xFE\xFF\0a\x8A\x08\xD8\x3D\xDE\x00"s, "a計😀", TextEncoding::Utf16Be, 0},
        {"utf16 lone surrogate and odd byte", "\xFF\xFE\x00\xD8" "a\0\x41"s,
         "\xEF\x9C\x80\xEF\x9F\x98" "a\xEF\x9D\x81", TextEncoding::Utf16Le, 3},
    };
    // clang-format on
    for (const auto& c : cases) {
        const DecodedText decoded = DecodeText(c.bytes);
        EXPECT_EQ(decoded.text, c.text) << c.label;
        EXPECT_STREQ(EncodingName(decoded.encoding), EncodingName(c.encoding)) << c.label;
        EXPECT_EQ(decoded.undecodableBytes, c.undecodable) << c.label;
    }
}

struct EncodeCase {
    const char* label;
    std::string text;
    TextEncoding preferred;
    std::string bytes;
    TextEncoding used;
};

TEST(EncodeText, WritesCodePage932WhenEveryCharacterFits)
{
    // clang-format off
    const EncodeCase cases[] = {
        {"ascii keeps its line ends", "a\r\nb\nc", TextEncoding::ShiftJis, "a\r\nb\nc", TextEncoding::ShiftJis},
        {"japanese", "計算", TextEncoding::ShiftJis, "\x8C\x76\x8E\x5A", TextEncoding::ShiftJis},
        {"circled one", "①", TextEncoding::ShiftJis, "\x87\x40", TextEncoding::ShiftJis},
        {"IBM kanji in the Windows form", "纊", TextEncoding::ShiftJis, "\xFA\x5C", TextEncoding::ShiftJis},
        {"because in row 1", "∵", TextEncoding::ShiftJis, "\x81\xE6", TextEncoding::ShiftJis},
        {"fullwidth tilde", "～", TextEncoding::ShiftJis, "\x81\x60", TextEncoding::ShiftJis},
        {"byte escape", "a\xEF\x9E\x80", TextEncoding::ShiftJis, "a\x80", TextEncoding::ShiftJis},
        // Characters that the converter would write but that read back as
        // something else: U+2212 reads back as U+FF0D, U+00A5 as "\".
        {"minus sign", "1−2", TextEncoding::ShiftJis, "\xEF\xBB\xBF" "1−2", TextEncoding::Utf8WithBom},
        {"yen sign", "¥", TextEncoding::ShiftJis, "\xEF\xBB\xBF¥", TextEncoding::Utf8WithBom},
        {"wave dash", "〜", TextEncoding::ShiftJis, "\xEF\xBB\xBF〜", TextEncoding::Utf8WithBom},
        {"emoji", "a😀", TextEncoding::ShiftJis, "\xEF\xBB\xBF" "a😀", TextEncoding::Utf8WithBom},
        {"tag character the converter drops", "a\xF3\xA0\x80\x81", TextEncoding::ShiftJis,
         "\xEF\xBB\xBF" "a\xF3\xA0\x80\x81", TextEncoding::Utf8WithBom},
        // ﾃｩ is C3 A9 in code page 932, which as a short text reads back as
        // itself; ten times it would read back as "é" ten times.
        {"katakana that looks like utf8", "ﾃｩ", TextEncoding::ShiftJis, "\xC3\xA9", TextEncoding::ShiftJis},
        {"long katakana that looks like utf8", "ﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩ", TextEncoding::ShiftJis, "\xEF\xBB\xBFﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩﾃｩ",
         TextEncoding::Utf8WithBom},
        // Two escapes that would join into the hiragana 0x82A0 stay bytes in
        // UTF-8, where they join into nothing.
        {"escapes that would join", "\xEF\x9E\x82\xEF\x9E\xA0", TextEncoding::ShiftJis, "\xEF\xBB\xBF\x82\xA0",
         TextEncoding::Utf8WithBom},
        // C3 A9 joins in both: the escapes are kept as the characters shown.
        {"escapes that join in every encoding", "\xEF\x9F\x83\xEF\x9E\xA9", TextEncoding::ShiftJis,
         "\xEF\xBB\xBF\xEF\x9F\x83\xEF\x9E\xA9", TextEncoding::Utf8WithBom},
        {"utf8 without a mark that would read as code page 932", "é", TextEncoding::Utf8, "\xEF\xBB\xBF\xC3\xA9",
         TextEncoding::Utf8WithBom},
        {"utf8 without a mark left with ascii", "a", TextEncoding::Utf8, "a", TextEncoding::Utf8},
        // U+F741 is no byte of any file read: as 0x41 it would read back as "A".
        {"escape block character below 0x80", "\xEF\x9D\x81", TextEncoding::ShiftJis, "\xEF\xBB\xBF\xEF\x9D\x81",
         TextEncoding::Utf8WithBom},
        {"utf16 le", "a\r\n😀", TextEncoding::Utf16Le, "\xFF\xFE" "a\0\r\0\n\0\x3D\xD8\x00\xDE"s,
         TextEncoding::Utf16Le},
        {"utf16 be", "a\xEF\x9E\x80", TextEncoding::Utf16Be, "\xFE\xFF\0a\x80"s, TextEncoding::Utf16Be},
        {"utf8 stays utf8", "計算", TextEncoding::Utf8, "計算", TextEncoding::Utf8},
        {"utf8 with bom stays", "計算", TextEncoding::Utf8WithBom, "\xEF\xBB\xBF計算", TextEncoding::Utf8WithBom},
        {"empty", "", TextEncoding::ShiftJis, "", TextEncoding::ShiftJis},
        // Without a mark a leading U+FEFF would be read as one.
        {"utf8 text opening with U+FEFF", "\xEF\xBB\xBF" "a", TextEncoding::Utf8, "\xEF\xBB\xBF\xEF\xBB\xBF" "a",
         TextEncoding::Utf8WithBom},
    };
    // clang-format on
    for (const auto& c : cases) {
        TextEncoding used = TextEncoding::Utf8;
        EXPECT_EQ(EncodeText(c.text, c.preferred, &used), c.bytes) << c.label;
        EXPECT_STREQ(EncodingName(used), EncodingName(c.used)) << c.label;
    }
}

// Whatever is written reads back as the text that was written.
TEST(EncodeText, NeverLosesACharacter)
{
    const std::string texts[] = {
        "1−2 ～ 〜 ¥ ‾ ‖ — ¢ £ ¬",
        "ﾃｩ",
        "é",
        "\xEF\x9E\x82\xEF\x9E\xA0",
        "\xEF\xBB\xBF"
        "a",
        "計算①😀",
    };
    for (const std::string& text : texts) {
        for (const TextEncoding preferred : {TextEncoding::ShiftJis, TextEncoding::Utf8, TextEncoding::Utf8WithBom,
                                             TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
            // A text read with unreadable bytes, and one read without.
            for (const char32_t escapes : {DefaultByteEscapes, char32_t{0}}) {
                const TextFormat format{preferred, {}, escapes};
                EXPECT_EQ(DecodeText(EncodeText(text, format)).text, text) << text << EncodingName(preferred);
            }
        }
    }
}

TEST(TextCodec, FilesComeBackByteForByte)
{
    const std::string files[] = {
        "\x8C\x76\x8E\x5A\x81\x46 \xB5\xB0\xCA\xDE\xB0\xCC\xDB\xB0 \x81\x60 \x81\x7C \x87\x40\r\n",  // 計算： ｵｰﾊﾞｰﾌﾛｰ
                                                                                                     // ～ － ①
        "\\100 ~ \x81\x5F\r\nx=1;\r\n",
        "\xF0\x40\xF9\xFC",  // user-defined characters
        "a\x80"
        "b\xA0\xFD\xFE\xFF\x82",        // undecodable bytes
        "\x85\x40\x81\x20",             // unassigned and broken pairs
        "計算 ｵｰﾊﾞｰﾌﾛｰ ～ − ①\r\n",     // UTF-8
        "\xEF\xBB\xBF計算 ～ − ①\r\n",  // UTF-8 with BOM
        "\xEF\xBB\xBF"
        "ascii",
    };
    for (const std::string& bytes : files) {
        const DecodedText decoded = DecodeText(bytes);
        EXPECT_EQ(EncodeText(decoded.text, decoded.encoding), bytes) << decoded.text;
    }
}

TEST(Cp932Spelling, KeepsTheFormsAFileUsed)
{
    // 纊 as NEC-selected IBM (ED40) and IBM (FA5C), ∵ as NEC (879A) and
    // row 1 (81E6), ¬ as NEC-selected IBM (EEF9) and row 1 (81CA).
    const std::string bytes = "\xED\x40\xFA\x5C\xED\x40 \x87\x9A\x81\xE6 \xEE\xF9\x81\xCA";
    TextFormat format;
    const DecodedText decoded = DecodeText(bytes, format);
    EXPECT_EQ(decoded.text, "纊纊纊 ∵∵ ￢￢");
    EXPECT_EQ(EncodeText(decoded.text, format), bytes);
    // Without the spelling every character takes the Windows form.
    EXPECT_EQ(EncodeText(decoded.text, decoded.encoding), "\xFA\x5C\xFA\x5C\xFA\x5C \x81\xE6\x81\xE6 \x81\xCA\x81\xCA");
    // A character added later follows the file's last form of it.
    EXPECT_EQ(EncodeText(decoded.text + "纊", format), bytes + "\xED\x40");
}

TEST(Cp932Spelling, RecordsNothingForWindowsForms)
{
    TextFormat format;
    DecodeText("\xFA\x5C\x81\xE6\x8C\x76", format);
    EXPECT_TRUE(format.spelling.forms.empty());
    format.spelling.forms[u'纊'] = {0x8C76};  // a form of another character is ignored
    EXPECT_EQ(EncodeText("纊", format), "\xFA\x5C");
}

struct LengthCase {
    const char* label;
    std::string text;
    std::size_t length;
};

TEST(Cp932Length, CountsCodePage932Bytes)
{
    const LengthCase cases[] = {
        {"empty", "", 0},
        {"ascii", "a=1;", 4},
        {"lone LF", "a\nb", 4},
        {"CR LF counts once", "a\r\nb", 4},
        {"lone CR", "a\rb", 4},
        {"LF CR is two breaks", "\n\r", 4},
        {"double-byte", "計算①～", 8},
        {"half-width katakana", "ｵｰﾊﾞｰﾌﾛｰ", 8},
        {"outside the code page counts two", "−😀", 4},
        {"byte escape is one byte", "\xEF\x9E\x80", 1},
        {"broken utf8 byte", "\xFF", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932Length(c.text), c.length) << c.label;
}

}  // namespace
}  // namespace tallyrix
