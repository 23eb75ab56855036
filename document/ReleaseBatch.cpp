#include "document/ReleaseBatch.h"

namespace tallyrix {

void TReleaseBatch::Released(const Work& deliverWaiting, const Work& recalculate)
{
    Owed = true;
    if (Delivering) return;
    // Reset on the way out, a failed recalculation included.
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{Delivering};
    Delivering = true;
    deliverWaiting();
    // A release delivered while a recalculation ran (inside a message box it
    // showed) asks for one more.
    while (Owed) {
        Owed = false;
        recalculate();
    }
}

}  // namespace tallyrix
