#include "platform/Heap.h"

#include <malloc.h>

namespace plat {

void KeepFreedHeap()
{
    // Trim only above 512 MiB of free heap; blocks under 32 MiB come from
    // the heap too, so a large folder's buffers are reused on the next load.
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

} // namespace plat
