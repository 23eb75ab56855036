// Only the lines two texts do not share at their start and end change.
#include <gtest/gtest.h>

#include "document/ShownLines.h"

namespace tallyrix {
namespace {

TEST(ShownLinesTest, TheLinesBetweenWhatBothShareChange)
{
    struct Row {
        const char* what;
        std::string_view before, after;
        LineChange change;
    };
    // clang-format off
    const Row rows[] = {
        {"the same",               "a\nb\n",       "a\nb\n",       {2, 0, ""}},
        {"a value in the middle",  "a\nb\nc\n",    "a\nbb\nc\n",   {1, 1, "bb\n"}},
        {"a line added at the end", "a\nb\n",      "a\nb\nc\n",    {2, 0, "c\n"}},
        {"a line inserted",        "a\nc\n",       "a\nb\nc\n",    {1, 0, "b\n"}},
        {"a line removed",         "a\nb\nc\n",    "a\nc\n",       {1, 1, ""}},
        {"a line grown at its start", "a\nb\n",    "a\nxb\n",      {1, 1, "xb\n"}},
        {"the first line",         "1: 5\n2: 6\n", "1: 7\n2: 6\n", {0, 1, "1: 7\n"}},
        {"a repeated line added",  "x\nx\n",       "x\nx\nx\n",    {2, 0, "x\n"}},
        {"everything",             "a\n",          "b\nc\n",       {0, 1, "b\nc\n"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ChangedLines(row.before, row.after), row.change);
    }
}

}  // namespace
}  // namespace tallyrix
