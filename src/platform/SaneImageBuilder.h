#pragma once

#include "report/JpegCodec.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <sane/sane.h>

// Turns the frames a SANE device sends into one RGB32 picture, line by line
// as the bytes arrive: grey or colour, 1, 8 or 16 bits a sample, one frame
// or three (red, green, blue passes), with the height known or not (a hand
// scanner tells it only at the end).
class SaneImageBuilder {
public:
    // Pages over the pixel budget are refused, before or while they grow.
    explicit SaneImageBuilder(qint64 maxPixels = JpegCodec::MaxPixels);

    // Starts a frame; false with a French text for a format the program
    // cannot read or a page over the pixel budget.
    bool BeginFrame(const SANE_Parameters& parameters, QString* error = nullptr);
    // Bytes in any amount; a line is drawn once it is whole.
    bool Append(const char* data, qsizetype size, QString* error = nullptr);
    // Ends the frame; false when it stopped before its first line.
    bool EndFrame(QString* error = nullptr);
    // The picture after the last frame, cut to the lines received.
    QImage Image() const;

private:
    bool FrameMatchesImage() const;
    bool EnsureLine(int line, QString* error);
    void DrawLine(const uchar* bytes, QRgb* pixels) const;
    int Sample(const uchar* bytes, int index) const;

    qint64 m_maxPixels;
    SANE_Parameters m_parameters {};
    QImage m_image;
    QByteArray m_pending; // the start of a line not yet whole
    int m_line = 0; // lines drawn in the current frame
    int m_lines = 0; // most lines any frame drew
    bool m_started = false;
};
