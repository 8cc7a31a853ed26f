// One table of damaged files, each a small valid file with one fault, and the error each must give.
#include "support/ico.h"
#include "support/ne.h"
#include "support/pe.h"
#include "support/sources.h"

#include "extraction/extraction.h"

#include <gtest/gtest.h>

#include <functional>

namespace zorvane::extraction {
namespace {

using namespace testsupport;

// One group (ID 1) of two images (IDs 1 and 2), in a PE32 image; resource order: image 1, image 2, group.
BuiltPe validPe(std::vector<Resource> extra = {})
{
    std::vector<Resource> resources;
    addIcon(resources, id(1), {{16, 16, 4}, {32, 32, 32}}, 1);
    resources.insert(resources.end(), extra.begin(), extra.end());
    return buildPe(resources);
}

BuiltPe namedGroupPe()
{
    std::vector<Resource> resources;
    addIcon(resources, named("APP"), {{16, 16, 32}}, 1);
    return buildPe(resources);
}

constexpr std::size_t image1 = 0;
constexpr std::size_t image2 = 1;
constexpr std::size_t group = 2;

// Root entries: type 3 (icons) first, then type 14 (groups); each type directory has its names.
std::uint32_t iconTypeEntry(const BuiltPe& pe) { return directoryEntryOffset(pe.resourceOffset, 0); }
std::uint32_t groupTypeEntry(const BuiltPe& pe) { return directoryEntryOffset(pe.resourceOffset, 1); }
std::uint32_t subdirectory(const BuiltPe& pe, std::uint32_t entry)
{
    return pe.resourceOffset + (getU32(pe.bytes, entry + 4) & 0x7FFFFFFF);
}
std::uint32_t groupNameEntry(const BuiltPe& pe) { return directoryEntryOffset(subdirectory(pe, groupTypeEntry(pe)), 0); }
std::uint32_t groupLanguageEntry(const BuiltPe& pe)
{
    return directoryEntryOffset(subdirectory(pe, groupNameEntry(pe)), 0);
}
std::uint32_t resourceSectionHeader(const BuiltPe& pe) { return pe.sectionTableOffset + 40; }

Bytes withPe(const std::function<void(BuiltPe&)>& damage)
{
    BuiltPe pe = validPe();
    damage(pe);
    return pe.bytes;
}

Bytes truncated(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

// The group's bytes within the PE, rewritten.
Bytes withGroup(const std::function<void(Bytes&, std::size_t)>& damage)
{
    return withPe([&](BuiltPe& pe) { damage(pe.bytes, pe.dataOffsets[group]); });
}

Bytes withImage1(const std::function<void(Bytes&, std::size_t)>& damage)
{
    return withPe([&](BuiltPe& pe) { damage(pe.bytes, pe.dataOffsets[image1]); });
}

// Bytes of the resource section claimed far beyond the file, so that only a size check can stop a read.
void hugeResourceSection(BuiltPe& pe)
{
    putU32(pe.bytes, resourceSectionHeader(pe) + 8, 0x10000000);
    putU32(pe.bytes, resourceSectionHeader(pe) + 16, 0x10000000);
}

BuiltNe validNe(const NeOptions& options = {})
{
    std::vector<Resource> resources;
    addIcon(resources, id(1), {{16, 16, 4}, {32, 32, 32}}, 1);
    return buildNe(resources, options);
}

Bytes withNe(const std::function<void(BuiltNe&)>& damage)
{
    BuiltNe ne = validNe();
    damage(ne);
    return ne.bytes;
}

Bytes withIco(const std::function<void(Bytes&)>& damage)
{
    Bytes ico = buildIco(std::vector<ImageShape>{{16, 16, 8}, {32, 32, 32}});
    damage(ico);
    return ico;
}

// A group naming one image 1000 times, the image in 300 languages: each lookup reads them all.
Bytes resourceEntryFlood()
{
    std::vector<Resource> resources;
    const Bytes tiny = makeImage({1, 1, 1});
    for (std::uint16_t language = 1; language <= 300; ++language) {
        resources.push_back({iconType, id(1), language, tiny});
    }
    resources.push_back({groupIconType, id(1), 0,
                         makeGroup(std::vector<GroupEntry>(1000, GroupEntry{honestClaim({1, 1, 1}, tiny.size()), 1}))});
    return buildPe(resources).bytes;
}

struct DamagedCase {
    const char* name;
    std::function<Bytes()> make;
    ErrorCode expected;
};

std::ostream& operator<<(std::ostream& out, const DamagedCase& damaged) { return out << damaged.name; }

const DamagedCase damagedCases[] = {
    // Not an executable at all, or not one with Windows resources.
    {"empty_file", [] { return Bytes{}; }, ErrorCode::NotExecutable},
    {"text_file", [] { return Bytes{'h', 'e', 'l', 'l', 'o', '\n'}; }, ErrorCode::NotExecutable},
    {"cursor_file", [] { return withIco([](Bytes& b) { putU16(b, 2, 2); }); }, ErrorCode::NotExecutable},
    {"os2_lx_header", [] { return withPe([](BuiltPe& pe) { pe.bytes[pe.peOffset] = 'L'; pe.bytes[pe.peOffset + 1] = 'X'; }); },
     ErrorCode::NotExecutable},
    // DOS and PE headers.
    {"mz_only", [] { return Bytes{'M', 'Z'}; }, ErrorCode::BadDosHeader},
    {"dos_header_truncated", [] { return truncated(validPe().bytes, 0x3E); }, ErrorCode::BadDosHeader},
    {"e_lfanew_beyond_end", [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, 0x3C, 0x7FFFFFF0); }); },
     ErrorCode::BadDosHeader},
    {"e_lfanew_wraps", [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, 0x3C, 0xFFFFFFFE); }); },
     ErrorCode::BadDosHeader},
    {"file_header_truncated", [] { return truncated(validPe().bytes, 0x40 + 12); }, ErrorCode::TruncatedFile},
    {"optional_header_truncated", [] { return truncated(validPe().bytes, 0x40 + 24 + 60); }, ErrorCode::TruncatedFile},
    {"bad_optional_magic", [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.optionalHeaderOffset, 0x107); }); },
     ErrorCode::BadPeHeader},
    {"optional_header_too_small", [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.peOffset + 20, 0x40); }); },
     ErrorCode::BadPeHeader},
    {"optional_header_ends_before_resources",
     [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.peOffset + 20, 96 + 8); }); }, ErrorCode::BadPeHeader},
    {"two_data_directories_only",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.optionalHeaderOffset + 92, 2); }); }, ErrorCode::NoIcons},
    {"no_resource_directory", [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.resourceDirectoryField, 0); }); },
     ErrorCode::NoIcons},
    // Section table.
    {"too_many_sections", [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.peOffset + 6, 0xFFFF); }); },
     ErrorCode::TooManySections},
    {"section_table_beyond_end", [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.peOffset + 20, 0xFFF0); }); },
     ErrorCode::SectionTableOutOfBounds},
    {"section_table_truncated", [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.peOffset + 6, 900); }); },
     ErrorCode::SectionTableOutOfBounds},
    // Where the resource directory is.
    {"resource_rva_in_no_section",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.resourceDirectoryField, 0x9000); }); },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"resource_size_wraps",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.resourceDirectoryField + 4, 0xFFFFFFFF); }); },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"resource_directory_past_its_section",
     [] {
         return withPe([](BuiltPe& pe) {
             putU32(pe.bytes, pe.resourceDirectoryField + 4, getU32(pe.bytes, resourceSectionHeader(pe) + 16) + 1);
         });
     },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"resource_section_not_file_backed",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, resourceSectionHeader(pe) + 16, 0); }); },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"resource_section_beyond_end",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, resourceSectionHeader(pe) + 20, 0x7FFFF000); }); },
     ErrorCode::TruncatedFile},
    {"file_truncated_in_resource_data",
     [] { BuiltPe pe = validPe(); return truncated(pe.bytes, pe.dataOffsets[group] + 3); }, ErrorCode::TruncatedFile},
    // The resource tree.
    {"root_entries_beyond_directory",
     [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, pe.resourceOffset + 14, 0xFFFF); }); },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"group_type_is_data_entry",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, groupTypeEntry(pe) + 4, 0); }); },
     ErrorCode::BadResourceDirectory},
    {"group_type_points_to_root",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, groupTypeEntry(pe) + 4, 0x80000000); }); },
     ErrorCode::ResourceDirectoryLoop},
    {"group_name_points_to_its_type",
     [] {
         return withPe([](BuiltPe& pe) {
             putU32(pe.bytes, groupNameEntry(pe) + 4, getU32(pe.bytes, groupTypeEntry(pe) + 4));
         });
     },
     ErrorCode::ResourceDirectoryLoop},
    {"group_language_points_to_its_name",
     [] {
         return withPe([](BuiltPe& pe) {
             putU32(pe.bytes, groupLanguageEntry(pe) + 4, getU32(pe.bytes, groupNameEntry(pe) + 4));
         });
     },
     ErrorCode::ResourceDirectoryLoop},
    {"group_language_is_fourth_level",
     [] {
         return withPe([](BuiltPe& pe) {
             putU32(pe.bytes, groupLanguageEntry(pe) + 4, getU32(pe.bytes, iconTypeEntry(pe) + 4));
         });
     },
     ErrorCode::BadResourceDirectory},
    {"group_without_languages",
     [] { return withPe([](BuiltPe& pe) { putU16(pe.bytes, subdirectory(pe, groupNameEntry(pe)) + 14, 0); }); },
     ErrorCode::BadResourceDirectory},
    {"group_directory_offset_beyond_tree",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, groupNameEntry(pe) + 4, 0xFFFFFFF0); }); },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"group_data_entry_beyond_tree",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, groupLanguageEntry(pe) + 4, 0x7FFFFFF8); }); },
     ErrorCode::ResourceDirectoryOutOfBounds},
    {"group_name_string_beyond_tree",
     [] {
         BuiltPe pe = namedGroupPe();
         putU32(pe.bytes, groupNameEntry(pe), 0x80000000 | 0x7FFFFFF0);
         return pe.bytes;
     },
     ErrorCode::BadResourceName},
    {"group_name_string_too_long",
     [] {
         BuiltPe pe = namedGroupPe();
         putU16(pe.bytes, pe.resourceOffset + (getU32(pe.bytes, groupNameEntry(pe)) & 0x7FFFFFFF), 0xFFFF);
         return pe.bytes;
     },
     ErrorCode::BadResourceName},
    {"resource_entry_flood", resourceEntryFlood, ErrorCode::TooManyResourceEntries},
    // Where the data of a resource is.
    {"group_rva_in_no_section",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.dataEntryOffsets[group], 0x00900000); }); },
     ErrorCode::ResourceOutOfBounds},
    {"group_rva_plus_size_wraps",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.dataEntryOffsets[group] + 4, 0xFFFFFFF0); }); },
     ErrorCode::ResourceOutOfBounds},
    {"image_beyond_file_backed_part_of_text",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.dataEntryOffsets[image1], 0x1000 + 0x10); }); },
     ErrorCode::ResourceOutOfBounds},
    {"image_spans_two_sections",
     [] {
         return withPe([](BuiltPe& pe) {
             putU32(pe.bytes, pe.sectionTableOffset + 8, 0x1000);  // .text now backs all of its 0x1000
             putU32(pe.bytes, pe.sectionTableOffset + 16, 0x1000);
             putU32(pe.bytes, pe.dataEntryOffsets[image1], 0x2000 - 8);
         });
     },
     ErrorCode::ResourceOutOfBounds},
    {"image_too_large",
     [] {
         return withPe([](BuiltPe& pe) {
             hugeResourceSection(pe);
             putU32(pe.bytes, pe.dataEntryOffsets[image1] + 4, 17 * 1024 * 1024);
         });
     },
     ErrorCode::ImageTooLarge},
    // The icon group.
    {"group_reserved_not_zero", [] { return withGroup([](Bytes& b, std::size_t at) { putU16(b, at, 1); }); },
     ErrorCode::BadIconGroup},
    {"group_of_cursors", [] { return withGroup([](Bytes& b, std::size_t at) { putU16(b, at + 2, 2); }); },
     ErrorCode::BadIconGroup},
    {"group_count_beyond_data", [] { return withGroup([](Bytes& b, std::size_t at) { putU16(b, at + 4, 3); }); },
     ErrorCode::BadIconGroup},
    {"group_count_zero", [] { return withGroup([](Bytes& b, std::size_t at) { putU16(b, at + 4, 0); }); },
     ErrorCode::BadIconGroup},
    {"group_count_huge", [] { return withGroup([](Bytes& b, std::size_t at) { putU16(b, at + 4, 0xFFFF); }); },
     ErrorCode::TooManyImages},
    {"group_shorter_than_header",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.dataEntryOffsets[group] + 4, 4); }); },
     ErrorCode::BadIconGroup},
    {"group_images_all_empty",
     [] {
         return withPe([](BuiltPe& pe) {
             putU32(pe.bytes, pe.dataEntryOffsets[image1] + 4, 0);
             putU32(pe.bytes, pe.dataEntryOffsets[image2] + 4, 0);
         });
     },
     ErrorCode::IconImagesMissing},
    {"group_images_all_missing",
     [] {
         return withGroup([](Bytes& b, std::size_t at) {
             putU16(b, at + 6 + 12, 90);
             putU16(b, at + 6 + 14 + 12, 91);
         });
     },
     ErrorCode::IconImagesMissing},
    // The images themselves.
    {"image_header_zeroed",
     [] { return withImage1([](Bytes& b, std::size_t at) { std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), 40, 0); }); },
     ErrorCode::BadIconImage},
    {"image_shorter_than_header",
     [] { return withPe([](BuiltPe& pe) { putU32(pe.bytes, pe.dataEntryOffsets[image1] + 4, 12); }); },
     ErrorCode::BadIconImage},
    {"bitmap_width_zero", [] { return withImage1([](Bytes& b, std::size_t at) { putU32(b, at + 4, 0); }); },
     ErrorCode::BadIconImage},
    {"bitmap_width_negative", [] { return withImage1([](Bytes& b, std::size_t at) { putU32(b, at + 4, 0x80000000); }); },
     ErrorCode::BadIconImage},
    {"bitmap_height_below_two", [] { return withImage1([](Bytes& b, std::size_t at) { putU32(b, at + 8, 1); }); },
     ErrorCode::BadIconImage},
    {"bitmap_depth_three", [] { return withImage1([](Bytes& b, std::size_t at) { putU16(b, at + 14, 3); }); },
     ErrorCode::BadIconImage},
    {"bitmap_header_size_beyond_image",
     [] { return withImage1([](Bytes& b, std::size_t at) { putU32(b, at, 0x7FFFFFFF); }); }, ErrorCode::BadIconImage},
    {"png_ihdr_wrong_length",
     [] {
         std::vector<Resource> resources;
         addIcon(resources, id(1), {{256, 256, 32, true}}, 1);
         BuiltPe pe = buildPe(resources);
         pe.bytes[pe.dataOffsets[0] + 11] = 14;
         return pe.bytes;
     },
     ErrorCode::BadIconImage},
    {"png_colour_type_unknown",
     [] {
         std::vector<Resource> resources;
         addIcon(resources, id(1), {{64, 64, 32, true}}, 1);
         BuiltPe pe = buildPe(resources);
         pe.bytes[pe.dataOffsets[0] + 25] = 5;
         return pe.bytes;
     },
     ErrorCode::BadIconImage},
    // NE.
    {"ne_header_truncated", [] { return truncated(validNe().bytes, 0x40 + 0x20); }, ErrorCode::TruncatedFile},
    {"ne_resource_table_beyond_end",
     [] { return withNe([](BuiltNe& ne) { putU16(ne.bytes, ne.neOffset + 0x24, 0xFFF0); }); }, ErrorCode::BadNeHeader},
    {"ne_shift_sixteen", [] { return withNe([](BuiltNe& ne) { putU16(ne.bytes, ne.resourceTableOffset, 16); }); },
     ErrorCode::BadNeAlignmentShift},
    {"ne_shift_huge", [] { return withNe([](BuiltNe& ne) { putU16(ne.bytes, ne.resourceTableOffset, 0xFFFF); }); },
     ErrorCode::BadNeAlignmentShift},
    {"ne_type_count_beyond_table",
     [] { return withNe([](BuiltNe& ne) { putU16(ne.bytes, ne.resourceTableOffset + 4, 0xFFFF); }); },
     ErrorCode::BadNeResourceTable},
    {"ne_table_without_terminator",
     [] { BuiltNe ne = validNe(); return truncated(ne.bytes, ne.resourceTableOffset + 2 + 8 + 12); },
     ErrorCode::BadNeResourceTable},
    {"ne_group_beyond_end",
     [] { return withNe([](BuiltNe& ne) { putU16(ne.bytes, ne.nameInfoOffsets[group], 0xFFFF); }); },
     ErrorCode::TruncatedFile},
    {"ne_group_name_beyond_table",
     [] { return withNe([](BuiltNe& ne) { putU16(ne.bytes, ne.nameInfoOffsets[group] + 6, 0x7FF0); }); },
     ErrorCode::BadResourceName},
    {"ne_image_zero_length_all",
     [] {
         return withNe([](BuiltNe& ne) {
             putU16(ne.bytes, ne.nameInfoOffsets[image1] + 2, 0);
             putU16(ne.bytes, ne.nameInfoOffsets[image2] + 2, 0);
         });
     },
     ErrorCode::IconImagesMissing},
    // .ico sources.
    {"ico_without_images", [] { return withIco([](Bytes& b) { putU16(b, 4, 0); }); }, ErrorCode::NoIcons},
    {"ico_count_huge", [] { return withIco([](Bytes& b) { putU16(b, 4, 0xFFFF); }); }, ErrorCode::TooManyImages},
    {"ico_directory_truncated", [] { return truncated(withIco([](Bytes&) {}), 6 + 20); }, ErrorCode::TruncatedFile},
    {"ico_image_inside_directory", [] { return withIco([](Bytes& b) { putU32(b, 6 + 12, 8); }); },
     ErrorCode::BadIcoDirectory},
    {"ico_image_beyond_end", [] { return withIco([](Bytes& b) { putU32(b, 6 + 16 + 8, 0x100000); }); },
     ErrorCode::TruncatedFile},
    {"ico_image_offset_wraps",
     [] {
         return withIco([](Bytes& b) {
             putU32(b, 6 + 12, 0xFFFFFFF0);
             putU32(b, 6 + 8, 0x20);
         });
     },
     ErrorCode::TruncatedFile},
    {"ico_truncated_in_last_image", [] { Bytes b = withIco([](Bytes&) {}); return truncated(b, b.size() - 1); },
     ErrorCode::TruncatedFile},
};

