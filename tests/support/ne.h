// 16-bit NE executables built in memory, which no Debian toolchain can make.
#pragma once

#include "bytes.h"
#include "resources.h"

#include <cstdint>
#include <vector>

namespace zorvane::testsupport {

struct NeOptions {
    std::uint16_t alignmentShift = 4;
    // rnLength in bytes rather than in alignment units, as some resource compilers wrote it.
    bool lengthsInBytes = false;
};

// Layout: DOS header (e_lfanew 0x40), NE header, the resource table right after it (shift,
// TYPEINFO records in first-appearance order, terminator, name strings), a one-byte resident
// name table, then each resource's data aligned to 1 << alignmentShift and padded to it.
struct BuiltNe {
    Bytes bytes;
    std::uint32_t neOffset = 0;
    std::uint32_t resourceTableOffset = 0;  // file offset of rscAlignShift
    // Per resource, in the order given: file offset of its NAMEINFO record.
    std::vector<std::uint32_t> nameInfoOffsets;
};

BuiltNe buildNe(const std::vector<Resource>& resources, const NeOptions& options = {});

} // namespace zorvane::testsupport
