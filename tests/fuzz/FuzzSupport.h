#pragma once

#include <QByteArray>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

// Shared by the fuzz targets: the application object fonts and painting
// need, and the fuzzer's bytes as a QByteArray.
namespace FuzzSupport {

inline void StartApplication()
{
    static int argc = 1;
    static char name[] = "ardoisine-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace FuzzSupport
