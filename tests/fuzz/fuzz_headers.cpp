// The JFIF and BMP header readers, and the stamp.
#include "FuzzSupport.h"
#include "documents/JpegHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    JpegHeader::Resolution resolution;
    JpegHeader::ReadResolution(bytes, resolution);
    JpegHeader::ReadBitmapResolution(bytes);
    QByteArray stamped = bytes;
    if (JpegHeader::StampResolution(stamped, 300, 150)) {
        JpegHeader::Resolution read;
        if (!JpegHeader::ReadResolution(stamped, read) || read.horizontal != 300 || read.vertical != 150)
            __builtin_trap(); // a stamp reads back as written
    }
    return 0;
}
