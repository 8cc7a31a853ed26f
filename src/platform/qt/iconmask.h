// Transparency from an icon image's AND mask, where Qt's ICO reader does not take it (Qt 6.4).
#pragma once

#include <QImage>

#include <cstdint>
#include <span>

namespace zorvane {

// `image` as Qt decoded it from the BMP-style icon image `bmp`. Qt ignores the mask of 24-bit images
// and shows 32-bit images whose alpha is all zero (written before icons had alpha) as empty; Windows
// takes the mask for both. Any other image, or one whose mask is cut off, comes back unchanged.
QImage withMaskTransparency(QImage image, std::span<const std::uint8_t> bmp);

} // namespace zorvane
