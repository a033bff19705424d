#include <cstdlib>  // on glibc, defines __GLIBC__

#include "gui_demo/demo.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main() {
#if defined(__GLIBC__)
    // Mesa's software renderer builds every frame in 64 KiB blocks and frees them all once the
    // frame is presented. By default glibc then gives the freed top of the heap back to the
    // kernel, and the next frame faults the same ~2 MiB in again, zero-filled: about 500 page
    // faults a frame and over a third of its CPU time. Up to 64 MiB of free heap stays with the
    // process instead; what stays is only what a frame has used, so the resident size is as
    // before.
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
    return gui_demo::main();
}
