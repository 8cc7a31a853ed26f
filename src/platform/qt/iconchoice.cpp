// Choosing the image of an icon to show in a box of a given size.
#include "qt/iconchoice.h"

namespace zorvane {
namespace {

bool fits(const extraction::IconImageInfo& image, BoxSize box)
{
    return image.width <= box.width && image.height <= box.height;
}

std::uint64_t area(const extraction::IconImageInfo& image)
{
    return std::uint64_t{image.width} * image.height;
}

// Among images that fit, the bigger is sharper; among those that do not, the smaller loses least
// when scaled down.
bool isBetter(const extraction::IconImageInfo& candidate, const extraction::IconImageInfo& current, BoxSize box)
{
    const bool candidateFits = fits(candidate, box);
    if (candidateFits != fits(current, box))
        return candidateFits;
    if (area(candidate) != area(current))
        return candidateFits ? area(candidate) > area(current) : area(candidate) < area(current);
    return candidate.bitCount > current.bitCount;
}

} // namespace

std::optional<std::size_t> chooseIconImage(std::span<const extraction::IconImageInfo> images, BoxSize box)
{
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (!best || isBetter(images[i], images[*best], box))
            best = i;
    }
    return best;
}

} // namespace zorvane
