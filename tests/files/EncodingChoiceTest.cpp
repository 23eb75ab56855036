// The encoding a document's bytes are read in.
#include <gtest/gtest.h>

#include <string>

#include "files/EncodingChoice.h"

namespace tallyrix {
namespace {

std::string Times(int count, const std::string& text)
{
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

TEST(ChooseEncoding, MarkThenFewerUnreadableBytesThenShortTextsAsShiftJis)
{
    const struct {
        const char* label;
        std::string bytes;
        TextEncoding encoding;
        std::size_t markLength;
    } cases[] = {
        {"empty", "", TextEncoding::ShiftJis, 0},
        {"ascii", "a=1;\r\n", TextEncoding::ShiftJis, 0},
        {"utf-8 mark", "\xEF\xBB\xBFx", TextEncoding::Utf8WithBom, 3},
        {"utf-16 little-endian mark", "\xFF\xFEx", TextEncoding::Utf16Le, 2},
        {"utf-16 big-endian mark", "\xFE\xFF", TextEncoding::Utf16Be, 2},
        {"only code page 932 reads it", "\xB5\xB0\xCA\xDE\xB0\xCC\xDB\xB0", TextEncoding::ShiftJis, 0},
        {"only utf-8 reads it", "計算", TextEncoding::Utf8, 0},
        {"utf-8 with a bad byte", "計算\xFF", TextEncoding::Utf8, 0},
        {"code page 932 with a bad byte", "\x8C\x76\x8E\x5A\xFF", TextEncoding::ShiftJis, 0},
        // Both read these wholly: "ﾃｩ" or "é".
        {"short katakana", "\xC3\xA9", TextEncoding::ShiftJis, 0},
        {"eight pairs are short", Times(8, "\xC3\xA9"), TextEncoding::ShiftJis, 0},
        {"nine pairs are utf-8", Times(9, "\xC3\xA9"), TextEncoding::Utf8, 0},
        {"equally bad, short", "\xC3\xA9\xFF", TextEncoding::ShiftJis, 0},
        // Both read "ああ" wholly; three-byte characters are UTF-8's.
        {"three-byte characters", "ああ", TextEncoding::Utf8, 0},
        {"three-byte characters, equally bad", "ああ\xFF", TextEncoding::Utf8, 0},
    };
    for (const auto& c : cases) {
        const EncodingChoice choice = ChooseEncoding(c.bytes);
        EXPECT_EQ(choice.encoding, c.encoding) << c.label;
        EXPECT_EQ(choice.markLength, c.markLength) << c.label;
    }
}

}  // namespace
}  // namespace tallyrix
