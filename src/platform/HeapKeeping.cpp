#include "platform/HeapKeeping.h"

#include <cstdlib>  // defines __GLIBC__ where that is the C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void keepFreedMemoryForFrames() {
#if defined(__GLIBC__)
    // Blocks under 32 MB come from the heap, not from a mapping of their own
    // that would be faulted in afresh each time; up to 128 MB freed at the top
    // of the heap stays there. Setting either ends glibc's adaptive limits,
    // which is the point: they drift with what a load happened to free.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}
