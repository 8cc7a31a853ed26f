// The PE section table, and how a relative virtual address range maps to bytes of the file.
#pragma once

#include "bytesource.h"
#include "result.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zorvane::extraction {

struct Section {
    std::uint32_t virtualAddress = 0;
    // Only the part of a section that the file backs: what a reader can find there.
    std::uint32_t fileBackedSize = 0;
    std::uint32_t pointerToRawData = 0;
};

class SectionTable {
public:
    SectionTable() = default;
    static Result<SectionTable> read(const ByteSource& source, std::uint64_t offset, std::uint16_t numberOfSections);

    // The file offset of [rva, rva + size) when the whole range lies within one section.
    std::optional<std::uint64_t> fileOffset(std::uint32_t rva, std::uint32_t size) const;

private:
    explicit SectionTable(std::vector<Section> sections) : m_sections(std::move(sections)) {}
    std::vector<Section> m_sections;
};

} // namespace zorvane::extraction
