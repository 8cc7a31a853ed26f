// Reads the AND mask behind an icon's colour rows; BITMAPINFOHEADER fields keep their format names.
#include "qt/iconmask.h"

#include "extraction/littleendian.h"

#include <optional>

namespace zorvane {
namespace {

using extraction::readU16;
using extraction::readU32;

// BITMAPINFOHEADER, as far as the mask's position needs it (little-endian, 40 bytes):
//   0 biSize u32 | 4 biWidth i32 | 8 biHeight i32 | 12 biPlanes u16 | 14 biBitCount u16 |
//   16 biCompression u32 ... 32 biClrUsed u32 | 36 biClrImportant u32
constexpr std::uint64_t infoHeaderSize = 40;
constexpr std::uint64_t paletteEntrySize = 4;

// Rows of BMP data are padded to whole 32-bit words.
std::uint64_t rowStride(std::uint64_t width, std::uint64_t bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

bool alphaIsAllZero(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                return false;
        }
    }
    return true;
}

struct Layout {
    std::uint64_t colourOffset = 0;
    std::uint64_t colourStride = 0;
    std::uint64_t maskOffset = 0;
    std::uint64_t maskStride = 0;
};

// Where the colour rows and the mask lie in `bmp`, laid out as Qt's reader expects them; nothing when
// the mask is cut off.
std::optional<Layout> layoutOf(std::span<const std::uint8_t> bmp, std::uint64_t width, std::uint64_t height,
                               std::uint16_t bitCount)
{
    const std::uint64_t headerSize = readU32(bmp, 0);
    if (headerSize < infoHeaderSize)
        return std::nullopt;
    std::uint64_t paletteSize = 0;
    if (bitCount <= 8) {
        const std::uint32_t colorsUsed = readU32(bmp, 32);
        paletteSize = (colorsUsed != 0 ? colorsUsed : 1U << bitCount) * paletteEntrySize;
    }
    Layout layout;
    layout.colourOffset = headerSize + paletteSize;
    layout.colourStride = rowStride(width, bitCount);
    layout.maskOffset = layout.colourOffset + layout.colourStride * height;
    layout.maskStride = rowStride(width, 1);
    const std::uint64_t maskSize = layout.maskStride * height;
    const std::uint64_t size = bmp.size();
    if (layout.maskOffset > size || maskSize > size - layout.maskOffset)
        return std::nullopt;
    return layout;
}

} // namespace

QImage withMaskTransparency(QImage image, std::span<const std::uint8_t> bmp)
{
    if (image.isNull() || bmp.size() < infoHeaderSize)
        return image;
    const std::uint16_t bitCount = readU16(bmp, 14);
    if (bitCount == 0 || bitCount > 32)
        return image;

    image.convertTo(QImage::Format_ARGB32);
    if (bitCount == 32 && !alphaIsAllZero(image))
        return image;

    const auto width = static_cast<std::uint64_t>(image.width());
    const auto height = static_cast<std::uint64_t>(image.height());
    const auto layout = layoutOf(bmp, width, height, bitCount);
    if (!layout)
        return image;

    // Qt premultiplied the colours of a 32-bit image by its zero alpha, so they come from the file.
    const bool coloursFromFile = bitCount == 32;
    // Rows are bottom-up; in the mask, most significant bit first, a set bit is a transparent pixel.
    for (int y = 0; y < image.height(); ++y) {
        const std::uint64_t storedRow = height - 1 - static_cast<std::uint64_t>(y);
        const std::uint8_t* maskRow = bmp.data() + layout->maskOffset + storedRow * layout->maskStride;
        const std::uint8_t* colourRow = bmp.data() + layout->colourOffset + storedRow * layout->colourStride;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
            if (transparent) {
                row[x] = qRgba(0, 0, 0, 0);
            } else if (coloursFromFile) {
                const std::uint8_t* bgr = colourRow + 4 * x;
                row[x] = qRgb(bgr[2], bgr[1], bgr[0]);
            } else {
                row[x] = row[x] | 0xff000000U;
            }
        }
    }
    return image;
}

} // namespace zorvane
