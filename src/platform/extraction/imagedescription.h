// What an icon image really is, read from its own header rather than from what a directory claims.
#pragma once

#include "icon.h"
#include "result.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace zorvane::extraction {

// Enough of an image's start for describeImage: a BITMAPINFOHEADER, or a PNG signature and IHDR chunk.
inline constexpr std::size_t imageHeaderBytes = 40;

// `header` is the image's first min(imageHeaderBytes, byteCount) bytes; byteCount is its whole size.
Result<IconImageInfo> describeImage(std::span<const std::uint8_t> header, std::uint32_t byteCount);

} // namespace zorvane::extraction
