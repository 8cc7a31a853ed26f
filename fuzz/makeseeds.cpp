// Writes the seed inputs of fuzz/corpus: small valid files of every kind and a few damaged ones.
#include "support/ico.h"
#include "support/ne.h"
#include "support/pe.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace zorvane::testsupport;

void save(const std::filesystem::path& folder, const char* name, const Bytes& bytes)
{
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Small images only: the fuzzer works best on inputs of a few KiB.
std::vector<Resource> twoGroups()
{
    std::vector<Resource> resources;
    addIcon(resources, named("APP"), {{16, 16, 4}, {8, 8, 32, true}}, 1);
    addIcon(resources, id(2), {{32, 32, 1}}, 10, 0x409);
    return resources;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: zorvane_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    save(folder, "pe32_two_groups.exe", buildPe(twoGroups()).bytes);
    save(folder, "pe32plus_arm64.exe", buildPe(twoGroups(), {true, 0xAA64}).bytes);
    save(folder, "ne_lengths_in_units.exe", buildNe(twoGroups(), {4, false}).bytes);
    save(folder, "ne_lengths_in_bytes.exe", buildNe(twoGroups(), {9, true}).bytes);
    save(folder, "ico_three_images.ico", buildIco(std::vector<ImageShape>{{16, 16, 8}, {24, 24, 24}, {8, 8, 32, true}}));

    BuiltPe loop = buildPe(twoGroups());
    putU32(loop.bytes, directoryEntryOffset(loop.resourceOffset, 1) + 4, 0x80000000);
    save(folder, "pe32_resource_loop.exe", loop.bytes);

    BuiltPe outside = buildPe(twoGroups());
    putU32(outside.bytes, outside.dataEntryOffsets[0], 0xFFFFFFF0);
    save(folder, "pe32_image_outside_sections.exe", outside.bytes);

    BuiltNe shift = buildNe(twoGroups());
    putU16(shift.bytes, shift.resourceTableOffset, 40);
    save(folder, "ne_bad_shift.exe", shift.bytes);
    return 0;
}
