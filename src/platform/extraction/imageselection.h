// The choice of the one image of an icon that best fits a requested size.
#pragma once

#include "icon.h"

#include <cstddef>
#include <span>

namespace zorvane::extraction {

// The largest image not above sizePx, the deepest among equals; when all are larger, the smallest.
// Ties keep the earlier image. `images` must not be empty.
std::size_t bestImageFor(std::span<const IconImageInfo> images, int sizePx);

} // namespace zorvane::extraction
