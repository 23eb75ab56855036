// Key releases that come faster than recalculations finish share one
// recalculation: before recalculating, the input already waiting is
// delivered, and the releases in it join the recalculation on its way. A
// release with nothing waiting behind it recalculates at once, and the last
// recalculation always follows the last release, so the display ends as if
// each release had recalculated.
#pragma once

#include <functional>

namespace tallyrix {

class TReleaseBatch {
public:
    using Work = std::function<void()>;
    // deliverWaiting hands over the events already waiting, which may call
    // Released again; recalculate is what one batch of releases needs.
    void Released(const Work& deliverWaiting, const Work& recalculate);

private:
    bool Delivering = false;
    bool Owed = false;
};

}  // namespace tallyrix
