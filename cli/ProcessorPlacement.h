// Where the threads that help a streamed evaluation run. The evaluation is
// the work everything waits for: the thread that writes its lines and the
// one that compiles ahead are kept off the processor it runs on, so that
// neither takes turns with it while another processor has room.
//
// Left to itself the scheduler often wakes the writing thread on the
// evaluation's processor, the one that woke it; the compiling thread, which
// runs only on a processor that would otherwise idle, then has the other
// one to itself, and the evaluation shares its own with the writing.
#pragma once

namespace tallyrix::cli {

// The processor the calling thread runs on, or -1 when it cannot be told.
int CurrentProcessor();

// Keeps the calling thread off processor, when it may run on another one
// (it is left as it is otherwise, and for processor -1).
void StayOffProcessor(int processor);

}  // namespace tallyrix::cli
