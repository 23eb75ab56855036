// How the program's memory is handed out: a block of a megabyte or more is
// mapped on its own and given back to the system as soon as it is freed.
// Left to itself, the C library raises that size after the first large block
// freed, up to 32 MB; the large blocks a document's opening and calculation
// free then stay behind as holes in the heap, about a fifth of what the
// process holds with a 20 MB document open. Call before anything allocates.
#pragma once

namespace tallyrix {

void ReturnLargeBlocksWhenFreed();

}  // namespace tallyrix
