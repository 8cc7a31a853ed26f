// Resources as a test describes them, before any builder lays them out in an executable.
#pragma once

#include "bytes.h"
#include "images.h"

#include "extraction/icon.h"

#include <cstdint>
#include <vector>

namespace zorvane::testsupport {

using extraction::ResourceName;

inline constexpr std::uint16_t iconType = 3;        // RT_ICON: one image
inline constexpr std::uint16_t groupIconType = 14;  // RT_GROUP_ICON: a directory of images by ID

struct Resource {
    std::uint16_t type = 0;
    ResourceName name;          // an ID, or (id empty) a string
    std::uint16_t language = 0; // ignored by the NE builder: NE has no languages
    Bytes data;
};

inline ResourceName id(std::uint16_t value) { return {value, {}}; }
inline ResourceName named(std::string text) { return {std::nullopt, std::move(text)}; }

// One GRPICONDIRENTRY: what the group claims about the image with this ID.
struct GroupEntry {
    ImageClaim claim;
    std::uint16_t imageId = 0;
};

// GRPICONDIR bytes: reserved 0, type 1, the count, then the 14-byte entries.
Bytes makeGroup(const std::vector<GroupEntry>& entries);

// Appends one RT_ICON per shape, with IDs firstImageId, firstImageId + 1 ..., and then an
// RT_GROUP_ICON named `group` that lists them honestly, all in `language`.
void addIcon(std::vector<Resource>& resources, ResourceName group, const std::vector<ImageShape>& images,
             std::uint16_t firstImageId, std::uint16_t language = 0);

} // namespace zorvane::testsupport
