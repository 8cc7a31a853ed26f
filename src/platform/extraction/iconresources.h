// The icon groups and icon images of an executable, whatever its format, found on demand.
#pragma once

#include "icon.h"
#include "result.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zorvane::extraction {

// Where a resource's bytes lie in the file; not yet checked against the file's size.
struct ResourceRange {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

struct GroupResource {
    ResourceName name;
    std::uint16_t language = 0;
    ResourceRange range;
};

// Implementations resolve each entry only when asked, so that damage in a part of the resource tree
// that the chosen icon does not use does not stop it, as it would not stop Windows.
class IconResources {
public:
    virtual ~IconResources() = default;

    // Icon groups (resource type 14), in the order they are stored.
    virtual std::size_t groupCount() const = 0;
    // The position of the group with this numeric ID, if there is one.
    virtual std::optional<std::size_t> findGroup(std::uint16_t id) const = 0;
    // The group in its first language.
    virtual Result<GroupResource> group(std::size_t index) = 0;
    // The icon image (resource type 3) with this ID, preferring this language; none when missing.
    virtual Result<std::optional<ResourceRange>> image(std::uint16_t id, std::uint16_t language) = 0;
};

} // namespace zorvane::extraction
