// Width, height, depth and palette size of a DIB or PNG icon image, taken from its header.
#include "imagedescription.h"
#include "littleendian.h"

#include <algorithm>
#include <array>

namespace zorvane::extraction {
namespace {

constexpr std::array<std::uint8_t, 8> pngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// PNG: signature, then the IHDR chunk (length 13, type, width, height, bit depth, colour type).
struct PngLayout {
    static constexpr std::size_t ihdrLength = 8;
    static constexpr std::size_t ihdrType = 12;
    static constexpr std::size_t width = 16;
    static constexpr std::size_t height = 20;
    static constexpr std::size_t bitDepth = 24;
    static constexpr std::size_t colourType = 25;
    static constexpr std::size_t end = 26;
};

// BITMAPINFOHEADER; the larger V4 and V5 headers begin the same way.
struct BitmapInfoHeaderLayout {
    static constexpr std::size_t biSize = 0;
    static constexpr std::size_t biWidth = 4;
    static constexpr std::size_t biHeight = 8;
    static constexpr std::size_t biPlanes = 12;
    static constexpr std::size_t biBitCount = 14;
    static constexpr std::size_t biClrUsed = 32;
    static constexpr std::size_t size = 40;
};

// The .ico convention: a palette size below 8 bits per pixel, 0 (meaning "256 or more") above.
std::uint8_t colourCountFor(std::uint16_t bitCount, std::uint32_t coloursUsed)
{
    if (bitCount >= 8) {
        return 0;
    }
    const std::uint32_t paletteSize = 1u << bitCount;
    return static_cast<std::uint8_t>(coloursUsed > 0 && coloursUsed < paletteSize ? coloursUsed : paletteSize);
}

Result<IconImageInfo> describePng(std::span<const std::uint8_t> header, std::uint32_t byteCount)
{
    const Error bad{ErrorCode::BadIconImage, 0};
    if (header.size() < PngLayout::end || readU32BigEndian(header, PngLayout::ihdrLength) != 13
        || !std::equal(header.begin() + PngLayout::ihdrType, header.begin() + PngLayout::ihdrType + 4,
                       std::begin("IHDR"))) {
        return bad;
    }
    std::uint32_t channels = 0;
    switch (header[PngLayout::colourType]) {
    case 0: channels = 1; break;  // grey
    case 2: channels = 3; break;  // RGB
    case 3: channels = 1; break;  // palette index
    case 4: channels = 2; break;  // grey and alpha
    case 6: channels = 4; break;  // RGBA
    default: return bad;
    }
    const std::uint32_t bitDepth = header[PngLayout::bitDepth];
    IconImageInfo info;
    info.width = readU32BigEndian(header, PngLayout::width);
    info.height = readU32BigEndian(header, PngLayout::height);
    if (info.width == 0 || info.height == 0 || bitDepth == 0 || bitDepth > 16) {
        return bad;
    }
    info.bitCount = static_cast<std::uint16_t>(bitDepth * channels);
    info.planes = 1;
    info.colorCount = colourCountFor(info.bitCount, 0);
    info.format = ImageFormat::Png;
    info.byteCount = byteCount;
    return info;
}

Result<IconImageInfo> describeBitmap(std::span<const std::uint8_t> header, std::uint32_t byteCount)
{
    using L = BitmapInfoHeaderLayout;
    const Error bad{ErrorCode::BadIconImage, 0};
    if (header.size() < L::size) {
        return bad;
    }
    const std::uint32_t biSize = readU32(header, L::biSize);
    const std::int32_t biWidth = readI32(header, L::biWidth);
    // An icon's DIB is bottom-up and twice as high as the icon: the colour rows, then the AND mask.
    const std::int32_t biHeight = readI32(header, L::biHeight);
    const std::uint16_t biBitCount = readU16(header, L::biBitCount);
    constexpr std::array<std::uint16_t, 7> bitCounts{1, 2, 4, 8, 16, 24, 32};
    if (biSize < L::size || biSize > byteCount || biWidth <= 0 || biHeight < 2
        || std::find(bitCounts.begin(), bitCounts.end(), biBitCount) == bitCounts.end()) {
        return bad;
    }
    IconImageInfo info;
    info.width = static_cast<std::uint32_t>(biWidth);
    info.height = static_cast<std::uint32_t>(biHeight / 2);
    info.planes = readU16(header, L::biPlanes);
    info.bitCount = biBitCount;
    info.colorCount = colourCountFor(biBitCount, readU32(header, L::biClrUsed));
    info.format = ImageFormat::Bmp;
    info.byteCount = byteCount;
    return info;
}

} // namespace

Result<IconImageInfo> describeImage(std::span<const std::uint8_t> header, std::uint32_t byteCount)
{
    if (header.size() >= pngSignature.size() && std::equal(pngSignature.begin(), pngSignature.end(), header.begin())) {
        return describePng(header, byteCount);
    }
    return describeBitmap(header, byteCount);
}

} // namespace zorvane::extraction
