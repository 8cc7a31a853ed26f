// Which icon a number selects, which images it gets, and which image a size selects, in PE files.
#include "support/pe.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

#include <climits>

namespace zorvane::extraction {
namespace {

using testsupport::addIcon;
using testsupport::buildPe;
using testsupport::Bytes;
using testsupport::ImageShape;
using testsupport::PeOptions;
using testsupport::Resource;

std::vector<Bytes> imageData(const Icon& icon)
{
    std::vector<Bytes> data;
    for (const IconImage& image : icon.images) {
        data.push_back(image.data);
    }
    return data;
}

std::vector<Bytes> made(const std::vector<ImageShape>& shapes)
{
    std::vector<Bytes> data;
    for (const ImageShape& shape : shapes) {
        data.push_back(testsupport::makeImage(shape));
    }
    return data;
}

const std::vector<ImageShape> mainImages{{16, 16, 4}, {32, 32, 32}};
const std::vector<ImageShape> twoImages{{24, 24, 8}};
const std::vector<ImageShape> sevenImages{{48, 48, 32}, {256, 256, 32, true}};

// Groups given out of order: the linker's order (named first, then IDs ascending) is the numbering.
Bytes threeGroups(const PeOptions& options)
{
    std::vector<Resource> resources;
    addIcon(resources, testsupport::id(7), sevenImages, 70);
    addIcon(resources, testsupport::named("MAINICON"), mainImages, 10);
    addIcon(resources, testsupport::id(2), twoImages, 20);
    return buildPe(resources, options).bytes;
}

class AnyPe : public ::testing::TestWithParam<PeOptions> {};

INSTANTIATE_TEST_SUITE_P(Machines, AnyPe,
                         ::testing::Values(PeOptions{false, 0x14C}, PeOptions{true, 0x8664},
                                           PeOptions{true, 0xAA64}, PeOptions{false, 0x1C4}),
                         [](const auto& row) {
                             return std::string(row.param.pe32Plus ? "pe32plus_" : "pe32_")
                                 + std::to_string(row.param.machine);
                         });

TEST_P(AnyPe, NumbersIconsInDirectoryOrderAndByNegativeId)
{
    const Bytes file = threeGroups(GetParam());
    const MemorySource source(file);

    const auto list = listIcons(source);
    ASSERT_TRUE(list.ok()) << static_cast<int>(list.error().code);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0].name.name, "MAINICON");
    EXPECT_FALSE((*list)[0].name.id.has_value());
    EXPECT_EQ((*list)[1].name.id, 2);
    EXPECT_EQ((*list)[2].name.id, 7);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ((*list)[static_cast<std::size_t>(i)].number, i);
    }
    ASSERT_EQ((*list)[2].images.size(), 2u);
    EXPECT_EQ((*list)[2].images[1].width, 256u);
    EXPECT_EQ((*list)[2].images[1].format, ImageFormat::Png);

    const std::vector<std::pair<int, std::vector<Bytes>>> cases{
        {0, made(mainImages)}, {1, made(twoImages)}, {2, made(sevenImages)},
        {-2, made(twoImages)}, {-7, made(sevenImages)}};
    for (const auto& [number, expected] : cases) {
        const auto icon = readIcon(source, number);
        ASSERT_TRUE(icon.ok()) << number;
        EXPECT_EQ(imageData(*icon), expected) << number;
    }
    for (const int missing : {3, INT_MAX, -1, -3, -65535, -65536, INT_MIN}) {
        const auto icon = readIcon(source, missing);
        ASSERT_FALSE(icon.ok()) << missing;
        EXPECT_EQ(icon.error().code, ErrorCode::NoSuchIcon) << missing;
    }
}

TEST(Selection, NamesAreUtf8)
{
    std::vector<Resource> resources;
    addIcon(resources, testsupport::named("主图标 \xF0\x9F\x98\x80"), mainImages, 1);
    const Bytes file = buildPe(resources).bytes;
    const MemorySource source(file);
    EXPECT_EQ(listIcons(source).value().at(0).name.name, "主图标 \xF0\x9F\x98\x80");
}

TEST(Selection, FileWithoutIconGroupsHasNoIcons)
{
    std::vector<Resource> onlyImages{{testsupport::iconType, testsupport::id(1), 0, testsupport::makeImage({})}};
    for (const Bytes& file : {buildPe({}).bytes, buildPe(onlyImages).bytes}) {
        const MemorySource source(file);
        EXPECT_EQ(readIcon(source, 0).error().code, ErrorCode::NoIcons);
        EXPECT_EQ(listIcons(source).error().code, ErrorCode::NoIcons);
    }
}

