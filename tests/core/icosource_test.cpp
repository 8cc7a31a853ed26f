// An .ico file as the source: one icon, validated, and written out normalised.
#include "support/ico.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

namespace zorvane::extraction {
namespace {

using namespace testsupport;

TEST(IcoSource, IsNormalisedOnTheWayThrough)
{
    const std::vector<ImageShape> shapes{{16, 16, 4}, {48, 48, 32}, {256, 256, 32, true}};
    const Bytes honest = buildIco(shapes);

    // The same images behind a lying directory, in a different place, with gaps, an empty
    // entry and trailing bytes.
    Bytes messy(6 + 16 * 4, 0);
    putU16(messy, 2, 1);
    putU16(messy, 4, 4);
    const std::vector<std::size_t> order{2, 0, 1};  // where each image goes in the file
    std::vector<std::uint32_t> offsets(shapes.size());
    for (const std::size_t i : order) {
        messy.insert(messy.end(), 13, 0xEE);
        offsets[i] = static_cast<std::uint32_t>(messy.size());
        const Bytes image = makeImage(shapes[i]);
        messy.insert(messy.end(), image.begin(), image.end());
    }
    messy.insert(messy.end(), 100, 0xEE);
    for (std::size_t i = 0, entry = 0; i < shapes.size(); ++i, ++entry) {
        if (i == 1) {
            ++entry;  // an empty entry between the first and second image
        }
        const std::size_t at = 6 + 16 * entry;
        messy[at] = 99;
        messy[at + 1] = 7;
        messy[at + 2] = 3;
        putU16(messy, at + 6, 1);
        putU32(messy, at + 8, static_cast<std::uint32_t>(makeImage(shapes[i]).size()));
        putU32(messy, at + 12, offsets[i]);
    }

    const MemorySource source(messy);
    const auto icon = readIcon(source, 0);
    ASSERT_TRUE(icon.ok()) << message(icon.error().code);
    EXPECT_EQ(encodeIco(*icon).value(), honest);

    const auto list = listIcons(source);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ(list->front().number, 0);
    EXPECT_EQ(list->front().images.size(), 3u);

    EXPECT_EQ(readIcon(source, 1).error().code, ErrorCode::NoSuchIcon);
    EXPECT_EQ(readIcon(source, -1).error().code, ErrorCode::NoSuchIcon);
    EXPECT_EQ(readIcon(source, 0, 20).value().images.at(0).info.width, 16u);
}

} // namespace
} // namespace zorvane::extraction
