// The fuzz target: every reader and the writer on one input, with the properties that must hold.
#include "extraction/extraction.h"

#include <cstdlib>

namespace {

using namespace zorvane::extraction;

// A crash with a message is easier to triage than a silent wrong result.
void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool sameImages(const Icon& a, const Icon& b)
{
    if (a.images.size() != b.images.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.images.size(); ++i) {
        const IconImageInfo& x = a.images[i].info;
        const IconImageInfo& y = b.images[i].info;
        if (a.images[i].data != b.images[i].data || x.width != y.width || x.height != y.height
            || x.bitCount != y.bitCount || x.colorCount != y.colorCount || x.planes != y.planes
            || x.format != y.format || x.byteCount != y.byteCount) {
            return false;
        }
    }
    return true;
}

// Whatever is read must encode, and the .ico written must read back as the same images and
// encode to the same bytes again.
void checkRoundTrip(const Icon& icon)
{
    for (const IconImage& image : icon.images) {
        require(image.info.byteCount == image.data.size());
    }
    const auto ico = encodeIco(icon);
    require(ico.ok());
    const MemorySource written(*ico);
    const auto reread = readIcon(written, 0);
    require(reread.ok() && sameImages(icon, *reread));
    const auto again = encodeIco(*reread);
    require(again.ok() && *again == *ico);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemorySource source(std::span<const std::uint8_t>(data, size));
    const auto list = listIcons(source);
    for (const int number : {0, 1, -1}) {
        const auto icon = readIcon(source, number);
        if (icon.ok()) {
            checkRoundTrip(*icon);
        }
        // What is listed can be read, up to the limit on a whole icon that listing does not apply.
        if (list.ok() && number >= 0 && static_cast<std::size_t>(number) < list->size()) {
            require(icon.ok() || icon.error().code == ErrorCode::IconTooLarge);
            require(!icon.ok() || icon->images.size() == (*list)[static_cast<std::size_t>(number)].images.size());
        }
    }
    const auto small = readIcon(source, 0, 24);
    if (small.ok()) {
        require(small->images.size() == 1);
        checkRoundTrip(*small);
    }
    return 0;
}
