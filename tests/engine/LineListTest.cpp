// A LineList grows from room it has not written yet and moves its buffer as
// it grows: its lines must come through every growth, truncation and copy
// as a list of strings holding the same lines would.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/LineList.h"

namespace tallyrix {
namespace {

enum class Step { Append, Truncate, AppendOwnTail, CopyAndSwap };

struct Change {
    Step step;
    std::size_t count;   // lines appended, kept, or the first line copied
    std::size_t length;  // of each line appended
};

std::string LineNumbered(std::size_t n, std::size_t length)
{
    std::string line = std::to_string(n) + ":";
    line.resize(length, static_cast<char>('a' + n % 26));
    return line;
}

void Apply(const Change& change, LineList& list, std::vector<std::string>& expected)
{
    switch (change.step) {
        case Step::Append:
            for (std::size_t i = 0; i < change.count; ++i) {
                expected.push_back(LineNumbered(expected.size(), change.length));
                const std::string_view line = expected.back();
                const std::size_t cut = std::min<std::size_t>(3, line.size());  // in two parts
                list.push_back(line.substr(0, cut), line.substr(cut));
            }
            break;
        case Step::Truncate:
            list.truncate(change.count);
            if (change.count < expected.size()) expected.resize(change.count);
            break;
        case Step::AppendOwnTail: {
            const LineList copy = list;
            list.AppendLines(copy, change.count);
            for (std::size_t i = change.count; i < copy.size(); ++i)
                expected.push_back(expected[i]);
            break;
        }
        case Step::CopyAndSwap: {
            LineList copy;
            copy = list;
            LineList moved(std::move(copy));
            list.clear();
            list.swap(moved);
            break;
        }
    }
}

TEST(LineList, KeepsItsLinesThroughGrowthTruncationAndCopies)
{
    // clang-format off
    const std::vector<Change> changes = {
        {Step::Append,         1,     5},
        {Step::Append,        40,    10},   // past the first buffer
        {Step::Truncate,      12,     0},
        {Step::Append,      5000,   120},   // a block large enough to move on its own
        {Step::Truncate,    5100,     0},   // more than it holds: nothing goes
        {Step::AppendOwnTail, 4000,   0},
        {Step::CopyAndSwap,    0,     0},
        {Step::Truncate,       0,     0},
        {Step::Append,     20000,    60},   // into the room left by the truncation, then past it
        {Step::AppendOwnTail,  0,     0},
        {Step::Truncate,       3,     0},
        {Step::Append,         2,     1},
    };
    // clang-format on
    LineList list;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        Apply(changes[i], list, expected);
        ASSERT_TRUE(list == expected) << "after change " << i;
        std::string joined;
        for (const std::string& line : expected)
            joined.append(line).append(1, '\n');
        ASSERT_EQ(list.Text(), joined) << "after change " << i;
    }
}

}  // namespace
}  // namespace tallyrix
