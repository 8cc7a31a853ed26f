// Format detection: an MZ stub leading to a PE or NE header, or an ICONDIR of type 1.
#include "sourceformat.h"
#include "littleendian.h"
#include "sourcereading.h"

#include <algorithm>
#include <array>

namespace zorvane::extraction {
namespace {

// IMAGE_DOS_HEADER: e_magic "MZ" ... e_lfanew, the offset of the new executable header.
struct DosHeaderLayout {
    static constexpr std::size_t eLfanew = 0x3C;
    static constexpr std::size_t size = 0x40;
};

bool startsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

constexpr std::array<std::uint8_t, 2> dosMagic{'M', 'Z'};
constexpr std::array<std::uint8_t, 4> peSignature{'P', 'E', 0, 0};
constexpr std::array<std::uint8_t, 2> neSignature{'N', 'E'};
constexpr std::array<std::uint8_t, 4> icoHeader{0, 0, 1, 0};

} // namespace

Result<DetectedFormat> detectFormat(const ByteSource& source)
{
    std::array<std::uint8_t, DosHeaderLayout::size> start{};
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), start.size()));
    const auto head = std::span(start).first(length);
    if (auto read = source.read(0, head); !read) {
        return read.error();
    }
    if (startsWith(head, dosMagic)) {
        if (head.size() < DosHeaderLayout::size) {
            return Error{ErrorCode::BadDosHeader, 0};
        }
        const std::uint32_t eLfanew = readU32(head, DosHeaderLayout::eLfanew);
        auto signature = readRecord<4>(source, eLfanew, ErrorCode::BadDosHeader);
        if (!signature) {
            return signature.error();
        }
        if (startsWith(*signature, peSignature)) {
            return DetectedFormat{SourceFormat::Pe, eLfanew};
        }
        if (startsWith(*signature, neSignature)) {
            return DetectedFormat{SourceFormat::Ne, eLfanew};
        }
        // An MS-DOS program, or an OS/2 or VxD (LE, LX) executable: none of them has Windows icons.
        return Error{ErrorCode::NotExecutable, eLfanew};
    }
    if (head.size() >= 6 && startsWith(head, icoHeader)) {
        return DetectedFormat{SourceFormat::Ico, 0};
    }
    return Error{ErrorCode::NotExecutable, 0};
}

} // namespace zorvane::extraction
