#pragma once

// Worksheet pictures and page bitmaps are buffers of many megabytes,
// allocated and freed at every page opened, zoomed, exported or printed.
// Handing each back to the system and asking for it again costs a page
// fault per 4 KiB, which on virtual machines (common in schools) costs more
// than decoding the picture. The program keeps freed buffers of up to
// 256 MiB for reuse instead: call once at start.
namespace PictureMemory {

void KeepLargeBuffers();

} // namespace PictureMemory
