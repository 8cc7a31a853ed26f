// The entry points: find the source's format, its icons, the one asked for, and write it out.
#include "extraction.h"
#include "guarded.h"
#include "iconassembly.h"
#include "icodirectory.h"
#include "neresources.h"
#include "peresources.h"
#include "sourceformat.h"

#include <filesystem>
#include <memory>

namespace zorvane::extraction {
namespace {

// Resource IDs are 16-bit: a larger negative number can name no icon (and -INT_MIN does not exist).
constexpr int lowestIconNumber = -0xFFFF;

Result<std::unique_ptr<IconResources>> openResources(const ByteSource& source, const DetectedFormat& format)
{
    return format.format == SourceFormat::Pe ? openPeResources(source, format.headerOffset)
                                             : openNeResources(source, format.headerOffset);
}

Result<std::vector<LocatedImage>> locateGroup(const ByteSource& source, IconResources& resources,
                                              const GroupResource& group)
{
    auto ranges = groupImageRanges(source, resources, group);
    if (!ranges) {
        return ranges.error();
    }
    return locateImages(source, *ranges);
}

Result<std::vector<LocatedImage>> locateIcoImages(const ByteSource& source)
{
    auto ranges = readIcoDirectory(source);
    if (!ranges) {
        return ranges.error();
    }
    return locateImages(source, *ranges);
}

IconSummary summarise(int number, ResourceName name, std::uint16_t language, std::span<const LocatedImage> images)
{
    IconSummary summary{number, std::move(name), language, {}};
    for (const LocatedImage& image : images) {
        summary.images.push_back(image.info);
    }
    return summary;
}

Result<std::vector<IconSummary>> list(const ByteSource& source)
{
    auto format = detectFormat(source);
    if (!format) {
        return format.error();
    }
    std::vector<IconSummary> summaries;
    if (format->format == SourceFormat::Ico) {
        auto images = locateIcoImages(source);
        if (!images) {
            return images.error();
        }
        summaries.push_back(summarise(0, {}, 0, *images));
        return summaries;
    }
    auto resources = openResources(source, *format);
    if (!resources) {
        return resources.error();
    }
    IconResources& icons = **resources;
    if (icons.groupCount() == 0) {
        return Error{ErrorCode::NoIcons, 0};
    }
    for (std::size_t index = 0; index < icons.groupCount(); ++index) {
        auto group = icons.group(index);
        if (!group) {
            return group.error();
        }
        auto images = locateGroup(source, icons, *group);
        if (!images) {
            return images.error();
        }
        summaries.push_back(summarise(static_cast<int>(index), group->name, group->language, *images));
    }
    return summaries;
}

Result<std::size_t> groupIndex(const IconResources& icons, int iconNumber)
{
    if (iconNumber >= 0) {
        if (static_cast<std::size_t>(iconNumber) >= icons.groupCount()) {
            return Error{ErrorCode::NoSuchIcon, 0};
        }
        return static_cast<std::size_t>(iconNumber);
    }
    const auto found = iconNumber < lowestIconNumber ? std::nullopt
                                                     : icons.findGroup(static_cast<std::uint16_t>(-iconNumber));
    if (!found) {
        return Error{ErrorCode::NoSuchIcon, 0};
    }
    return *found;
}

Result<Icon> read(const ByteSource& source, int iconNumber, std::optional<int> sizePx)
{
    if (sizePx && *sizePx <= 0) {
        return Error{ErrorCode::InvalidArgument, 0};
    }
    auto format = detectFormat(source);
    if (!format) {
        return format.error();
    }
    if (format->format == SourceFormat::Ico) {
        if (iconNumber != 0) {
            return Error{ErrorCode::NoSuchIcon, 0};
        }
        auto images = locateIcoImages(source);
        if (!images) {
            return images.error();
        }
        return loadIcon(source, *images, sizePx);
    }
    auto resources = openResources(source, *format);
    if (!resources) {
        return resources.error();
    }
    IconResources& icons = **resources;
    if (icons.groupCount() == 0) {
        return Error{ErrorCode::NoIcons, 0};
    }
    auto index = groupIndex(icons, iconNumber);
    if (!index) {
        return index.error();
    }
    auto group = icons.group(*index);
    if (!group) {
        return group.error();
    }
    auto images = locateGroup(source, icons, *group);
    if (!images) {
        return images.error();
    }
    return loadIcon(source, *images, sizePx);
}

Result<void> extract(const std::filesystem::path& sourcePath, int iconNumber,
                     const std::filesystem::path& destinationPath, std::optional<int> sizePx)
{
    auto source = FileSource::open(sourcePath);
    if (!source) {
        return source.error();
    }
    // Same device and inode, however reached: through a link, a hard link or another spelling.
    std::error_code error;
    if (!destinationPath.empty() && std::filesystem::equivalent(sourcePath, destinationPath, error)) {
        return Error{ErrorCode::DestinationIsSource, 0};
    }
    auto icon = read(*source, iconNumber, sizePx);
    if (!icon) {
        return icon.error();
    }
    auto bytes = encodeIco(*icon);
    if (!bytes) {
        return bytes.error();
    }
    return writeFileAtomically(destinationPath, *bytes);
}

} // namespace

Result<std::vector<IconSummary>> listIcons(const ByteSource& source)
{
    return guarded([&] { return list(source); });
}

Result<Icon> readIcon(const ByteSource& source, int iconNumber, std::optional<int> sizePx)
{
    return guarded([&] { return read(source, iconNumber, sizePx); });
}

Result<void> extractIconToFile(const std::filesystem::path& sourcePath, int iconNumber,
                               const std::filesystem::path& destinationPath, std::optional<int> sizePx)
{
    return guarded([&] { return extract(sourcePath, iconNumber, destinationPath, sizePx); });
}

} // namespace zorvane::extraction
