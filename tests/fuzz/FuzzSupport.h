#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// Shared by the fuzz targets: the fuzzer's bytes as a QByteArray. Every
// target also gets the application object fonts and painting need
// (FuzzInitialize.cpp).
namespace FuzzSupport {

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace FuzzSupport
