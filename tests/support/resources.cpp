// Icon groups as an icon compiler would write them.
#include "resources.h"

namespace zorvane::testsupport {

Bytes makeGroup(const std::vector<GroupEntry>& entries)
{
    Bytes out(6 + 14 * entries.size(), 0);
    putU16(out, 2, 1);
    putU16(out, 4, static_cast<std::uint16_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = 6 + 14 * i;
        putClaim(out, at, entries[i].claim);
        putU16(out, at + 12, entries[i].imageId);
    }
    return out;
}

void addIcon(std::vector<Resource>& resources, ResourceName group, const std::vector<ImageShape>& images,
             std::uint16_t firstImageId, std::uint16_t language)
{
    std::vector<GroupEntry> entries;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto imageId = static_cast<std::uint16_t>(firstImageId + i);
        Bytes data = makeImage(images[i]);
        entries.push_back({honestClaim(images[i], data.size()), imageId});
        resources.push_back({iconType, id(imageId), language, std::move(data)});
    }
    resources.push_back({groupIconType, std::move(group), language, makeGroup(entries)});
}

} // namespace zorvane::testsupport
