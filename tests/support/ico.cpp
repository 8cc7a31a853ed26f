// Laying out .ico files.
#include "ico.h"

namespace zorvane::testsupport {

Bytes buildIco(const std::vector<IcoImage>& images)
{
    Bytes out(6 + 16 * images.size(), 0);
    putU16(out, 2, 1);
    putU16(out, 4, static_cast<std::uint16_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t at = 6 + 16 * i;
        putClaim(out, at, images[i].claim);
        putU32(out, at + 12, static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), images[i].data.begin(), images[i].data.end());
    }
    return out;
}

Bytes buildIco(const std::vector<ImageShape>& images)
{
    std::vector<IcoImage> honest;
    for (const ImageShape& shape : images) {
        Bytes data = makeImage(shape);
        honest.push_back({honestClaim(shape, data.size()), std::move(data)});
    }
    return buildIco(honest);
}

} // namespace zorvane::testsupport
