#include "cli/ProcessorPlacement.h"

#include <sched.h>

namespace tallyrix::cli {

int CurrentProcessor() { return sched_getcpu(); }

void StayOffProcessor(int processor)
{
    if (processor < 0 || processor >= CPU_SETSIZE) return;
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
    if (!CPU_ISSET(processor, &allowed) || CPU_COUNT(&allowed) < 2) return;
    CPU_CLR(processor, &allowed);
    // A refusal leaves the thread where the scheduler puts it, as before.
    sched_setaffinity(0, sizeof allowed, &allowed);
}

}  // namespace tallyrix::cli
