// The .ico file format's directory: reading one as a source, and the layout both reader and writer use.
#pragma once

#include "bytesource.h"
#include "iconresources.h"
#include "result.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvane::extraction {

// ICONDIR {idReserved = 0, idType = 1, idCount}, then idCount ICONDIRENTRY records:
// {bWidth, bHeight, bColorCount, bReserved, wPlanes, wBitCount, dwBytesInRes, dwImageOffset}.
struct IcoLayout {
    static constexpr std::size_t headerSize = 6;
    static constexpr std::size_t idType = 2;
    static constexpr std::size_t idCount = 4;
    static constexpr std::uint16_t iconType = 1;
    static constexpr std::size_t entrySize = 16;
    static constexpr std::size_t bWidth = 0;
    static constexpr std::size_t bHeight = 1;
    static constexpr std::size_t bColorCount = 2;
    static constexpr std::size_t wPlanes = 4;
    static constexpr std::size_t wBitCount = 6;
    static constexpr std::size_t dwBytesInRes = 8;
    static constexpr std::size_t dwImageOffset = 12;
};

// Where the images of an .ico source lie, in directory order; the directory's claims are not kept.
Result<std::vector<ResourceRange>> readIcoDirectory(const ByteSource& source);

} // namespace zorvane::extraction
