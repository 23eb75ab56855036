#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/TextCodec.h"
#include "registry/FieldList.h"

namespace tallyrix {
namespace {

using namespace std::string_literals;
using Fields = std::vector<std::string>;

struct SplitCase {
    std::string line;
    Fields fields;
};

TEST(SplitFields, ReadsLinesAsTheDialogAndHandsWriteThem)
{
    // clang-format off
    const SplitCase cases[] = {
        {"g,9.80665,重力加速度", {"g", "9.80665", "重力加速度"}},
        {"a b,1", {"a", "b", "1"}},
        {"k,5,", {"k", "5"}},
        {"k,,tip", {"k", "", "tip"}},
        {"c2, 1.5E+2 ,", {"c2", "1.5E+2"}},
        {R"("a,b",2,"say ""hi""")", {"a,b", "2", R"(say "hi")"}},
        {"s,,", {"s", ""}},
        {"half,1/2,", {"half", "1/2"}},
        {"\"x y\",1,", {"x y", "1"}},
        {"", {}},
        {" \t ", {}},
        {",", {""}},
        {",5", {"", "5"}},
        {"  lead,\t1", {"lead", "1"}},
        {"a , b", {"a", "b"}},
        {"a\x1F" "b", {"a", "b"}},
        {"\"open,ended", {"open,ended"}},
        {"\"q\"rest,1", {"q", "rest", "1"}},
        {"\"\",x", {"", "x"}},
        {"a\0b,c"s, {"a"}},
        {"\"a\0b\",c"s, {"a"}},
        {"円周率,3.14159,ﾊﾟｲ|円の周と径の比", {"円周率", "3.14159", "ﾊﾟｲ|円の周と径の比"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(SplitFields(c.line), c.fields) << c.line;
}

// In code page 932 the second byte of "ソ" is "\" and of "ポ" is "|"; read
// through the codec they stay whole characters of their fields.
TEST(SplitFields, JapaneseFromShiftJisStaysWhole)
{
    const struct {
        std::string bytes;
        Fields fields;
    } cases[] = {
        {"\x83\x5C\x81\x5B\x83\x58,1,\x83\x7C\x83\x43\x83\x93\x83\x67", {"ソース", "1", "ポイント"}},
        {"\"\x95\x5C \x8E\xA6\",\x94\x5C", {"表 示", "能"}},
        {"\xB5\xB0\xCA\xDE\xB0\xCC\xDB\xB0,x", {"ｵｰﾊﾞｰﾌﾛｰ", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitFields(DecodeText(c.bytes).text), c.fields) << DecodeText(c.bytes).text;
}

struct JoinCase {
    Fields fields;
    std::string line;
};

TEST(JoinFields, QuotesOnlyWhatNeedsIt)
{
    const JoinCase cases[] = {
        {{"g", "9.80665", ""}, "g,9.80665,"},
        {{"s", "", ""}, "s,,"},
        {{"x y", "1", ""}, "\"x y\",1,"},
        {{"a,b", "2", R"(say "hi")"}, R"("a,b",2,"say ""hi""")"},
        {{"t", "a\tb", "\x01"}, "t,\"a\tb\",\"\x01\""},
        {{"\"", "", "q"}, R"("""",,q)"},
        {{"計算", "1/3", "ﾋﾝﾄ|長い説明"}, "計算,1/3,ﾋﾝﾄ|長い説明"},
        {{}, ""},
        {{"only"}, "only"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinFields(c.fields), c.line) << c.line;
}

// What the dialog writes reads back as the same fields, but for the empty
// last field of an entry without a hint.
TEST(JoinFields, ReadsBackAsTheSameFields)
{
    // clang-format off
    const Fields rows[] = {
        {"a,b", "2", R"(say "hi")"},
        {" lead", "trail ", "mid dle"},
        {"名前", "値", "ヒント"},
        {"", "x", "y"},
        {"e", "", "hint"},
        {"\"\"", ",", " "},
    };
    // clang-format on
    for (const Fields& fields : rows)
        EXPECT_EQ(SplitFields(JoinFields(fields)), fields) << JoinFields(fields);
    EXPECT_EQ(SplitFields(JoinFields({"g", "1", ""})), (Fields{"g", "1"}));
}

}  // namespace
}  // namespace tallyrix
