// Key releases sharing recalculations: releases stand for keystrokes that
// each change the text; a recalculation shows the text as it is then.
#include <gtest/gtest.h>

#include <stdexcept>

#include "document/ReleaseBatch.h"

namespace tallyrix {
namespace {

struct Typing {
    TReleaseBatch batch;
    int waiting = 0;       // keystrokes queued behind the first release
    int inMessageBox = 0;  // keystrokes delivered while the first recalculation runs
    int typed = 0;
    std::vector<int> shown;  // the text each recalculation showed

    void Keystroke()
    {
        ++typed;
        batch.Released([this] { Deliver(waiting); }, [this] { Recalculate(); });
    }
    void Deliver(int& keystrokes)
    {
        for (; keystrokes > 0; --keystrokes)
            Keystroke();
    }
    void Recalculate()
    {
        shown.push_back(typed);
        Deliver(inMessageBox);
    }
};

TEST(ReleaseBatch, OneRecalculationServesTheReleasesWaiting)
{
    const struct {
        const char* name;
        int waiting;
        int inMessageBox;
        std::vector<int> shown;
    } cases[] = {
        {"a release alone recalculates at once", 0, 0, {1}},
        {"releases waiting behind it share it", 3, 0, {4}},
        {"a release during the recalculation gets one more", 0, 1, {1, 2}},
        {"both", 2, 2, {3, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Typing typing;
        typing.waiting = c.waiting;
        typing.inMessageBox = c.inMessageBox;
        typing.Keystroke();
        EXPECT_EQ(typing.shown, c.shown);
    }
}

TEST(ReleaseBatch, AFailedRecalculationLeavesTheNextReleaseItsOwn)
{
    TReleaseBatch batch;
    const auto nothing = [] {};
    EXPECT_THROW(batch.Released(nothing, [] { throw std::runtime_error("overflow"); }), std::runtime_error);
    int recalculations = 0;
    batch.Released(nothing, [&] { ++recalculations; });
    EXPECT_EQ(recalculations, 1);
}

}  // namespace
}  // namespace tallyrix
