// Only the lines two texts do not share at their start and end change: the
// text shown with a line feed between lines, the new lines with one after
// each.
#include <gtest/gtest.h>

#include <string>

#include "document/ShownLines.h"

namespace tallyrix {
namespace {

TEST(ShownLinesTest, TheLinesBetweenWhatBothShareChange)
{
    struct Row {
        const char* what;
        std::string_view before;
        std::string_view after;
        LineChange change;
    };
    // clang-format off
    const Row rows[] = {
        {"the same",               "a\nb",        "a\nb\n",       {2, 0, ""}},
        {"a value in the middle",  "a\nb\nc",     "a\nbb\nc\n",   {1, 1, "bb\n"}},
        {"a line added at the end", "a\nb",       "a\nb\nc\n",    {2, 0, "c\n"}},
        {"a line inserted",        "a\nc",        "a\nb\nc\n",    {1, 0, "b\n"}},
        {"a line removed",         "a\nb\nc",     "a\nc\n",       {1, 1, ""}},
        {"the last line removed",  "a\nb",        "a\n",          {1, 1, ""}},
        {"a line grown at its start", "a\nb",     "a\nxb\n",      {1, 1, "xb\n"}},
        {"the first line",         "1: 5\n2: 6",  "1: 7\n2: 6\n", {0, 1, "1: 7\n"}},
        {"a repeated line added",  "x\nx",        "x\nx\nx\n",    {2, 0, "x\n"}},
        {"everything",             "a",           "b\nc\n",       {0, 1, "b\nc\n"}},
        {"long lines, a digit apart", "1: 1234567890123456789\n2: 98765432109876543210",
                                   "1: 1234567890123456789\n2: 98765432109876543211\n",
                                   {1, 1, "2: 98765432109876543211\n"}},
        {"long lines, one inserted", "1: 1234567890123456789\n3: 98765432109876543210",
                                   "1: 1234567890123456789\n2: 5\n3: 98765432109876543210\n",
                                   {1, 0, "2: 5\n"}},
        {"names in kanji, kept",   "円周: 3.14159265358979\n半径: 2\n面積: 12.5663706143592",
                                   "円周: 3.14159265358979\n半径: 3\n面積: 12.5663706143592\n",
                                   {1, 1, "半径: 3\n"}},
        {"a kanji changed",        "円周: 1\n半径: 2\n面積: 3", "円周: 1\n半分: 2\n面積: 3\n", {1, 1, "半分: 2\n"}},
        {"beyond the first plane", "a\n\U0001F600: 1\nb",  "a\n\U0001F600: 2\nb\n",      {1, 1, "\U0001F600: 2\n"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ChangedLines(row.before, row.after), row.change);
    }
}

}  // namespace
}  // namespace tallyrix