// A group in two languages, and images found in the group's language, then neutral, then any.
TEST(Selection, ChoosesGroupLanguageThenImageLanguageFallback)
{
    constexpr std::uint16_t english = 0x409;
    constexpr std::uint16_t chinese = 0x804;
    const auto image = [](std::uint32_t size) { return testsupport::makeImage({size, size, 32}); };
    const auto entry = [](std::uint16_t imageId) {
        return testsupport::GroupEntry{testsupport::honestClaim({16, 16, 32}, 0), imageId};
    };
    std::vector<Resource> resources{
        // Image 10 in all three languages, 11 neutral and English, 12 English only.
        {testsupport::iconType, testsupport::id(10), 0, image(1)},
        {testsupport::iconType, testsupport::id(10), english, image(2)},
        {testsupport::iconType, testsupport::id(10), chinese, image(3)},
        {testsupport::iconType, testsupport::id(11), 0, image(4)},
        {testsupport::iconType, testsupport::id(11), english, image(5)},
        {testsupport::iconType, testsupport::id(12), english, image(6)},
        {testsupport::iconType, testsupport::id(20), english, image(7)},
        // Languages are stored ascending, so the English version of the group is the first.
        {testsupport::groupIconType, testsupport::id(1), chinese, testsupport::makeGroup({entry(10), entry(11), entry(12)})},
        {testsupport::groupIconType, testsupport::id(1), english, testsupport::makeGroup({entry(20)})},
    };
    const Bytes file = buildPe(resources).bytes;
    const MemorySource source(file);
    const auto list = listIcons(source);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ(list->front().language, english);
    EXPECT_EQ(imageData(*readIcon(source, 0)), std::vector<Bytes>{image(7)});

    resources.pop_back();
    const Bytes chineseOnly = buildPe(resources).bytes;
    const MemorySource chineseSource(chineseOnly);
    EXPECT_EQ(imageData(*readIcon(chineseSource, 0)), (std::vector<Bytes>{image(3), image(4), image(6)}));
}

TEST(Selection, SkipsMissingAndEmptyImagesButNotAllOfThem)
{
    const Bytes present = testsupport::makeImage({32, 32, 32});
    const auto entry = [](std::uint16_t imageId) {
        return testsupport::GroupEntry{testsupport::honestClaim({32, 32, 32}, 0), imageId};
    };
    std::vector<Resource> resources{
        {testsupport::iconType, testsupport::id(1), 0, {}},
        {testsupport::iconType, testsupport::id(2), 0, present},
        {testsupport::groupIconType, testsupport::id(1), 0, testsupport::makeGroup({entry(1), entry(9), entry(2)})},
        {testsupport::groupIconType, testsupport::id(2), 0, testsupport::makeGroup({entry(1), entry(9)})},
    };
    const Bytes file = buildPe(resources).bytes;
    const MemorySource source(file);
    EXPECT_EQ(imageData(*readIcon(source, 0)), std::vector<Bytes>{present});
    EXPECT_EQ(readIcon(source, 1).error().code, ErrorCode::IconImagesMissing);
}

TEST(Selection, PicksTheBestImageForASize)
{
    const std::vector<ImageShape> shapes{{16, 16, 4}, {16, 16, 32}, {32, 32, 8}, {48, 48, 32},
                                       {48, 48, 24}, {256, 256, 32, true}};
    std::vector<Resource> resources;
    addIcon(resources, testsupport::id(1), shapes, 1);
    const Bytes file = buildPe(resources).bytes;
    const MemorySource source(file);

    const std::vector<std::pair<int, std::size_t>> cases{
        {16, 1},    // largest not above, then deepest
        {31, 1},
        {32, 2},
        {47, 2},
        {48, 3},    // the 32-bit one of two 48s, though the 24-bit one comes later
        {255, 3},
        {256, 5},
        {100000, 5},
        {8, 1},     // all larger: the smallest, deepest first
    };
    for (const auto& [size, expected] : cases) {
        const auto icon = readIcon(source, 0, size);
        ASSERT_TRUE(icon.ok()) << size;
        EXPECT_EQ(imageData(*icon), std::vector<Bytes>{testsupport::makeImage(shapes[expected])}) << size;
    }
    EXPECT_EQ(readIcon(source, 0).value().images.size(), shapes.size());
    for (const int bad : {0, -16, INT_MIN}) {
        EXPECT_EQ(readIcon(source, 0, bad).error().code, ErrorCode::InvalidArgument) << bad;
    }
}

// Some linkers leave a section's VirtualSize at 0; its raw size then tells what the file holds.
TEST(Selection, SectionWithZeroVirtualSizeUsesItsRawSize)
{
    std::vector<Resource> resources;
    addIcon(resources, testsupport::id(1), mainImages, 1);
    auto pe = buildPe(resources);
    testsupport::putU32(pe.bytes, pe.sectionTableOffset + 40 + 8, 0);
    const MemorySource source(pe.bytes);
    EXPECT_EQ(imageData(*readIcon(source, 0)), made(mainImages));
}

} // namespace
} // namespace zorvane::extraction
