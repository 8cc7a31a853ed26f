// Building DIB and PNG icon images byte by byte, independently of the code under test.
#include "images.h"

#include <array>
#include <string_view>

namespace zorvane::testsupport {
namespace {

void appendU32BigEndian(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t length)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void appendChunk(Bytes& out, std::string_view type, const Bytes& data)
{
    appendU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    appendU32BigEndian(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored deflate blocks: valid without any compressor.
Bytes zlibStored(const Bytes& raw)
{
    Bytes out{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - at, 0xFFFF);
        const bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    appendU32BigEndian(out, (b << 16) | a);
    return out;
}

std::uint8_t shade(const ImageShape& shape)
{
    return static_cast<std::uint8_t>(shape.width * 7 + shape.height * 3 + shape.bitCount + (shape.png ? 101 : 0));
}

Bytes makePng(const ImageShape& shape)
{
    Bytes out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    appendU32BigEndian(ihdr, shape.width);
    appendU32BigEndian(ihdr, shape.height);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    appendChunk(out, "IHDR", ihdr);
    Bytes raw;
    raw.reserve(std::size_t{shape.height} * (1 + std::size_t{shape.width} * 4));
    for (std::uint32_t y = 0; y < shape.height; ++y) {
        raw.push_back(0);
        for (std::uint32_t x = 0; x < shape.width; ++x) {
            raw.insert(raw.end(), {shade(shape), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0xFF});
        }
    }
    appendChunk(out, "IDAT", zlibStored(raw));
    appendChunk(out, "IEND", {});
    return out;
}

Bytes makeBitmap(const ImageShape& shape)
{
    const std::size_t paletteEntries = shape.bitCount <= 8 ? std::size_t{1} << shape.bitCount : 0;
    const std::size_t colourStride = (std::size_t{shape.width} * shape.bitCount + 31) / 32 * 4;
    const std::size_t maskStride = (std::size_t{shape.width} + 31) / 32 * 4;
    const std::size_t pixelBytes = (colourStride + maskStride) * shape.height;
    Bytes out(40 + paletteEntries * 4 + pixelBytes, 0);
    putU32(out, 0, 40);
    putU32(out, 4, shape.width);
    putU32(out, 8, shape.height * 2);
    putU16(out, 12, 1);
    putU16(out, 14, shape.bitCount);
    putU32(out, 20, static_cast<std::uint32_t>(pixelBytes));
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 255 / (paletteEntries - 1));
        out[40 + 4 * i] = level;
        out[40 + 4 * i + 1] = level;
        out[40 + 4 * i + 2] = level;
    }
    const std::size_t colourAt = 40 + paletteEntries * 4;
    for (std::size_t i = 0; i < colourStride * shape.height; ++i) {
        out[colourAt + i] = static_cast<std::uint8_t>(shade(shape) + i);
    }
    return out;
}

} // namespace

Bytes makeImage(const ImageShape& shape)
{
    return shape.png ? makePng(shape) : makeBitmap(shape);
}

ImageClaim honestClaim(const ImageShape& shape, std::size_t byteCount)
{
    const std::uint16_t bitCount = shape.png ? 32 : shape.bitCount;
    return {static_cast<std::uint8_t>(shape.width >= 256 ? 0 : shape.width),
            static_cast<std::uint8_t>(shape.height >= 256 ? 0 : shape.height),
            static_cast<std::uint8_t>(bitCount < 8 ? 1u << bitCount : 0), 1, bitCount,
            static_cast<std::uint32_t>(byteCount)};
}

void putClaim(Bytes& out, std::size_t at, const ImageClaim& claim)
{
    out[at] = claim.width;
    out[at + 1] = claim.height;
    out[at + 2] = claim.colorCount;
    putU16(out, at + 4, claim.planes);
    putU16(out, at + 6, claim.bitCount);
    putU32(out, at + 8, claim.bytesInRes);
}

} // namespace zorvane::testsupport
