// Icon images for tests: real, decodable DIB and PNG images of a chosen size and depth.
#pragma once

#include "bytes.h"

#include <cstddef>
#include <cstdint>

namespace zorvane::testsupport {

struct ImageShape {
    std::uint32_t width = 32;
    std::uint32_t height = 32;
    std::uint16_t bitCount = 32;  // for a DIB: 1, 4, 8, 24 or 32; a PNG is always 8-bit RGBA (32)
    bool png = false;
};

// A DIB (BITMAPINFOHEADER, palette, colour rows, AND mask) or a PNG (stored, uncompressed deflate).
// The pixels depend on the shape, so that images of different shapes never compare equal.
Bytes makeImage(const ImageShape& shape);

// What an honest .ico directory entry or icon group entry says about an image.
struct ImageClaim {
    std::uint8_t width = 0;  // 0 for 256
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
};

ImageClaim honestClaim(const ImageShape& shape, std::size_t byteCount);

// Writes the twelve bytes that .ico directory entries and icon group entries share, from width to
// bytesInRes, at `at`.
void putClaim(Bytes& out, std::size_t at, const ImageClaim& claim);

} // namespace zorvane::testsupport