class DamagedInput : public ::testing::TestWithParam<DamagedCase> {};

INSTANTIATE_TEST_SUITE_P(Table, DamagedInput, ::testing::ValuesIn(damagedCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(DamagedInput, FailsWithItsError)
{
    const Bytes file = GetParam().make();
    const MemorySource source(file);
    const auto icon = readIcon(source, 0);
    ASSERT_FALSE(icon.ok());
    EXPECT_EQ(icon.error().code, GetParam().expected)
        << "got " << message(icon.error().code) << " at " << icon.error().offset;
    const auto list = listIcons(source);
    ASSERT_FALSE(list.ok());
    EXPECT_EQ(list.error().code, GetParam().expected) << "listing: got " << message(list.error().code);
}

// Five images that each claim 15 MiB (all starting at the first image's real header): 75 MiB in all.
BuiltPe iconTooLarge()
{
    std::vector<Resource> resources;
    addIcon(resources, id(1), std::vector<ImageShape>(5, ImageShape{}), 1);
    BuiltPe pe = buildPe(resources);
    hugeResourceSection(pe);
    const std::uint32_t firstRva = getU32(pe.bytes, pe.dataEntryOffsets[0]);
    for (std::size_t image = 0; image < 5; ++image) {
        putU32(pe.bytes, pe.dataEntryOffsets[image], firstRva);
        putU32(pe.bytes, pe.dataEntryOffsets[image] + 4, 15 * 1024 * 1024);
    }
    return pe;
}

// Too large to read, though each image is within its limit; listing, which reads no image data, works.
TEST(DamagedInput, IconTooLargeToRead)
{
    const BuiltPe pe = iconTooLarge();
    const SparseSource source(pe.bytes, 100u * 1024 * 1024);
    EXPECT_EQ(readIcon(source, 0).error().code, ErrorCode::IconTooLarge);
    EXPECT_TRUE(listIcons(source).ok());
    EXPECT_LT(source.bytesRead(), 4096u);
}

// The faults above are each in the only icon; in another icon, they do not stop this one.
TEST(DamagedInput, DamageInAnotherIconDoesNotStopThisOne)
{
    std::vector<Resource> extra;
    addIcon(extra, id(2), {{48, 48, 32}}, 50);
    BuiltPe pe = validPe(extra);
    // Resources in order: images 1, 2, group 1, image 50, group 2; break group 2's data entry.
    putU32(pe.bytes, pe.dataEntryOffsets[4], 0x00900000);
    const MemorySource source(pe.bytes);
    EXPECT_TRUE(readIcon(source, 0).ok());
    EXPECT_EQ(readIcon(source, 1).error().code, ErrorCode::ResourceOutOfBounds);
}

} // namespace
} // namespace zorvane::extraction
