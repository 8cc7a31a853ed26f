// Reading the section table once and mapping addresses through it.
#include "sectiontable.h"
#include "limits.h"
#include "littleendian.h"
#include "sourcereading.h"

#include <algorithm>

namespace zorvane::extraction {
namespace {

// IMAGE_SECTION_HEADER: Name[8], VirtualSize, VirtualAddress, SizeOfRawData, PointerToRawData, ...
struct SectionHeaderLayout {
    static constexpr std::size_t virtualSize = 8;
    static constexpr std::size_t virtualAddress = 12;
    static constexpr std::size_t sizeOfRawData = 16;
    static constexpr std::size_t pointerToRawData = 20;
    static constexpr std::size_t size = 40;
};

} // namespace

Result<SectionTable> SectionTable::read(const ByteSource& source, std::uint64_t offset, std::uint16_t numberOfSections)
{
    using L = SectionHeaderLayout;
    if (numberOfSections > limits::maxSections) {
        return Error{ErrorCode::TooManySections, offset};
    }
    auto table = readBlock(source, offset, std::uint64_t{numberOfSections} * L::size,
                           ErrorCode::SectionTableOutOfBounds);
    if (!table) {
        return table.error();
    }
    std::vector<Section> sections;
    sections.reserve(numberOfSections);
    for (std::size_t at = 0; at < table->size(); at += L::size) {
        const std::uint32_t virtualSize = readU32(*table, at + L::virtualSize);
        const std::uint32_t sizeOfRawData = readU32(*table, at + L::sizeOfRawData);
        // A virtual size of 0 is what some linkers write; the raw size then says how much there is.
        const std::uint32_t backed = virtualSize == 0 ? sizeOfRawData : std::min(virtualSize, sizeOfRawData);
        sections.push_back({readU32(*table, at + L::virtualAddress), backed, readU32(*table, at + L::pointerToRawData)});
    }
    return SectionTable(std::move(sections));
}

std::optional<std::uint64_t> SectionTable::fileOffset(std::uint32_t rva, std::uint32_t size) const
{
    for (const Section& section : m_sections) {
        if (rva < section.virtualAddress) {
            continue;
        }
        const std::uint64_t within = rva - section.virtualAddress;
        if (within < section.fileBackedSize && size <= section.fileBackedSize - within) {
            return std::uint64_t{section.pointerToRawData} + within;
        }
    }
    return std::nullopt;
}

} // namespace zorvane::extraction
