// NE executables: alignment shifts, both conventions for resource lengths, names, numbering.
#include "support/ne.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

namespace zorvane::extraction {
namespace {

using namespace testsupport;

const std::vector<ImageShape> firstImages{{16, 16, 4}, {32, 32, 4}};
const std::vector<ImageShape> secondImages{{32, 32, 8}};

struct NeCase {
    std::uint16_t shift;
    bool lengthsInBytes;
};

class NeLayouts : public ::testing::TestWithParam<NeCase> {};

INSTANTIATE_TEST_SUITE_P(Conventions, NeLayouts,
                         ::testing::Values(NeCase{0, false}, NeCase{4, false}, NeCase{9, false},
                                           NeCase{4, true}, NeCase{9, true}, NeCase{15, true}),
                         [](const auto& row) {
                             return "shift" + std::to_string(row.param.shift)
                                 + (row.param.lengthsInBytes ? "_bytes" : "_units");
                         });

// Whichever convention the file uses, each image starts where it should and holds the whole
// image; with lengths in alignment units, the resource also holds the padding to the next unit.
TEST_P(NeLayouts, ReadsEveryImageWhole)
{
    std::vector<Resource> resources;
    addIcon(resources, named("APPICON"), firstImages, 1);
    addIcon(resources, id(5), secondImages, 10);
    const BuiltNe ne = buildNe(resources, {GetParam().shift, GetParam().lengthsInBytes});
    const MemorySource source(ne.bytes);

    const auto list = listIcons(source);
    ASSERT_TRUE(list.ok()) << message(list.error().code);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].name.name, "APPICON");
    EXPECT_EQ((*list)[1].name.id, 5);
    EXPECT_EQ((*list)[1].images.at(0).bitCount, 8);

    for (const auto& [number, shapes] : {std::pair{0, firstImages}, std::pair{-5, secondImages}}) {
        const auto icon = readIcon(source, number);
        ASSERT_TRUE(icon.ok()) << message(icon.error().code);
        ASSERT_EQ(icon->images.size(), shapes.size());
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            const Bytes expected = makeImage(shapes[i]);
            const Bytes& got = icon->images[i].data;
            const std::size_t unit = std::size_t{1} << GetParam().shift;
            const std::size_t padded = (expected.size() + unit - 1) / unit * unit;
            EXPECT_EQ(got.size(), GetParam().lengthsInBytes ? expected.size() : padded);
            ASSERT_GE(got.size(), expected.size());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), got.begin()));
            EXPECT_EQ(icon->images[i].info.byteCount, got.size());
        }
    }
}

TEST(NeResources, WithoutResourceTableHasNoIcons)
{
    BuiltNe ne = buildNe({});
    putU16(ne.bytes, ne.neOffset + 0x26, getU16(ne.bytes, ne.neOffset + 0x24));
    const MemorySource source(ne.bytes);
    EXPECT_EQ(readIcon(source, 0).error().code, ErrorCode::NoIcons);
}

} // namespace
} // namespace zorvane::extraction
