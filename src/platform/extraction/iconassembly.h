// From resource ranges to an icon: the images' real descriptions, the size choice, the image data.
#pragma once

#include "bytesource.h"
#include "icon.h"
#include "iconresources.h"
#include "result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zorvane::extraction {

struct LocatedImage {
    IconImageInfo info;
    std::uint64_t offset = 0;
};

// The ranges of the images a group names, in group order; images that do not exist are left out.
Result<std::vector<ResourceRange>> groupImageRanges(const ByteSource& source, IconResources& resources,
                                                    const GroupResource& group);

// Each non-empty image described from its own header; fails when none is left.
Result<std::vector<LocatedImage>> locateImages(const ByteSource& source, std::span<const ResourceRange> ranges);

// Every image, or only the best one for sizePx; reads the image data and nothing else.
Result<Icon> loadIcon(const ByteSource& source, std::span<const LocatedImage> images, std::optional<int> sizePx);

} // namespace zorvane::extraction
