// A LineList grows from room it has not written yet and moves its buffer as
// it grows: its lines must come through every growth, truncation and copy
// as a list of strings holding the same lines would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/LineList.h"

namespace tallyrix {
namespace {

enum class Step { Append, Truncate, AppendOwnTail, CopyAndSwap };

void Apply(Step step, std::size_t count, std::size_t length, LineList& list, std::vector<std::string>& expected)
{
    if (step == Step::Append) {
        for (std::size_t i = 0; i < count; ++i) {
            expected.push_back(std::string(length, static_cast<char>('a' + expected.size() % 26)));
            list.push_back(std::string_view(expected.back()).substr(0, length / 2),
                           std::string_view(expected.back()).substr(length / 2));
        }
    } else if (step == Step::Truncate) {
        list.truncate(count);
        if (count < expected.size()) expected.resize(count);
    } else if (step == Step::AppendOwnTail) {
        const LineList copy = list;
        list.AppendLines(copy, count);
        for (std::size_t i = count; i < copy.size(); ++i)
            expected.push_back(expected[i]);
    } else {
        LineList copy;
        copy = list;
        LineList moved(std::move(copy));
        list.clear();
        list.swap(moved);
    }
}

TEST(LineList, KeepsItsLinesThroughGrowthTruncationAndCopies)
{
    struct Change {
        Step step;
        std::size_t count, length;
    };
    // clang-format off
    const Change changes[] = {
        {Step::Append,           1,   5},
        {Step::Append,          40,  10},  // past the first buffer
        {Step::Truncate,        12,   0},
        {Step::Append,        5000, 120},  // a block large enough to move on its own
        {Step::Truncate,      5100,   0},  // more than it holds: nothing goes
        {Step::AppendOwnTail, 4000,   0},
        {Step::CopyAndSwap,      0,   0},
        {Step::Truncate,         0,   0},
        {Step::Append,       20000,  60},  // into the room left by the truncation, then past it
        {Step::AppendOwnTail,    0,   0},
        {Step::Truncate,         3,   0},
        {Step::Append,           2,   1},
    };
    // clang-format on
    LineList list;
    std::vector<std::string> expected;
    for (const Change& change : changes) {
        Apply(change.step, change.count, change.length, list, expected);
        ASSERT_TRUE(list == expected) << "at change " << &change - changes;
    }
}

}  // namespace
}  // namespace tallyrix
