// Reading an icon costs the icon, not the file: an installer with gigabytes appended reads as fast.
#include "support/pe.h"
#include "support/sources.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

namespace zorvane::extraction {
namespace {

using namespace testsupport;

TEST(BoundedReading, ReadsOnlyHeadersDirectoryAndTheChosenImages)
{
    std::vector<Resource> resources;
    addIcon(resources, id(1), {{16, 16, 32}, {32, 32, 32}, {256, 256, 32}}, 1);
    addIcon(resources, id(2), {{48, 48, 32}}, 10);
    const BuiltPe pe = buildPe(resources);
    const std::size_t chosenImage = makeImage({32, 32, 32}).size();

    for (const std::uint64_t appended : {std::uint64_t{0}, std::uint64_t{4} << 30, std::uint64_t{1} << 40}) {
        SCOPED_TRACE(appended);
        const SparseSource source(pe.bytes, pe.bytes.size() + appended);
        const auto icon = readIcon(source, 0, 32);
        ASSERT_TRUE(icon.ok());
        ASSERT_EQ(icon->images.size(), 1u);
        EXPECT_EQ(icon->images[0].data.size(), chosenImage);
        // Headers, tree and image headers are well under 2 KiB here; the 256-pixel image is not read.
        EXPECT_LT(source.bytesRead(), chosenImage + 2048);
        EXPECT_LT(source.reads(), 40u);

        const SparseSource listed(pe.bytes, pe.bytes.size() + appended);
        ASSERT_TRUE(listIcons(listed).ok());
        EXPECT_LT(listed.bytesRead(), 2048u);
    }
}

} // namespace
} // namespace zorvane::extraction
