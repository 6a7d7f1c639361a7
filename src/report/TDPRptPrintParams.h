#pragma once

class QImage;

// The drawing parameters passed through every drawing call: the pixels
// under the page, which highlights tint and transparent items restore. The
// caller creates it for one drawing; it owns neither bitmap.
class TDPRptPrintParams {
public:
    QImage* Source = nullptr;
    int OffsetX = -1;
    int OffsetY = -1;
    QImage* Destination = nullptr;
};
