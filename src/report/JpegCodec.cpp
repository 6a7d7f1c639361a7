#include "JpegCodec.h"

#include "params/FileBytes.h"
#include "params/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace {

// What went wrong, as plain data: the decoding functions below use setjmp,
// so nothing with a destructor may live in their frames.
enum class Failure { None, Corrupt, Truncated, TooLarge, OutOfMemory, Empty };

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    Failure failure;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    const int code = info->err->msg_code;
    if (manager->failure == Failure::None)
        manager->failure = (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) ? Failure::OutOfMemory
            : code == JERR_IMAGE_TOO_BIG                                                 ? Failure::TooLarge
                                                                                         : Failure::Corrupt;
    longjmp(manager->jump, 1);
}

// A cut file only raises a warning in libjpeg and yields a grey-padded
// picture: here it is an error, so a damaged scan is never shown as whole.
void OnMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return; // trace messages
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        reinterpret_cast<ErrorManager*>(info->err)->failure = Failure::Truncated;
        OnError(info);
    }
}

void OnProgress(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > JpegCodec::MaxScans) {
        info->err->msg_code = JERR_NOTIMPL;
        OnError(info);
    }
}

void InstallErrorManager(j_common_ptr info, ErrorManager& manager)
{
    info->err = jpeg_std_error(&manager.base);
    manager.base.error_exit = OnError;
    manager.base.emit_message = OnMessage;
    manager.failure = Failure::None;
    manager.message[0] = '\0';
}

// Where decoded rows go; owned by the caller, so a failure never skips a
// destructor.
struct Output {
    QImage image;
};

struct DecodeRequest {
    const unsigned char* data;
    unsigned long size;
    int targetWidth;
    int targetHeight;
    bool headerOnly;
    Output* output;
    int width; // of the picture
    int height;
    JSAMPLE* cmykRow; // kept here, out of the frame setjmp returns into
};

void AllocateOutput(Output* output, int width, int height)
{
    output->image = QImage(width, height, QImage::Format_RGB32);
}

// Adobe CMYK JPEGs store inverted channels.
void CmykRowToRgb32(const JSAMPLE* cmyk, uchar* out, int width)
{
    auto* pixels = reinterpret_cast<QRgb*>(out);
    for (int x = 0; x < width; ++x, cmyk += 4) {
        const int k = cmyk[3];
        pixels[x] = qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
    }
}

Failure RunDecode(DecodeRequest& request)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    request.cmykRow = nullptr;
    InstallErrorManager(reinterpret_cast<j_common_ptr>(&info), errors);
    if (setjmp(errors.jump)) {
        const Failure failure = errors.failure;
        std::free(request.cmykRow);
        request.cmykRow = nullptr;
        jpeg_destroy_decompress(&info);
        return failure;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = JpegCodec::MaxDecoderMemory;
    progress.progress_monitor = OnProgress;
    info.progress = &progress;
    jpeg_mem_src(&info, request.data, request.size);
    jpeg_read_header(&info, TRUE);
    request.width = int(info.image_width);
    request.height = int(info.image_height);
    if (info.image_width == 0 || info.image_height == 0) {
        jpeg_destroy_decompress(&info);
        return Failure::Empty;
    }
    if (qint64(info.image_width) * info.image_height > JpegCodec::MaxPixels) {
        jpeg_destroy_decompress(&info);
        return Failure::TooLarge;
    }
    if (request.headerOnly) {
        jpeg_destroy_decompress(&info);
        return Failure::None;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX; // BGRX is QImage's RGB32 in memory
    info.scale_num = 1;
    info.scale_denom = unsigned(JpegCodec::ScaleDenominator(
        QSize(request.width, request.height), QSize(request.targetWidth, request.targetHeight)));
    jpeg_start_decompress(&info);
    AllocateOutput(request.output, int(info.output_width), int(info.output_height));
    QImage& image = request.output->image;
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return Failure::OutOfMemory;
    }
    if (cmyk)
        request.cmykRow = static_cast<JSAMPLE*>(std::malloc(size_t(info.output_width) * 4));
    while (info.output_scanline < info.output_height) {
        uchar* line = image.scanLine(int(info.output_scanline));
        JSAMPROW row = cmyk ? request.cmykRow : line;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            CmykRowToRgb32(request.cmykRow, line, int(info.output_width));
    }
    jpeg_finish_decompress(&info);
    std::free(request.cmykRow);
    request.cmykRow = nullptr;
    jpeg_destroy_decompress(&info);
    return Failure::None;
}

QString FailureText(Failure failure, const QString& name, QSize size)
{
    const QString shown = QDir::toNativeSeparators(name);
    switch (failure) {
    case Failure::Truncated:
        return QStringLiteral("L'image « %1 » est incomplète : le fichier a été coupé.").arg(shown);
    case Failure::TooLarge:
        if (size.isEmpty())
            return QStringLiteral("L'image « %1 » est trop grande : la limite est de 100 millions de pixels.")
                .arg(shown);
        return QStringLiteral(
            "L'image « %1 » est trop grande (%2 × %3 pixels) : la limite est de 100 millions de pixels.")
            .arg(shown)
            .arg(size.width())
            .arg(size.height());
    case Failure::OutOfMemory:
        return QStringLiteral("Mémoire insuffisante pour ouvrir l'image « %1 ».").arg(shown);
    case Failure::Empty:
        return QStringLiteral("L'image « %1 » est vide.").arg(shown);
    default:
        return QStringLiteral("L'image « %1 » est endommagée ou n'est pas une image JPEG.").arg(shown);
    }
}

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

