// Conversion of stored resource names to UTF-8.
#include "resourcenames.h"
#include "littleendian.h"

namespace zorvane::extraction {
namespace {

void appendUtf8(std::string& out, char32_t codePoint)
{
    const auto put = [&](std::uint32_t byte) { out.push_back(static_cast<char>(static_cast<std::uint8_t>(byte))); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

constexpr char32_t replacementCharacter = 0xFFFD;

bool isHighSurrogate(std::uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(std::uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::string utf8FromUtf16LittleEndian(std::span<const std::uint8_t> bytes)
{
    std::string out;
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t unit = readU16(bytes, 2 * i);
        if (isHighSurrogate(unit) && i + 1 < units && isLowSurrogate(readU16(bytes, 2 * (i + 1)))) {
            const std::uint16_t low = readU16(bytes, 2 * (i + 1));
            appendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{low} - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, replacementCharacter);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string utf8FromLatin1(std::span<const std::uint8_t> bytes)
{
    std::string out;
    for (const std::uint8_t byte : bytes) {
        appendUtf8(out, byte);
    }
    return out;
}

} // namespace zorvane::extraction
