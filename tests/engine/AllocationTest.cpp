// The evaluation path allocates only for the lines it appends to the two
// lists, never per operator or operand.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/Eval.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tallyrix {
namespace {

long AllocationsFor(Evaluator& evaluator, const std::string& text)
{
    evaluator.ResetVariables(1);
    const long before = allocations.load();
    evaluator.Evaluate(text);
    return allocations.load() - before;
}

std::string LongExpression(int terms)
{
    std::string text = "x=1";
    for (int i = 0; i < terms; ++i)
        text += "+sin(x*2.5)^2-(3%2)*abs -1.5e-3/x!+pi";
    return text + ";@";
}

TEST(Allocation, PerOperatorWorkDoesNotAllocate)
{
    Evaluator evaluator;
    const std::string small = LongExpression(1);
    const std::string large = LongExpression(2000);
    AllocationsFor(evaluator, large);  // lets the lists reach their capacity
    EXPECT_EQ(AllocationsFor(evaluator, large), AllocationsFor(evaluator, small));
}

TEST(Allocation, DeepNestingReusesTheStackOfTheEvaluationBefore)
{
    Evaluator evaluator;
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')') + ";@";
    AllocationsFor(evaluator, deep);  // grows the stack of pending operations once
    EXPECT_EQ(AllocationsFor(evaluator, deep), AllocationsFor(evaluator, "1;@"));
}

TEST(Allocation, EachStatementAddsAtMostItsLines)
{
    Evaluator evaluator;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "a" + std::to_string(i % 10) + "=" + std::to_string(i) + "*2;";
    text += "@";
    AllocationsFor(evaluator, text);
    // One ExpressionValues line and one VariableList line per statement;
    // short lines fit the strings' own buffer and may not allocate at all.
    EXPECT_LE(AllocationsFor(evaluator, text), 2 * 100);
}

}  // namespace
}  // namespace tallyrix