namespace {

// Where the next marker of the entropy-coded data starts (0xFF followed by
// neither a stuffed 0 nor a restart code), or -1 when the data runs out.
qsizetype NextMarker(const QByteArray& data, qsizetype from)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype size = data.size();
    while (from + 1 < size) {
        const void* found = std::memchr(bytes + from, 0xFF, size_t(size - from - 1));
        if (!found)
            return -1;
        const qsizetype at = static_cast<const uchar*>(found) - bytes;
        const uchar code = bytes[at + 1];
        if (code != 0x00 && code != 0xFF && (code < 0xD0 || code > 0xD7))
            return at;
        from = at + 1;
    }
    return -1;
}

} // namespace

bool JpegCodec::IsComplete(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype size = data.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return true; // not a JPEG stream: the decoder says what it is
    qsizetype at = 2;
    while (at + 1 < size) {
        if (bytes[at] != 0xFF) { // stray bytes between segments
            at = NextMarker(data, at);
            if (at < 0)
                return false;
            continue;
        }
        const uchar code = bytes[at + 1];
        if (code == 0xD9)
            return true; // end of image
        if (code == 0xFF || code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {
            at += code == 0xFF ? 1 : 2;
            continue;
        }
        if (at + 4 > size)
            return false;
        at += 2 + ((bytes[at + 2] << 8) | bytes[at + 3]);
        if (at > size)
            return false;
        if (code == 0xDA) { // a scan: its data runs to the next marker
            at = NextMarker(data, at);
            if (at < 0)
                return false;
        }
    }
    return false;
}

bool JpegCodec::CheckComplete(const QByteArray& data, const QString& name, QString* error)
{
    if (IsComplete(data))
        return true;
    SetError(error, FailureText(Failure::Truncated, name, QSize()));
    return false;
}

int JpegCodec::ScaleDenominator(QSize picture, QSize target)
{
    if (target.width() <= 0 || target.height() <= 0)
        return 1;
    for (const int denominator : {8, 4, 2})
        if (target.width() * denominator <= picture.width() && target.height() * denominator <= picture.height())
            return denominator;
    return 1;
}

QImage JpegCodec::Decode(const QByteArray& data, const QString& name, QSize target, QString* error)
{
    Output output;
    DecodeRequest request {reinterpret_cast<const unsigned char*>(data.constData()), (unsigned long)data.size(),
        target.width(), target.height(), false, &output, 0, 0, nullptr};
    const Failure failure = data.isEmpty() ? Failure::Corrupt : RunDecode(request);
    if (failure != Failure::None) {
        SetError(error, FailureText(failure, name, QSize(request.width, request.height)));
        return QImage();
    }
    return output.image;
}

bool JpegCodec::ReadSize(const QByteArray& data, const QString& name, QSize& size, QString* error)
{
    Output output;
    DecodeRequest request {reinterpret_cast<const unsigned char*>(data.constData()), (unsigned long)data.size(), 0, 0,
        true, &output, 0, 0, nullptr};
    const Failure failure = data.isEmpty() ? Failure::Corrupt : RunDecode(request);
    size = QSize(request.width, request.height);
    if (failure != Failure::None)
        SetError(error, FailureText(failure, name, size));
    return failure == Failure::None;
}

QImage JpegCodec::DecodeFile(const QString& fileName, QSize target, QString* error)
{
    QByteArray data;
    if (!FileBytes::Read(fileName, data, error))
        return QImage();
    return Decode(data, fileName, target, error);
}

namespace {

struct EncodeRequest {
    const QImage* image; // Format_RGB32
    int dotsPerInch;
    unsigned char* buffer;
    unsigned long size;
};

bool RunEncode(EncodeRequest& request)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    InstallErrorManager(reinterpret_cast<j_common_ptr>(&info), errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(request.buffer);
        request.buffer = nullptr;
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &request.buffer, &request.size);
    info.image_width = JDIMENSION(request.image->width());
    info.image_height = JDIMENSION(request.image->height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    if (request.dotsPerInch > 0) {
        info.density_unit = 1;
        info.X_density = UINT16(std::min(request.dotsPerInch, 65535));
        info.Y_density = UINT16(std::min(request.dotsPerInch, 65535));
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar*>(request.image->constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray JpegCodec::Encode(const QImage& image, int dotsPerInch, QString* error)
{
    if (image.isNull()) {
        SetError(error, QStringLiteral("L'image à enregistrer est vide."));
        return QByteArray();
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    EncodeRequest request {&rgb, dotsPerInch, nullptr, 0};
    if (!RunEncode(request)) {
        SetError(error, QStringLiteral("L'image n'a pas pu être codée en JPEG."));
        return QByteArray();
    }
    QByteArray bytes(reinterpret_cast<const char*>(request.buffer), qsizetype(request.size));
    std::free(request.buffer);
    return bytes;
}

bool JpegCodec::EncodeToFile(const QImage& image, const QString& fileName, int dotsPerInch, QString* error)
{
    const QByteArray bytes = Encode(image, dotsPerInch, error);
    return !bytes.isEmpty() && SafeSave::WriteFile(fileName, bytes, error);
}
