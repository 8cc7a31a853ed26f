// Writing an icon as an .ico file whose directory describes each image exactly as it is.
#include "extraction.h"
#include "guarded.h"
#include "icodirectory.h"
#include "imagedescription.h"
#include "limits.h"
#include "littleendian.h"

#include <algorithm>

namespace zorvane::extraction {
namespace {

// The directory has one byte per dimension: 256 and beyond are written as 0.
std::uint8_t directoryDimension(std::uint32_t pixels)
{
    return pixels >= 256 ? 0 : static_cast<std::uint8_t>(pixels);
}

Result<std::vector<std::uint8_t>> encode(const Icon& icon)
{
    using L = IcoLayout;
    if (icon.images.empty()) {
        return Error{ErrorCode::InvalidArgument, 0};
    }
    if (icon.images.size() > limits::maxImagesPerIcon) {
        return Error{ErrorCode::TooManyImages, 0};
    }
    const std::uint64_t directoryEnd = L::headerSize + icon.images.size() * L::entrySize;
    std::uint64_t total = directoryEnd;
    std::vector<IconImageInfo> infos;
    infos.reserve(icon.images.size());
    for (const IconImage& image : icon.images) {
        if (image.data.size() > limits::maxImageBytes) {
            return Error{ErrorCode::ImageTooLarge, 0};
        }
        total += image.data.size();
        if (total > limits::maxIconBytes) {
            return Error{ErrorCode::IconTooLarge, 0};
        }
        const auto header = std::span(image.data).first(std::min(image.data.size(), imageHeaderBytes));
        auto info = describeImage(header, static_cast<std::uint32_t>(image.data.size()));
        if (!info) {
            return info.error();
        }
        infos.push_back(*info);
    }

    std::vector<std::uint8_t> out(static_cast<std::size_t>(directoryEnd));
    writeU16(out, L::idType, L::iconType);
    writeU16(out, L::idCount, static_cast<std::uint16_t>(icon.images.size()));
    auto imageOffset = static_cast<std::uint32_t>(directoryEnd);
    for (std::size_t i = 0; i < infos.size(); ++i) {
        const IconImageInfo& info = infos[i];
        const std::size_t at = L::headerSize + i * L::entrySize;
        out[at + L::bWidth] = directoryDimension(info.width);
        out[at + L::bHeight] = directoryDimension(info.height);
        out[at + L::bColorCount] = info.colorCount;
        writeU16(out, at + L::wPlanes, info.planes);
        writeU16(out, at + L::wBitCount, info.bitCount);
        writeU32(out, at + L::dwBytesInRes, info.byteCount);
        writeU32(out, at + L::dwImageOffset, imageOffset);
        imageOffset += info.byteCount;
    }
    out.reserve(static_cast<std::size_t>(total));
    for (const IconImage& image : icon.images) {
        out.insert(out.end(), image.data.begin(), image.data.end());
    }
    return out;
}

} // namespace

Result<std::vector<std::uint8_t>> encodeIco(const Icon& icon)
{
    return guarded([&] { return encode(icon); });
}

} // namespace zorvane::extraction
