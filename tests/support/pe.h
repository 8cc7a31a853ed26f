// PE32 and PE32+ images built in memory: headers, a code section and a resource section.
#pragma once

#include "bytes.h"
#include "resources.h"

#include <cstdint>
#include <vector>

namespace zorvane::testsupport {

struct PeOptions {
    bool pe32Plus = false;
    std::uint16_t machine = 0x14C;  // x86; 0x8664 x86-64, 0xAA64 ARM64
};

// The image and where its parts are, so that a test can damage exactly one of them.
// Layout: DOS header (e_lfanew 0x40), "PE\0\0", file header, optional header with 16 data
// directories, two sections (.text at RVA 0x1000, .rsrc at RVA 0x2000), the resource tree
// (root, name directories, language directories, data entries, name strings), then the data.
struct BuiltPe {
    Bytes bytes;
    std::uint32_t peOffset = 0;                // the "PE\0\0" signature
    std::uint32_t optionalHeaderOffset = 0;
    std::uint32_t resourceDirectoryField = 0;  // data directory 2: {RVA, Size}
    std::uint32_t sectionTableOffset = 0;      // .text first, then .rsrc (40 bytes each)
    std::uint32_t resourceOffset = 0;          // file offset of the root resource directory
    std::uint32_t resourceRva = 0;
    // Per resource, in the order given: file offsets of its IMAGE_RESOURCE_DATA_ENTRY and of its data.
    std::vector<std::uint32_t> dataEntryOffsets;
    std::vector<std::uint32_t> dataOffsets;
};

// Directory entries are sorted as a linker sorts them: named first, then IDs ascending.
BuiltPe buildPe(const std::vector<Resource>& resources, const PeOptions& options = {});

// File offset of the directory entry `index` of the resource directory at `directoryOffset`.
inline std::uint32_t directoryEntryOffset(std::uint32_t directoryOffset, std::uint32_t index)
{
    return directoryOffset + 16 + 8 * index;
}

} // namespace zorvane::testsupport
