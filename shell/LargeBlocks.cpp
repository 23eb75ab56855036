#include "shell/LargeBlocks.h"

#include <malloc.h>

namespace tallyrix {

namespace {

constexpr int MappedBlockSize = 1 << 20;

}  // namespace

void ReturnLargeBlocksWhenFreed() { mallopt(M_MMAP_THRESHOLD, MappedBlockSize); }

}  // namespace tallyrix
