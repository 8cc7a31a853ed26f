// An .ico source: a directory whose every entry must point past itself and within the file.
#include "icodirectory.h"
#include "limits.h"
#include "littleendian.h"
#include "sourcereading.h"

namespace zorvane::extraction {

Result<std::vector<ResourceRange>> readIcoDirectory(const ByteSource& source)
{
    using L = IcoLayout;
    auto header = readRecord<L::headerSize>(source, 0, ErrorCode::TruncatedFile);
    if (!header) {
        return header.error();
    }
    const std::uint16_t count = readU16(*header, L::idCount);
    if (count == 0) {
        return Error{ErrorCode::NoIcons, L::idCount};
    }
    if (count > limits::maxImagesPerIcon) {
        return Error{ErrorCode::TooManyImages, L::idCount};
    }
    const std::uint64_t directoryEnd = L::headerSize + std::uint64_t{count} * L::entrySize;
    auto directory = readBlock(source, L::headerSize, directoryEnd - L::headerSize, ErrorCode::TruncatedFile);
    if (!directory) {
        return directory.error();
    }
    std::vector<ResourceRange> images;
    images.reserve(count);
    for (std::size_t at = 0; at < directory->size(); at += L::entrySize) {
        const ResourceRange range{readU32(*directory, at + L::dwImageOffset), readU32(*directory, at + L::dwBytesInRes)};
        const std::uint64_t entryOffset = L::headerSize + at;
        if (range.size != 0 && range.offset < directoryEnd) {
            return Error{ErrorCode::BadIcoDirectory, entryOffset};
        }
        if (!rangeFits(range.offset, range.size, source.size())) {
            return Error{ErrorCode::TruncatedFile, entryOffset};
        }
        images.push_back(range);
    }
    return images;
}

} // namespace zorvane::extraction
