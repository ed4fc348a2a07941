#include "platform/x11/x11_allocator.h"

#include <malloc.h>

// glibc raises its threshold for mapping a block of its own to the size of each mapped
// block that is freed, so after the first resize the GL's new window-sized buffers come
// from the heap, where freed ones stay resident between smaller blocks. A fixed threshold
// (the library's own starting value) keeps them mapped, and unmapped once freed.
void X11ReturnLargeBlocksToTheSystem() {
#ifdef M_MMAP_THRESHOLD
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
