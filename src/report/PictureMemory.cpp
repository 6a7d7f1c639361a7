#include "PictureMemory.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace PictureMemory {

void KeepLargeBuffers()
{
#if defined(__GLIBC__)
    constexpr int kKept = 256 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kKept);
    mallopt(M_TRIM_THRESHOLD, kKept);
#endif
}

} // namespace PictureMemory
