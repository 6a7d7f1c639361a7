#include "SaneImageBuilder.h"

#include <cstring>

namespace {

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString UnreadableText()
{
    return QStringLiteral("Le scanner envoie l'image dans un format que le logiciel ne sait pas lire.");
}

QString TooLargeText()
{
    return QStringLiteral("La page scannée est trop grande : choisissez une résolution plus basse.");
}

// Unknown heights grow the picture by this many lines at a time.
constexpr int GrowthLines = 512;

} // namespace

SaneImageBuilder::SaneImageBuilder(qint64 maxPixels)
    : m_maxPixels(maxPixels)
{ }

bool SaneImageBuilder::BeginFrame(const SANE_Parameters& parameters, QString* error)
{
    // Backends send frame codes the header does not list (JPEG frames are
    // 11): the code is read as a number, since an enumeration holding a
    // value outside its range is undefined behaviour.
    static_assert(sizeof(SANE_Frame) == sizeof(int));
    int format = 0;
    std::memcpy(&format, &parameters.format, sizeof format);
    const bool knownFormat = format == SANE_FRAME_GRAY || format == SANE_FRAME_RGB || format == SANE_FRAME_RED
        || format == SANE_FRAME_GREEN || format == SANE_FRAME_BLUE;
    const int samples = format == SANE_FRAME_RGB ? 3 : 1;
    const int depth = parameters.depth;
    if (!knownFormat || (depth != 1 && depth != 8 && depth != 16) || parameters.pixels_per_line <= 0
        || parameters.bytes_per_line < (qint64(parameters.pixels_per_line) * samples * depth + 7) / 8)
        return Fail(error, UnreadableText());
    if (parameters.lines > 0 && qint64(parameters.pixels_per_line) * parameters.lines > m_maxPixels)
        return Fail(error, TooLargeText());
    m_parameters = parameters;
    m_pending.clear();
    m_line = 0;
    if (!m_started || !FrameMatchesImage()) {
        const int height = parameters.lines > 0 ? parameters.lines : GrowthLines;
        if (qint64(parameters.pixels_per_line) * height > m_maxPixels)
            return Fail(error, TooLargeText());
        m_image = QImage(parameters.pixels_per_line, height, QImage::Format_RGB32);
        if (m_image.isNull())
            return Fail(error, TooLargeText());
        m_image.fill(Qt::white);
        m_lines = 0;
    }
    m_started = true;
    return true;
}

// Three-pass devices send their red, green and blue frames over one picture.
bool SaneImageBuilder::FrameMatchesImage() const
{
    const SANE_Frame format = m_parameters.format;
    const bool band = format == SANE_FRAME_RED || format == SANE_FRAME_GREEN || format == SANE_FRAME_BLUE;
    return band && m_image.width() == m_parameters.pixels_per_line;
}

bool SaneImageBuilder::Append(const char* data, qsizetype size, QString* error)
{
    if (!m_started)
        return Fail(error, UnreadableText());
    const qsizetype lineBytes = m_parameters.bytes_per_line;
    m_pending.append(data, size);
    qsizetype used = 0;
    while (m_pending.size() - used >= lineBytes) {
        // Bytes past the announced height are ignored.
        if (m_parameters.lines <= 0 || m_line < m_parameters.lines) {
            if (!EnsureLine(m_line, error))
                return false;
            DrawLine(reinterpret_cast<const uchar*>(m_pending.constData() + used),
                reinterpret_cast<QRgb*>(m_image.scanLine(m_line)));
            ++m_line;
            m_lines = qMax(m_lines, m_line);
        }
        used += lineBytes;
    }
    m_pending.remove(0, used);
    return true;
}

bool SaneImageBuilder::EnsureLine(int line, QString* error)
{
    if (line < m_image.height())
        return true;
    const qint64 height = qint64(m_image.height()) + GrowthLines;
    if (qint64(m_image.width()) * height > m_maxPixels)
        return Fail(error, TooLargeText());
    QImage taller(m_image.width(), int(height), QImage::Format_RGB32);
    if (taller.isNull())
        return Fail(error, TooLargeText());
    taller.fill(Qt::white);
    std::memcpy(taller.bits(), m_image.constBits(), size_t(m_image.sizeInBytes()));
    m_image = std::move(taller);
    return true;
}

int SaneImageBuilder::Sample(const uchar* bytes, int index) const
{
    switch (m_parameters.depth) {
    case 1: {
        const bool set = (bytes[index / 8] >> (7 - index % 8)) & 1;
        // A grey bit set is black; a colour bit set is that colour lit.
        if (m_parameters.format == SANE_FRAME_GRAY)
            return set ? 0 : 255;
        return set ? 255 : 0;
    }
    case 16: {
        quint16 value;
        std::memcpy(&value, bytes + 2 * index, sizeof value); // the machine's byte order
        return value >> 8;
    }
    default:
        return bytes[index];
    }
}

void SaneImageBuilder::DrawLine(const uchar* bytes, QRgb* pixels) const
{
    const int width = m_parameters.pixels_per_line;
    switch (m_parameters.format) {
    case SANE_FRAME_RGB:
        if (m_parameters.depth == 8) { // the usual colour page, without per-sample work
            for (int x = 0; x < width; ++x, bytes += 3)
                pixels[x] = qRgb(bytes[0], bytes[1], bytes[2]);
            break;
        }
        for (int x = 0; x < width; ++x)
            pixels[x] = qRgb(Sample(bytes, 3 * x), Sample(bytes, 3 * x + 1), Sample(bytes, 3 * x + 2));
        break;
    case SANE_FRAME_GRAY:
        for (int x = 0; x < width; ++x) {
            const int grey = Sample(bytes, x);
            pixels[x] = qRgb(grey, grey, grey);
        }
        break;
    case SANE_FRAME_RED:
        for (int x = 0; x < width; ++x)
            pixels[x] = qRgb(Sample(bytes, x), qGreen(pixels[x]), qBlue(pixels[x]));
        break;
    case SANE_FRAME_GREEN:
        for (int x = 0; x < width; ++x)
            pixels[x] = qRgb(qRed(pixels[x]), Sample(bytes, x), qBlue(pixels[x]));
        break;
    case SANE_FRAME_BLUE:
        for (int x = 0; x < width; ++x)
            pixels[x] = qRgb(qRed(pixels[x]), qGreen(pixels[x]), Sample(bytes, x));
        break;
    default:
        break;
    }
}

bool SaneImageBuilder::EndFrame(QString* error)
{
    if (m_line == 0)
        return Fail(error, QStringLiteral("Le scanner n'a envoyé aucune image."));
    m_pending.clear();
    return true;
}

QImage SaneImageBuilder::Image() const
{
    if (!m_started || m_lines == 0)
        return QImage();
    return m_lines == m_image.height() ? m_image : m_image.copy(0, 0, m_image.width(), m_lines);
}
