#pragma once

#include "chart_model/chart_definition.h"

#include <QRect>

namespace vornel {

// Twips to Qt's device-independent pixels: 1440 twips an inch, 96 pixels an
// inch, so 15 twips a pixel. Qt scales those pixels to the screen's density.
inline constexpr int kTwipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect pixelsFromTwips(const TwipRect& r) {
    return {pixelsFromTwips(r.left), pixelsFromTwips(r.top), pixelsFromTwips(r.width),
            pixelsFromTwips(r.height)};
}

} // namespace vornel
