#include "cli/ProcessorPlacement.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <thread>
#include <vector>

namespace {

std::vector<int> AllowedProcessors()
{
    cpu_set_t allowed;
    sched_getaffinity(0, sizeof allowed, &allowed);
    std::vector<int> processors;
    for (int processor = 0; processor < CPU_SETSIZE; ++processor) {
        if (CPU_ISSET(processor, &allowed)) processors.push_back(processor);
    }
    return processors;
}

}  // namespace

// Each case runs on a thread of its own, whose processors it may change.
TEST(ProcessorPlacement, KeepsTheThreadOffTheProcessorOnlyWhereAnotherIsLeft)
{
    const std::vector<int> all = AllowedProcessors();
    if (all.size() < 2) GTEST_SKIP() << "one processor only";
    const struct {
        std::vector<int> allowed;
        int avoided;
        std::vector<int> expected;
    } cases[] = {{all, all[0], {all.begin() + 1, all.end()}}, {all, -1, all}, {{all[0]}, all[0], {all[0]}}};
    for (const auto& c : cases) {
        std::vector<int> placed;
        std::thread([&] {
            cpu_set_t allowed;
            CPU_ZERO(&allowed);
            for (const int processor : c.allowed)
                CPU_SET(processor, &allowed);
            sched_setaffinity(0, sizeof allowed, &allowed);
            tallyrix::cli::StayOffProcessor(c.avoided);
            placed = AllowedProcessors();
        }).join();
        EXPECT_EQ(placed, c.expected) << "avoiding " << c.avoided;
    }
}
