// The .ico written: its header, a directory that tells the truth about each image, the images verbatim.
#include "support/ico.h"
#include "support/pe.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

namespace zorvane::extraction {
namespace {

using namespace testsupport;

Icon iconOf(const std::vector<Bytes>& images)
{
    Icon icon;
    for (const Bytes& data : images) {
        // The info is deliberately wrong: the encoder must describe what the data is.
        icon.images.push_back({IconImageInfo{1, 1, 200, 9, 9, ImageFormat::Png, 1}, data});
    }
    return icon;
}

TEST(IcoEncoding, DirectoryDescribesEachImageFromItsOwnHeader)
{
    const std::vector<ImageShape> shapes{{16, 16, 1}, {16, 16, 4}, {24, 32, 8}, {48, 48, 24},
                                       {255, 255, 32}, {256, 256, 32}, {256, 256, 32, true}, {300, 512, 32, true}};
    std::vector<Bytes> images;
    for (const ImageShape& shape : shapes) {
        images.push_back(makeImage(shape));
    }
    const Bytes ico = encodeIco(iconOf(images)).value();

    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(getU16(ico, 0), 0);
    EXPECT_EQ(getU16(ico, 2), 1);
    EXPECT_EQ(getU16(ico, 4), shapes.size());
    std::size_t expectedOffset = 6 + 16 * shapes.size();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE(i);
        const std::size_t at = 6 + 16 * i;
        const ImageClaim claim = honestClaim(shapes[i], images[i].size());
        EXPECT_EQ(ico[at], claim.width);
        EXPECT_EQ(ico[at + 1], claim.height);
        EXPECT_EQ(ico[at + 2], claim.colorCount);
        EXPECT_EQ(ico[at + 3], 0);
        EXPECT_EQ(getU16(ico, at + 4), 1);
        EXPECT_EQ(getU16(ico, at + 6), claim.bitCount);
        EXPECT_EQ(getU32(ico, at + 8), images[i].size());
        EXPECT_EQ(getU32(ico, at + 12), expectedOffset);
        ASSERT_LE(expectedOffset + images[i].size(), ico.size());
        EXPECT_TRUE(std::equal(images[i].begin(), images[i].end(), ico.begin() + static_cast<std::ptrdiff_t>(expectedOffset)));
        expectedOffset += images[i].size();
    }
    EXPECT_EQ(ico.size(), expectedOffset) << "no padding, no trailing bytes";
}

// A 4-bit image with a 5-colour palette keeps its palette size; the mask is not part of the height.
TEST(IcoEncoding, ColourCountAndHeightComeFromTheBitmapHeader)
{
    Bytes image = makeImage({20, 10, 4});
    putU32(image, 32, 5);  // biClrUsed
    const Bytes ico = encodeIco(iconOf({image})).value();
    EXPECT_EQ(ico[6], 20);
    EXPECT_EQ(ico[7], 10);
    EXPECT_EQ(ico[8], 5);
}

// Through a PE whose group entries lie about every field: the output is the honest .ico.
TEST(IcoEncoding, GroupClaimsAreCorrectedAndByteCountsAreExact)
{
    const std::vector<ImageShape> shapes{{16, 16, 4}, {32, 32, 32}, {256, 256, 32, true}};
    std::vector<Resource> resources;
    std::vector<GroupEntry> lies;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const auto imageId = static_cast<std::uint16_t>(i + 1);
        resources.push_back({iconType, id(imageId), 0, makeImage(shapes[i])});
        lies.push_back({ImageClaim{64, 64, 0, 0, 8, 0x7FFFFFFF}, imageId});
    }
    resources.push_back({groupIconType, id(1), 0, makeGroup(lies)});
    const BuiltPe pe = buildPe(resources);
    const MemorySource source(pe.bytes);
    const auto icon = readIcon(source, 0);
    ASSERT_TRUE(icon.ok());
    EXPECT_EQ(icon->images[2].info.width, 256u);
    EXPECT_EQ(icon->images[2].info.format, ImageFormat::Png);
    EXPECT_EQ(encodeIco(*icon).value(), buildIco(shapes));
}

TEST(IcoEncoding, RefusesWhatIsNoIcon)
{
    EXPECT_EQ(encodeIco(Icon{}).error().code, ErrorCode::InvalidArgument);
    EXPECT_EQ(encodeIco(iconOf({Bytes(100, 0)})).error().code, ErrorCode::BadIconImage);
    EXPECT_EQ(encodeIco(iconOf({Bytes{}})).error().code, ErrorCode::BadIconImage);
    EXPECT_EQ(encodeIco(iconOf(std::vector<Bytes>(1025, makeImage({1, 1, 1})))).error().code,
              ErrorCode::TooManyImages);
}

} // namespace
} // namespace zorvane::extraction
