// Which image of an icon suits a picture box best.
#pragma once

#include "extraction/icon.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zorvane {

struct BoxSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The largest image that fits the box, the deepest colours among equals; when none fits, the smallest
// larger one, for the caller to scale down.  Nothing for an icon without images.
std::optional<std::size_t> chooseIconImage(std::span<const extraction::IconImageInfo> images, BoxSize box);

} // namespace zorvane
