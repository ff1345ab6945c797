#pragma once

#include <QImage>

namespace vornel::assets {

// An image decoded when the program is built: its pixels in a format that Qt
// draws without converting, so that nothing is decoded at start-up.
struct RawImage {
    int width;
    int height;
    QImage::Format format;
    const uchar* bits; // width × height × 4 bytes, rows top to bottom

    // The image over the constant pixels, without copying them.
    QImage image() const { return QImage(bits, width, height, width * 4, format); }
};

// chart.ico and menu.gif, as Qt's image plugins decode them.
extern const RawImage kChartIconPixels;
extern const RawImage kMenuPicturePixels;

} // namespace vornel::assets
