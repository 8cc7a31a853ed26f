// Turning a group (or an .ico directory) into images: the one place where claims meet real headers.
#include "iconassembly.h"
#include "imagedescription.h"
#include "imageselection.h"
#include "limits.h"
#include "littleendian.h"
#include "sourcereading.h"

#include <algorithm>

namespace zorvane::extraction {
namespace {

// GRPICONDIR {idReserved = 0, idType = 1, idCount}, then idCount GRPICONDIRENTRY records, which are
// ICONDIRENTRY records whose last field is a 16-bit image ID instead of a 32-bit file offset.
struct GroupLayout {
    static constexpr std::size_t headerSize = 6;
    static constexpr std::size_t idReserved = 0;
    static constexpr std::size_t idType = 2;
    static constexpr std::size_t idCount = 4;
    static constexpr std::size_t entrySize = 14;
    static constexpr std::size_t nId = 12;
};

} // namespace

Result<std::vector<ResourceRange>> groupImageRanges(const ByteSource& source, IconResources& resources,
                                                    const GroupResource& group)
{
    using L = GroupLayout;
    const Error bad{ErrorCode::BadIconGroup, group.range.offset};
    if (group.range.size < L::headerSize) {
        return bad;
    }
    auto header = readRecord<L::headerSize>(source, group.range.offset, ErrorCode::TruncatedFile);
    if (!header) {
        return header.error();
    }
    if (readU16(*header, L::idReserved) != 0 || readU16(*header, L::idType) != 1) {
        return bad;
    }
    const std::uint16_t count = readU16(*header, L::idCount);
    if (count == 0) {
        return bad;
    }
    if (count > limits::maxImagesPerIcon) {
        return Error{ErrorCode::TooManyImages, group.range.offset};
    }
    const std::uint64_t entriesLength = std::uint64_t{count} * L::entrySize;
    if (entriesLength > group.range.size - L::headerSize) {
        return bad;
    }
    auto entries = readBlock(source, group.range.offset + L::headerSize, entriesLength, ErrorCode::TruncatedFile);
    if (!entries) {
        return entries.error();
    }
    std::vector<ResourceRange> ranges;
    ranges.reserve(count);
    for (std::size_t at = 0; at < entries->size(); at += L::entrySize) {
        auto image = resources.image(readU16(*entries, at + L::nId), group.language);
        if (!image) {
            return image.error();
        }
        if (image->has_value()) {
            ranges.push_back(**image);
        }
    }
    return ranges;
}

Result<std::vector<LocatedImage>> locateImages(const ByteSource& source, std::span<const ResourceRange> ranges)
{
    std::vector<LocatedImage> images;
    images.reserve(ranges.size());
    for (const ResourceRange& range : ranges) {
        if (range.size == 0) {
            continue;
        }
        if (range.size > limits::maxImageBytes) {
            return Error{ErrorCode::ImageTooLarge, range.offset};
        }
        auto header = readBlock(source, range.offset, std::min<std::uint64_t>(range.size, imageHeaderBytes),
                                ErrorCode::TruncatedFile);
        if (!header) {
            return header.error();
        }
        auto info = describeImage(*header, static_cast<std::uint32_t>(range.size));
        if (!info) {
            return Error{info.error().code, range.offset};
        }
        images.push_back({*info, range.offset});
    }
    if (images.empty()) {
        return Error{ErrorCode::IconImagesMissing, ranges.empty() ? 0 : ranges.front().offset};
    }
    return images;
}

Result<Icon> loadIcon(const ByteSource& source, std::span<const LocatedImage> images, std::optional<int> sizePx)
{
    std::vector<LocatedImage> chosen(images.begin(), images.end());
    if (sizePx) {
        std::vector<IconImageInfo> infos;
        infos.reserve(images.size());
        std::transform(images.begin(), images.end(), std::back_inserter(infos),
                       [](const LocatedImage& image) { return image.info; });
        chosen = {images[bestImageFor(infos, *sizePx)]};
    }
    std::uint64_t total = 0;
    for (const LocatedImage& image : chosen) {
        total += image.info.byteCount;
        if (total > limits::maxIconBytes) {
            return Error{ErrorCode::IconTooLarge, image.offset};
        }
    }
    Icon icon;
    icon.images.reserve(chosen.size());
    for (const LocatedImage& image : chosen) {
        auto data = readBlock(source, image.offset, image.info.byteCount, ErrorCode::TruncatedFile);
        if (!data) {
            return data.error();
        }
        icon.images.push_back({image.info, std::move(*data)});
    }
    return icon;
}

} // namespace zorvane::extraction
