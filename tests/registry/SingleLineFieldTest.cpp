// A line break or tab pasted into a register-dialog cell must not reach
// Registered.txt raw: it would cut the entry in two at the next start.
#include <gtest/gtest.h>

#include "registry/FieldList.h"
#include "registry/RegisteredFile.h"

namespace tallyrix {
namespace {

TEST(SingleLineField, BreaksAndTabsBecomeSpaces)
{
    const struct {
        std::string field;
        std::string expected;
    } cases[] = {
        {"a\r\nb", "a b"},
        {"a\rb\nc", "a b c"},
        {"\ttab\t", " tab "},
        {"a\n\nb", "a  b"},
        {"v\vf\f", "v f "},
        {"x\xC2\x85y\xE2\x80\xA8z\xE2\x80\xA9", "x y z "},
        {"重力\xE2\x80\xA8加速度", "重力 加速度"},
        {"\xE2\x80", "\xE2\x80"},  // a cut character is left alone
        {"plain, \"quoted\"", "plain, \"quoted\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SingleLineField(c.field), c.expected) << c.field;
}

TEST(SingleLineField, EachRowStaysOneEntryInTheFile)
{
    const std::vector<EntryRow> rows = {
        {"g", "9.8\r\n", "重力\n加速度"},
        {"note", "line one\nline two\tend", ""},
    };
    const std::vector<std::string> lines = EntryLinesFromRows(rows, false);
    const std::vector<std::string> reread = SplitRegisteredText(JoinRegisteredLines(lines));
    ASSERT_EQ(reread.size(), 2u);
    EXPECT_EQ(SplitFields(reread[0]), (std::vector<std::string>{"g", "9.8 ", "重力 加速度"}));
    EXPECT_EQ(SplitFields(reread[1]), (std::vector<std::string>{"note", "line one line two end"}));
}

}  // namespace
}  // namespace tallyrix
