// Picking the image for a size, as a launcher or file manager would for a small or large view.
#include "imageselection.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace zorvane::extraction {

std::size_t bestImageFor(std::span<const IconImageInfo> images, int sizePx)
{
    assert(!images.empty() && sizePx > 0);
    const auto extent = [](const IconImageInfo& image) { return std::max(image.width, image.height); };
    const auto limit = static_cast<std::uint32_t>(sizePx);
    const bool anyFits = std::any_of(images.begin(), images.end(),
                                     [&](const IconImageInfo& image) { return extent(image) <= limit; });

    // Is `candidate` strictly better than `best`?
    const auto better = [&](const IconImageInfo& candidate, const IconImageInfo& best) {
        if (extent(candidate) != extent(best)) {
            return anyFits ? extent(candidate) > extent(best) : extent(candidate) < extent(best);
        }
        return candidate.bitCount > best.bitCount;
    };

    std::size_t best = images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (anyFits && extent(images[i]) > limit) {
            continue;
        }
        if (best == images.size() || better(images[i], images[best])) {
            best = i;
        }
    }
    return best;
}

} // namespace zorvane::extraction
